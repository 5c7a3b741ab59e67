#include "core/process/YStatsTables.h"

#include "core/db/YDatabase.h"
#include "core/db/YFastStatement.h"
#include "core/db/YLooseClasses.h"
#include "core/db/YSoilRockClasses.h"
#include "core/db/YTjExSet.h"
#include "core/db/YTjtsjSet.h"
#include "core/db/YTsjsExSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"

#include <QHash>
#include <cmath>
#include <map>
#include <memory>

namespace {

QString Br(const QString& name) {
    return QLatin1Char('[') + name + QLatin1Char(']');
}

// Expressions over the columns of [土石计算中间表], by target column name. A source column the
// layout lacks reads 0.
class Exprs {
  public:
    explicit Exprs(const YZjTsjsSet& mid) : m_mid(mid) {}
    QString Col(const QString& name) const {
        return m_mid.HasColumn(name) ? Br(name) : QStringLiteral("0");
    }
    QString Sum3(const QString& pattern, int k0) const {
        return QStringLiteral("(%1+%2+%3)")
            .arg(Col(pattern.arg(k0)), Col(pattern.arg(k0 + 1)), Col(pattern.arg(k0 + 2)));
    }
    void Set(const QString& target, const QString& expr) { m_map.insert(target, expr); }
    // The eight soil/rock/class columns of a group from the intermediate table: soil and rock
    // from their own columns, classes from a pattern with %1 = 1..6.
    void Group(const QStringList& targets, const QString& soil, const QString& rock,
               const QString& classPattern) {
        Set(targets[0], Col(soil));
        Set(targets[1], Col(rock));
        for (int k = 1; k <= 6; ++k) {
            Set(targets[1 + k], Col(classPattern.arg(k)));
        }
    }
    void Loose(const QStringList& targets, const QString& soil, const QString& rock,
               const QString& classPattern) {
        Set(targets[0], Col(soil));
        Set(targets[1], Col(rock));
        for (int k = 1; k <= 6; ++k) {
            Set(targets[1 + k], Col(classPattern.arg(k)));
            Set(targets[7 + k], Col(classPattern.arg(k)));
        }
    }
    // "INSERT INTO [table] (cols) SELECT exprs FROM [土石计算中间表] WHERE …" for the columns of
    // the target set; columns without an expression get 0.
    QString InsertSql(const YRecordset& target, int segment) const {
        QStringList cols;
        QStringList values;
        for (const QString& c : target.BoundColumns()) {
            cols << Br(c);
            values << (c == QStringLiteral("分段编号") ? Br(c)
                                                       : m_map.value(c, QStringLiteral("0")));
        }
        QString sql = QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM [土石计算中间表]")
                          .arg(Br(target.TableName()), cols.join(u','), values.join(u','));
        if (segment >= 0 && m_mid.HasColumn(QStringLiteral("分段编号"))) {
            sql += QStringLiteral(" WHERE [分段编号] = %1").arg(segment);
        }
        return sql;
    }

