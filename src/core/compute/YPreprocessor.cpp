#include "core/compute/YPreprocessor.h"

#include "core/db/YDatabase.h"
#include "core/db/YFastStatement.h"
#include "core/db/YLcSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTshlSet.h"
#include "core/db/YTsxsSet.h"
#include "core/db/YZzmjSet.h"
#include "core/platform/YUserIO.h"

#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace {

using R = YTsjsRow;

const QString kTitle = QStringLiteral("数据预处理");
const QString kZeroLength = QStringLiteral("断面桩号%1重复，不能形成计算段落！");
const QString kNotFinite = QStringLiteral("%1～%2段的计算结果不是有限数值，请检查断面数据！");

} // namespace

struct YPreprocessor::Section {
    qint64 rowid = 0;
    YStation sta;
    double cut = 0.0;             // 挖方面积 as in the table, m²
    double fill = 0.0;            // 填方面积
    double height = 0.0;          // 中桩填挖, m
    YSegmentCalc::Areas deducted; // after the trough deduction
};

struct YPreprocessor::Structure {
    YStation start;
    YStation end;
};

struct YPreprocessor::Segments {
    int nCurrent = -1;
    std::optional<YStation> previousEnd; // end of the segment before the current one
    YStation end;                        // end of the current segment
};

class YPreprocessor::Stop {
  public:
    explicit Stop(QString text) : m_text(std::move(text)) {}
    const QString& Text() const { return m_text; }

  private:
    QString m_text; // empty: stop without a message (cancelled)
};

YPreprocessor::YPreprocessor(YDatabase& db, YUserIO& io) : m_db(db), m_io(io) {}

YPreprocessor::~YPreprocessor() = default;

const QStringList& YPreprocessor::ResultTables() {
    static const QStringList tables = {QStringLiteral("土石计算"), QStringLiteral("土石计算中间表"),
                                       QStringLiteral("调配过程表"),
                                       QStringLiteral("Tmp调配过程表"), QStringLiteral("过程")};
    return tables;
}

YPreprocessor::Result YPreprocessor::Run(const YPreprocessOptions& options) {
    m_opt = options;
    m_result = Result{};
    if (!OpenInputs()) {
        return m_result;
    }
    if (m_zzmj->RecordCount() == 0) {
        m_result.outcome = Outcome::NoSections;
        return m_result;
    }
    if (!CheckInputs()) {
        return m_result;
    }
    if (!ConfirmReplace()) {
        m_result.outcome = Outcome::Declined;
        return m_result;
    }
    ReadStructures();
    ReadSegments();
    YTransaction tr(m_db);
    try {
        if (!tr.IsActive()) {
            throw Stop(m_db.LastError());
        }
        Compute();
        if (!tr.Commit()) {
            throw Stop(m_db.LastError());
        }
    } catch (const Stop& stop) {
        if (!stop.Text().isEmpty()) {
            m_io.Error(stop.Text());
        }
        m_insert.reset();
        m_writeAreas.reset();
        tr.Rollback();
        m_result = Result{Outcome::RolledBack, 0, 0};
        return m_result;
    }
    m_result.outcome = Outcome::Done;
    return m_result;
}

bool YPreprocessor::OpenInputs() {
    m_nVersion = m_db.Version();
    m_zzmj = std::make_unique<YZzmjSet>(m_db);
    m_lc = std::make_unique<YLcSet>(m_db);
    m_tshl = std::make_unique<YTshlSet>(m_db);
    m_tsxs = std::make_unique<YTsxsSet>(m_db);
    for (YRecordset* set :
         {static_cast<YRecordset*>(m_zzmj.get()), static_cast<YRecordset*>(m_lc.get()),
          static_cast<YRecordset*>(m_tshl.get()), static_cast<YRecordset*>(m_tsxs.get())}) {
        if (!set->Open()) {
            m_io.Error(set->LastError());
            return false;
        }
    }
    // Files of layouts 1 and 2 carry no version; the result table's columns tell them apart
    // (the oldest layout has no class coefficients).
    m_nVersion = m_db.Version();
    if (m_nVersion <= 2) {
        const auto cols = m_db.ColumnNames(QStringLiteral("土石计算"));
        m_nVersion = cols && !cols->contains(QStringLiteral("1系数")) ? 1 : 2;
    }
    return true;
}