  private:
    const YZjTsjsSet& m_mid;
    QHash<QString, QString> m_map;
};

QStringList Names(const char* prefix, const char* suffix) {
    return YSoilRockClasses::ColumnNames(QString::fromUtf8(prefix), QString::fromUtf8(suffix));
}

QStringList LooseNames(const char* prefix) {
    return YLooseClasses::ColumnNames(QString::fromUtf8(prefix));
}

QString TjSql(const YZjTsjsSet& mid, const YTjtsjSet& tj, int segment) {
    Exprs e(mid);
    const QString start = e.Col(QStringLiteral("起始桩号"));
    for (const auto& [now, old, expr] :
         {std::tuple{"起点桩号", "sta", start},
          std::tuple{"终点桩号", "esta", e.Col(QStringLiteral("终止桩号"))},
          std::tuple{"长度", "len", e.Col(QStringLiteral("距离"))},
          std::tuple{"挖总量", "wfzl", e.Col(QStringLiteral("挖方总量"))},
          std::tuple{"挖土", "wtf", e.Sum3(QStringLiteral("%1数量"), 1)},
          std::tuple{"挖石", "wsf", e.Sum3(QStringLiteral("%1数量"), 4)},
          std::tuple{"填总量", "tfzl", e.Col(QStringLiteral("填方总量"))},
          std::tuple{"填土压实", "ttf", e.Col(QStringLiteral("填土量"))},
          std::tuple{"填石压实", "tsf", e.Col(QStringLiteral("填石量"))},
          std::tuple{"利土压实", "lytf", e.Col(QStringLiteral("本桩利用土"))},
          std::tuple{"利石压实", "lysf", e.Col(QStringLiteral("本桩利用石"))}}) {
        e.Set(QString::fromUtf8(now), expr);
        e.Set(QString::fromLatin1(old), expr);
    }
    const char* oldCut[] = {"st", "pt", "yt", "rs", "cjs", "js"};
    for (int k = 1; k <= 6; ++k) {
        const QString expr = e.Col(QStringLiteral("%1数量").arg(k));
        e.Set(QStringLiteral("挖%1").arg(k), expr);
        e.Set(QString::fromLatin1(oldCut[k - 1]), expr);
    }
    e.Group(Names("填", "压实"), QStringLiteral("填土量"), QStringLiteral("填石量"),
            QStringLiteral("填%1(压实)"));
    e.Group(Names("填", "松方"), QStringLiteral("填土量(松方)"), QStringLiteral("填石量(松方)"),
            QStringLiteral("填%1"));
    e.Group(Names("利", "压实"), QStringLiteral("本桩利用土"), QStringLiteral("本桩利用石"),
            QStringLiteral("利%1(压实)"));
    e.Group(Names("利", "松方"), QStringLiteral("利用土(松方)"), QStringLiteral("利用石(松方)"),
            QStringLiteral("利%1"));
    return e.InsertSql(tj, segment);
}

QString TjExSql(const YZjTsjsSet& mid, const YTjExSet& ex, int segment) {
    Exprs e(mid);
    e.Set(QStringLiteral("起始桩号"), e.Col(QStringLiteral("起始桩号")));
    e.Set(QStringLiteral("终止桩号"), e.Col(QStringLiteral("终止桩号")));
    return e.InsertSql(ex, segment);
}

QString ExtSql(const YZjTsjsSet& mid, const YTsjsExSet& ext, int segment) {
    Exprs e(mid);
    e.Set(QStringLiteral("起始桩号"), e.Col(QStringLiteral("起始桩号")));
    e.Set(QStringLiteral("终止桩号"), e.Col(QStringLiteral("终止桩号")));
    e.Set(QStringLiteral("填方总量松"),
          QStringLiteral("(%1+%2)").arg(e.Col(QStringLiteral("填土量(松方)")),
                                        e.Col(QStringLiteral("填石量(松方)"))));
    e.Loose(LooseNames("填"), QStringLiteral("填土量(松方)"), QStringLiteral("填石量(松方)"),
            QStringLiteral("填%1"));
    e.Loose(LooseNames("利"), QStringLiteral("利用土(松方)"), QStringLiteral("利用石(松方)"),
            QStringLiteral("利%1"));
    e.Loose(LooseNames("缺"), QStringLiteral("填缺土(松方)"), QStringLiteral("填缺石(松方)"),
            QStringLiteral("缺%1"));
    return e.InsertSql(ext, segment);
}

// "UPDATE … SET a = ?, … WHERE key = ?" with the non-zero values of a stretch. A long road has
// thousands of stretches but only a few distinct sets of non-zero columns: one prepared
// statement per set.
class FlowUpdate {
  public:
    FlowUpdate(YDatabase& db, const YRecordset& set, const QString& key, int segment)
        : m_db(db), m_set(set), m_key(key), m_nSegment(segment) {}
    void Put(const QString& col, double v) {
        if (v != 0.0 && std::isfinite(v) && Has(col)) {
            m_cols << col;
            m_values.push_back(v);
        }
    }
    void PutGroup(const QStringList& cols, const YStretchStats::Group& g) {
        for (int i = 0; i < 8; ++i) {
            Put(cols[i], g[size_t(i)]);
        }
    }
    // Runs the statement when anything was put; clears for the next stretch.
    bool Run(double start) {
        if (m_cols.isEmpty()) {
            return true;
        }
        YFastStatement* update = Statement();
        if (update == nullptr) {
            return false;
        }
        for (size_t i = 0; i < m_values.size(); ++i) {
            update->BindDouble(int(i), m_values[i]);
        }
        update->BindDouble(int(m_values.size()), start);
        m_cols.clear();
        m_values.clear();
        if (!update->Exec()) {
            m_db.SetLastError(update->LastError());
            return false;
        }
        return true;
    }

  private:
    // Whether the layout has the column; asked for every value of every stretch.
    bool Has(const QString& col) {
        const auto it = m_has.constFind(col);
        return it != m_has.constEnd() ? *it : *m_has.insert(col, m_set.HasColumn(col));
    }

    YFastStatement* Statement() {
        std::unique_ptr<YFastStatement>& slot = m_statements[m_cols.join(u'\n')];
        if (slot) {
            return slot.get();
        }
        QStringList sets;
        for (const QString& c : m_cols) {
            sets << Br(c) + QStringLiteral("=?");
        }
        QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                          .arg(Br(m_set.TableName()), sets.join(u','), Br(m_key));
        if (m_nSegment >= 0 && m_set.HasColumn(QStringLiteral("分段编号"))) {
            sql += QStringLiteral(" AND [分段编号] = %1").arg(m_nSegment);
        }
        slot = std::make_unique<YFastStatement>(m_db.Connection());
        if (!slot->Prepare(sql)) {
            m_db.SetLastError(slot->LastError());
            slot.reset();
        }
        return slot.get();
    }

    YDatabase& m_db;
    const YRecordset& m_set;
    QString m_key;
    int m_nSegment;
    QStringList m_cols;
    std::vector<double> m_values;
    std::map<QString, std::unique_ptr<YFastStatement>> m_statements;
    QHash<QString, bool> m_has;
};

struct FlowNames {
    const char* prefix;
    const char* oldSoil; // names up to layout 3 (compacted soil and rock, distances)
    const char* oldRock;
    const char* oldSoilDist;
    const char* oldRockDist;
};

bool WriteTjFlows(YDatabase& db, const YTjtsjSet& tj, int segment,
                  const std::vector<YStretchStats>& stretches) {
    const FlowNames names[] = {{"调", "dptf", "dpsf", "dptfyj", "dpsfyj"},
                               {"借", "jftf", "jfsf", "jftfyj", "jfsfyj"},
                               {"弃", "qftf", "qfsf", "qftfyj", "qfsfyj"},
                               {"调出", "", "", "", ""},
                               {"调入", "", "", "", ""}};
    std::vector<QStringList> cols;
    for (const FlowNames& n : names) {
        cols.push_back(Names(n.prefix, "压实"));
        cols.push_back(Names(n.prefix, "松方"));
        cols.push_back(Names(n.prefix, "运距"));
    }
    const bool old = tj.HasColumn(QStringLiteral("sta"));
    FlowUpdate up(db, tj, old ? QStringLiteral("sta") : QStringLiteral("起点桩号"), segment);
    for (const YStretchStats& s : stretches) {
        const YStretchStats::Flow* flows[] = {&s.haul, &s.borrow, &s.waste, &s.out, &s.in};
        for (size_t f = 0; f < std::size(flows); ++f) {
            const YStretchStats::Group dist = flows[f]->Distance();
            up.PutGroup(cols[3 * f], flows[f]->compacted);
            up.PutGroup(cols[3 * f + 1], flows[f]->loose);
            up.PutGroup(cols[3 * f + 2], dist);
            if (*names[f].oldSoil) {
                up.Put(QString::fromLatin1(names[f].oldSoil), flows[f]->compacted[0]);
                up.Put(QString::fromLatin1(names[f].oldRock), flows[f]->compacted[1]);
                up.Put(QString::fromLatin1(names[f].oldSoilDist), dist[0]);
                up.Put(QString::fromLatin1(names[f].oldRockDist), dist[1]);
            }
        }
        if (!up.Run(s.staStart.Value())) {
            return false;
        }
    }
    return true;
}

bool WriteExFlows(YDatabase& db, const YTjExSet& ex, int segment,
                  const std::vector<YStretchStats>& stretches) {
    const char* prefixes[] = {"调", "借", "弃", "调出", "调入"};
    std::vector<QStringList> cols;
    for (const char* p : prefixes) {
        cols.push_back(LooseNames(p));
    }
    FlowUpdate up(db, ex, QStringLiteral("起始桩号"), segment);
    for (const YStretchStats& s : stretches) {
        const YStretchStats::Flow* flows[] = {&s.haul, &s.borrow, &s.waste, &s.out, &s.in};
        for (size_t f = 0; f < std::size(flows); ++f) {
            const YStretchStats::Group& l = flows[f]->loose;
            for (int i = 0; i < 8; ++i) {
                up.Put(cols[f][i], l[size_t(i)]);
            }
            for (int k = 0; k < 6; ++k) {
                up.Put(cols[f][8 + k], l[size_t(2 + k)]); // natural = loose
            }
        }
        if (!up.Run(s.staStart.Value())) {
            return false;
        }
    }
    return true;
}

} // namespace

bool YStatsTables::Write(CDalvexDoc& doc, const std::vector<YStretchStats>& stretches) {
    YDatabase& db = doc.GetDatabase();
    const int segment = doc.GetVersion() >= 5 ? doc.GetCurrentSegment() : -1;
    const YZjTsjsSet& mid = doc.GetZjTsjsSet();
    YTjtsjSet& tj = doc.GetTjtsjSet();
    YTjExSet& ex = doc.GetTjExSet();
    YTsjsExSet& ext = doc.GetTsjsExSet();
    if (!tj.DeleteSegmentRows() || !db.Exec(TjSql(mid, tj, segment)) ||
        !WriteTjFlows(db, tj, segment, stretches)) {
        return false;
    }
    if (ex.IsOpen() && (!ex.DeleteSegmentRows() || !db.Exec(TjExSql(mid, ex, segment)) ||
                        !WriteExFlows(db, ex, segment, stretches))) {
        return false;
    }
    if (ext.IsOpen() && (!ext.DeleteSegmentRows() || !db.Exec(ExtSql(mid, ext, segment)))) {
        return false;
    }
    // Their rows were written behind the sets, and nothing reads them before the reports do:
    // closed now, they are read when the document next hands them out (a long road's three
    // tables are millions of values).
    tj.Close();
    ex.Close();
    ext.Close();
    return true;
}