// The checks before anything is changed, in the order the user meets their messages.
bool YPreprocessor::CheckInputs() {
    if (m_zzmj->RecordCount() < 3) {
        m_io.Warning(QStringLiteral("逐桩断面数据太少！"));
        return false;
    }
    m_bTrough = m_lc->RecordCount() > 0;
    if (!m_bTrough) {
        m_io.Warning(QStringLiteral("没有路槽数据，将不能扣除路槽土方！"));
    }
    if (m_tshl->RecordCount() == 0) {
        m_io.Warning(QStringLiteral("没有土石含量数据！"));
        return false;
    }
    if (m_tsxs->RecordCount() == 0) {
        m_io.Warning(QStringLiteral("没有土石系数数据！"));
        return false;
    }
    m_tsxs->MoveFirst();
    for (double d : m_tsxs->m_dCoef) {
        if (!(d > 0.0)) {
            m_io.Warning(QStringLiteral("土石系数数据错误！"));
            return false;
        }
    }
    return true;
}

QString YPreprocessor::SegmentWhere(const YDatabase& db) {
    const int s = db.CurrentSegment();
    return db.Version() >= 5 && s >= 0 ? QStringLiteral(" WHERE [分段编号] = %1").arg(s)
                                       : QString();
}

bool YPreprocessor::HasResults(YDatabase& db) {
    for (const QString& table : ResultTables()) {
        if (!db.HasTable(table)) {
            continue;
        }
        const auto n = db.QueryValue(
            QStringLiteral("SELECT 1 FROM [%1]%2 LIMIT 1").arg(table, SegmentWhere(db)));
        if (n && !n->isNull()) {
            return true;
        }
    }
    return false;
}

bool YPreprocessor::ConfirmReplace() {
    return !HasResults(m_db) ||
           m_io.Ask(
               QStringLiteral("重新计算，需要删除现有的计算结果、\n调配过程等数据！\n是否继续？"));
}

void YPreprocessor::ReadStructures() {
    m_structures.clear();
    m_nStructure = 0;
    QSqlQuery q(m_db.Connection());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT [起始桩号],[终止桩号] FROM [构造物] ORDER BY [ssta]"))) {
        return; // no structures to take into account
    }
    while (q.next()) {
        m_structures.push_back({m_db.Numbering().ParseOrZero(q.value(0).toString()),
                                m_db.Numbering().ParseOrZero(q.value(1).toString())});
    }
}

void YPreprocessor::ReadSegments() {
    m_segments.reset();
    const int current = m_db.CurrentSegment();
    if (m_nVersion < 5 || current < 0) {
        return;
    }
    QSqlQuery q(m_db.Connection());
    q.setForwardOnly(true);
    if (!q.exec(
            QStringLiteral("SELECT [分段编号],[结束桩号] FROM [项目分段] ORDER BY [分段编号]"))) {
        return;
    }
    std::optional<YStation> previous;
    while (q.next()) {
        const YStation end = m_db.Numbering().ParseOrZero(q.value(1).toString());
        if (q.value(0).toInt() == current) {
            m_segments = std::make_unique<Segments>(Segments{current, previous, end});
            return;
        }
        previous = end;
    }
}

void YPreprocessor::Exec(YFastStatement& statement) {
    if (!statement.Exec()) {
        throw Stop(statement.LastError());
    }
}

std::unique_ptr<YFastStatement> YPreprocessor::Prepare(const QString& sql) {
    auto statement = std::make_unique<YFastStatement>(m_db.Connection());
    if (!statement->Prepare(sql)) {
        throw Stop(statement->LastError());
    }
    return statement;
}

void YPreprocessor::ExecSql(const QString& sql) {
    if (!m_db.Exec(sql)) {
        throw Stop(m_db.LastError());
    }
}

void YPreprocessor::DeleteResults() {
    for (const QString& table : ResultTables()) {
        if (m_db.HasTable(table)) {
            ExecSql(QStringLiteral("DELETE FROM [%1]%2").arg(table, SegmentWhere(m_db)));
        }
    }
}

YPreprocessor::Section YPreprocessor::ReadSection() const {
    Section s;
    s.rowid = m_zzmj->RowId();
    s.sta = m_zzmj->m_sta;
    s.cut = m_zzmj->m_dCutArea;
    s.fill = m_zzmj->m_dFillArea;
    s.height = m_zzmj->m_dCenterFill;
    return s;
}

// Deducts the trough at the set's current cross-section and writes the adjusted areas back.
void YPreprocessor::Deduct(Section& s) {
    YSegmentCalc::Trough trough;
    if (m_bTrough) {
        // The trough rows are in station order; the search only moves forward during a run.
        while (!m_lc->IsEOF() && m_lc->m_sta < s.sta) {
            m_lc->MoveNext();
        }
        if (!m_lc->IsEOF()) {
            trough = {m_lc->m_dWidth * m_lc->m_dDepth, m_lc->m_dDepth};
        }
    }
    s.deducted = YSegmentCalc::DeductTrough({s.cut, s.fill}, s.height, trough, m_opt.ByDepth(),
                                            m_opt.ToCut());
    // Written past the set: nothing in this run reads the adjusted areas back, and the sets
    // are re-queried after the run.
    if (!m_writeAreas) {
        m_writeAreas = Prepare(QStringLiteral(
            "UPDATE [逐桩断面] SET [挖方面积1] = ?, [填方面积1] = ? WHERE rowid = ?"));
    }
    m_writeAreas->BindDouble(0, s.deducted.cut);
    m_writeAreas->BindDouble(1, s.deducted.fill);
    m_writeAreas->BindInt(2, s.rowid);
    Exec(*m_writeAreas);
}

void YPreprocessor::SkipToStart() {
    m_zzmj->MoveFirst();
    if (m_segments && m_segments->previousEnd) {
        while (!m_zzmj->IsEOF() && m_zzmj->m_sta < *m_segments->previousEnd) {
            m_zzmj->MoveNext();
        }
    }
    if (m_zzmj->IsEOF()) {
        throw Stop(QStringLiteral("逐桩断面数据太少！"));
    }
}

void YPreprocessor::InsertSection(const YStation& at, const Section& s0, const Section& s1) {
    const double a = s0.sta.Value();
    const double b = s1.sta.Value();
    const double x = at.Value();
    m_zzmj->AddNew();
    m_zzmj->m_sta = at;
    m_zzmj->m_strSta = m_db.Numbering().Text(at);
    m_zzmj->m_dCutArea = YSegmentCalc::Interpolate(s0.cut, s1.cut, a, b, x);
    m_zzmj->m_dFillArea = YSegmentCalc::Interpolate(s0.fill, s1.fill, a, b, x);
    m_zzmj->m_dCenterFill = YSegmentCalc::Interpolate(s0.height, s1.height, a, b, x);
    if (!m_zzmj->Update()) {
        throw Stop(m_zzmj->LastError());
    }
    ++m_result.nInsertedSections;
}

// Adds cross-sections where the current structure starts or ends strictly inside the segment
// s0–s1; then s1 becomes the first cross-section after s0. Returns whether any was added.
bool YPreprocessor::InsertStructureEnds(const Section& s0, Section& s1) {
    // Structures that end at or before s0 are behind the run. All of them are passed, not
    // one per segment, so that several short structures before a segment cannot hold the
    // run back on a structure it has left.
    while (m_nStructure < m_structures.size() && m_structures[m_nStructure].end <= s0.sta) {
        ++m_nStructure;
    }
    if (m_nStructure >= m_structures.size()) {
        return false;
    }
    const Structure& st = m_structures[m_nStructure];
    bool added = false;
    for (const YStation& at : {st.start, st.end}) {
        if (s0.sta < at && at < s1.sta) {
            InsertSection(at, s0, s1);
            added = true;
        }
    }
    if (!added) {
        return false;
    }
    if (!m_zzmj->MoveToRowId(s0.rowid)) {
        throw Stop(QStringLiteral("内部错误！"));
    }
    m_zzmj->MoveNext();
    if (m_zzmj->IsEOF()) {
        throw Stop(QStringLiteral("内部错误！"));
    }
    s1 = ReadSection();
    return true;
}

void YPreprocessor::ReadContents(const YStation& s1, YSegmentCalc::Material& m) {
    while (!m_tshl->IsEOF() && m_tshl->m_sta < s1) {
        m_tshl->MoveNext();
    }
    if (m_tshl->IsEOF()) {
        throw Stop(QStringLiteral("土石含量数据不全！"));
    }
    const bool rates = m_tshl->HasUsableRates();
    for (size_t k = 0; k < 6; ++k) {
        m.content[k] = m_tshl->m_dShare[k];
        m.usable[k] = rates ? m_tshl->m_dUsable[k] / 100.0 : 0.0;
        m.coef[k] = m_tsxs->m_dCoef[k];
    }
    m.soilFactor = m_opt.dSoilFactor;
    m.rockFactor = m_opt.dRockFactor;
}

void YPreprocessor::ComputeRow(const Section& s0, const Section& s1) {
    YTsjsRow row;
    row[R::Start] = s0.sta.Value();
    row[R::End] = s1.sta.Value();
    const bool inside = m_nStructure < m_structures.size() &&
                        s0.sta >= m_structures[m_nStructure].start &&
                        s1.sta <= m_structures[m_nStructure].end;
    if (!inside) {
        const bool prism = m_opt.IsPrismoidal();
        row[R::CutAvg] = YSegmentCalc::AverageArea(s0.deducted.cut, s1.deducted.cut, prism);
        row[R::FillAvg] = YSegmentCalc::AverageArea(s0.deducted.fill, s1.deducted.fill, prism);
    }
    row[R::Dist] = (s1.sta - s0.sta).Value();
    if (!(row[R::Dist] > 0.0)) {
        // A segment of no length could never be allocated, and the project never finished.
        throw Stop(kZeroLength.arg(m_db.Numbering().Text(s1.sta)));
    }
    YSegmentCalc::Material m;
    ReadContents(s1.sta, m);
    YSegmentCalc::Quantities(row, m);
    YSegmentCalc::LocalReuse(row, m_nVersion, m_opt.ReuseClasses());
    WriteRow(row);
}

void YPreprocessor::WriteRow(const YTsjsRow& row) {
    const std::vector<int>& cols = R::Columns(m_nVersion);
    const bool segmented = m_nVersion >= 5;
    if (!m_insert) {
        QString sql = QStringLiteral("INSERT INTO [土石计算] (");
        if (segmented) {
            sql += QStringLiteral("[分段编号],");
        }
        sql += R::SqlColumnList(m_nVersion) + QStringLiteral(") VALUES (");
        const size_t n = cols.size() + (segmented ? 1 : 0);
        for (size_t i = 0; i < n; ++i) {
            sql += i == 0 ? QStringLiteral("?") : QStringLiteral(",?");
        }
        sql += QLatin1Char(')');
        m_insert = Prepare(sql);
    }
    int pos = 0;
    if (segmented) {
        m_insert->BindInt(pos++, m_db.CurrentSegment());
    }
    for (int c : cols) {
        if (!std::isfinite(row[c])) {
            throw Stop(kNotFinite.arg(m_db.Numbering().Text(YStation(row[R::Start])),
                                      m_db.Numbering().Text(YStation(row[R::End]))));
        }
        m_insert->BindDouble(pos++, row[c]);
    }
    Exec(*m_insert);
    ++m_result.nSegments;
}

void YPreprocessor::CopyToIntermediate() {
    QString cols = R::SqlColumnList(m_nVersion);
    if (m_nVersion >= 5) {
        cols = QStringLiteral("[分段编号],") + cols;
    }
    ExecSql(QStringLiteral("INSERT INTO [土石计算中间表] (%1) SELECT %1 FROM [土石计算]%2")
                .arg(cols, SegmentWhere(m_db)));
}

void YPreprocessor::Compute() {
    const qint64 total = m_zzmj->RecordCount();
    YProgressScope progress(m_io, kTitle, total);
    DeleteResults();
    m_lc->MoveFirst();
    m_tshl->MoveFirst();
    SkipToStart();
    Section s0 = ReadSection();
    Deduct(s0);
    qint64 done = 1;
    m_zzmj->MoveNext();
    while (!m_zzmj->IsEOF()) {
        Section s1 = ReadSection();
        InsertStructureEnds(s0, s1);
        Deduct(s1);
        ComputeRow(s0, s1);
        if (m_segments && s1.sta >= m_segments->end) {
            break;
        }
        s0 = s1;
        if (!progress.Advance(++done)) {
            throw Stop(QString());
        }
        m_zzmj->MoveNext();
    }
    m_insert.reset();
    m_writeAreas.reset();
    CopyToIntermediate();
}
