#include "core/db/YSchema.h"

#include "core/db/YDatabase.h"
#include "core/db/YLooseClasses.h"
#include "core/db/YSoilRockClasses.h"
#include "core/db/YTransaction.h"

#include <algorithm>

// The project file format
// =======================
//
// A project file is an SQLite database (journal_mode DELETE, see YDatabase). Table and column
// names are Chinese and are always written bracket-quoted in SQL ([逐桩断面].[桩号]). Tables
// have no declared key: rows are addressed by SQLite's rowid, and their order is the sort order
// of their record set (SortColumns), with the rowid breaking ties.
//
// Units: stations and lengths in metres, areas in m², volumes in m³, shares in percent unless
// a column says otherwise. "(压实)" / "压实" marks a compacted volume, "(松方)" / "松方" / "松"
// a loose volume, no suffix the natural (in-place) volume, "运距" a haul distance in m.
// Class k = 1…6 is I 松土, II 普通土, III 硬土 (soil 土), IV 软石, V 次坚石, VI 坚石 (rock 石).
//
// Input tables belong to the whole project. Result tables are per segment: from version 5
// their first column is 分段编号 (the project segment the row belongs to, -1 for none).
//
// Version 5 and the cross-project columns: the neighbouring projects arrive with version 6,
// and so do the cross-project blocks (调出 …, 调入 …) of [统计扩展] and [土石计算2]. A version-5
// file therefore has 44 columns in [统计扩展] and 117 in [土石计算2], the same as version 4.
// A version-5 file written by another program with the extra blocks still reads: record sets
// bind the columns they know and leave other columns alone.
//
// Tables that the load sequence treats as optional ([竖曲线], [土方调配扩展记录], [统计扩展])
// are created in every layout; older files may lack them.

namespace {

// Collects the columns of one table at one version.
class Cols {
  public:
    explicit Cols(int version) : m_nVersion(version) {}

    int V() const { return m_nVersion; }
    void Text(const QString& name) { Add(name, YColType::Text); }
    void Double(const QString& name) { Add(name, YColType::Double); }
    void Long(const QString& name) { Add(name, YColType::Long); }
    void Int(const QString& name) { Add(name, YColType::Int); }
    void Bool(const QString& name) { Add(name, YColType::Bool); }
    // Doubles named by a pattern with %1 = first … first + n - 1, e.g. "填%1(压实)".
    void Doubles(const QString& pattern, int n = 6, int first = 1) {
        for (int k = first; k < first + n; ++k) {
            Double(pattern.arg(k));
        }
    }
    void Doubles(const QStringList& names) {
        for (const QString& name : names) {
            Double(name);
        }
    }
    std::vector<YColumnDef> Take() { return std::move(m_cols); }

  private:
    void Add(const QString& name, YColType type) { m_cols.push_back({name, type}); }

    int m_nVersion;
    std::vector<YColumnDef> m_cols;
};

// [逐桩断面]: cross-section areas station by station, the input of the preprocessing.
void ZzmjColumns(Cols& c) {
    c.Text("桩号");        // display text of the station
    c.Double("挖方面积");  // cut area, m²
    c.Double("填方面积");  // fill area, m²
    c.Double("中桩填挖");  // height at the centre line, m: >= 0 fill, < 0 cut
    c.Double("sta");       // station in m, the sort key
    c.Double("挖方面积1"); // cut area after the preprocessing's adjustments
    c.Double("填方面积1"); // fill area after the adjustments
}

// [路槽]: road-trough dimensions, deducted from the fill.
void LcColumns(Cols& c) {
    c.Text("桩号");
    c.Double("高度"); // trough depth, m
    c.Double("宽度"); // trough width, m
    c.Double("sta");
}

// [土石系数]: one row, natural-to-compacted divisors of classes I–VI.
void TsxsColumns(Cols& c) {
    c.Doubles("土方%1", 3);
    c.Doubles("石方%1", 3);
}

// [土石含量]: share of each class in the cut at a station, %; from version 3 each share is
// followed by its usable rate (% of that class that may be reused).
void TshlColumns(Cols& c) {
    c.Text("桩号");
    for (const QString& name : YSchema::ClassNames()) {
        c.Double(name);
        if (c.V() >= 3) {
            c.Double(name + QStringLiteral("利用率"));
        }
    }
    c.Double("sta");
}

// [构造物]: structures such as bridges.
void GzwColumns(Cols& c) {
    c.Text("起始桩号");
    c.Text("终止桩号");
    c.Text("名称");
    c.Double("跨径");   // span, m
    c.Bool("能否跨越"); // material may be hauled across
    if (c.V() >= 6) {
        c.Double("绕行距离"); // detour, m; NULL = no detour (added to older files on open)
    }
    c.Double("ssta"); // start station in m, the sort key
}

// [取土坑] / [弃土坑]: the station where the pit's haul road meets the line and, from
// version 3, the stretch the pit serves economically.
void PitStations(Cols& c) {
    c.Text("上路桩号");
    if (c.V() >= 3) {
        c.Text("前经济分界点桩号");
        c.Text("后经济分界点桩号");
    }
    c.Double("支线长度"); // haul-road length, m
}

// [取土坑]: borrow pits; class shares in %, remaining soil and rock in m³.
void QtkColumns(Cols& c) {
    PitStations(c);
    for (const QString& name : YSchema::ClassNames()) {
        c.Double(name);
    }
    c.Double("土方总量");
    c.Double("石方总量");
}

// [弃土坑]: waste pits; remaining capacity in m³.
void QitkColumns(Cols& c) {
    PitStations(c);
    c.Double("总容量");
}

// [竖曲线]: vertical intersection points.
void SqxColumns(Cols& c) {
    c.Long("编号");
    c.Text("桩号");
    c.Double("高程"); // elevation, m
    c.Double("半径"); // vertical curve radius, m
    c.Double("sta");
}

// [断链]: chain breaks "BACK=AHEAD", applied in ID order.
void DlColumns(Cols& c) {
    c.Long("ID");
    c.Text("断链");
}

// [项目]: project properties (项目名称, GUID, 项目标识) as name/value pairs.
void PrjProColumns(Cols& c) {
    c.Text("属性名称");
    c.Text("属性值");
}

// [项目分段]: the project's segments by their end stations.
void PrjFdColumns(Cols& c) {
    c.Int("分段编号");
    c.Text("结束桩号");
}

// [相邻项目]: links to neighbouring projects.
void NearPrjColumns(Cols& c) {
    c.Long("编号");
    c.Double("桩号");     // connection station in this project, m
    c.Double("相邻桩号"); // connection station in the other project, m
    c.Double("距离");     // distance between the two, m
    c.Text("相邻项目名称");
    c.Text("相邻项目路径"); // relative to this file's folder when possible
    c.Text("相邻项目GUID");
    c.Int("相邻项目分段");
}

// [版本]: one row, the layout version in VER.
void VersionColumns(Cols& c) {
    c.Long("编号");
    c.Long("VER");
}

// [土石计算] and [土石计算中间表]: one row per computation segment (between two stations of
// [逐桩断面]). 30 columns at version 1, 98 at version 2, 136 from version 3.
void TsjsColumns(Cols& c) {
    const bool v2 = c.V() >= 2;
    const bool v3 = c.V() >= 3;
    c.Double("起始桩号");
    c.Double("终止桩号");
    c.Double("挖方平均面积");
    c.Double("填方平均面积");
    c.Double("距离");
    c.Double("挖方总量");
    c.Doubles("%1含量"); // share of class k in the cut, %
    if (v2) {
        c.Doubles("%1系数"); // natural-to-compacted divisor of class k
    }
    c.Doubles("%1数量"); // cut of class k
    if (v2) {
        c.Doubles("%1数量(压实)");
    }
    c.Double("填方总量");
    c.Double("填土量");
    c.Double("填石量");
    if (v2) {
        c.Double("填土量(松方)");
        c.Double("填石量(松方)");
        c.Doubles("填%1");
        c.Doubles("填%1(压实)");
    }
    c.Double("本桩利用土"); // local reuse
    c.Double("本桩利用石");
    if (v2) {
        c.Double("利用土(松方)");
        c.Double("利用石(松方)");
        c.Doubles("利%1");
        c.Doubles("利%1(压实)");
    }
    c.Double("利用后填方总量");
    c.Double("填缺土"); // fill deficit
    c.Double("填缺石");
    if (v2) {
        c.Double("填缺土(松方)");
        c.Double("填缺石(松方)");
        c.Doubles("缺%1");
        c.Doubles("缺%1(压实)");
    }
    c.Double("挖余土"); // cut surplus
    c.Double("挖余石");
    c.Double("挖余土(压实)");
    c.Double("挖余石(压实)");
    if (v2) {
        c.Doubles("余%1");
        c.Doubles("余%1(压实)");
        c.Double("土方损耗率");
        c.Double("石方损耗率");
    }
    if (v3) {
        for (const QString& use : {QStringLiteral("可用"), QStringLiteral("不可用")}) {
            c.Double(use + QStringLiteral("挖余土"));
            c.Double(use + QStringLiteral("挖余石"));
            c.Double(use + QStringLiteral("挖余土(压实)"));
            c.Double(use + QStringLiteral("挖余石(压实)"));
            c.Doubles(use + QStringLiteral("余%1"));
            c.Doubles(use + QStringLiteral("余%1(压实)"));
        }
        c.Doubles("%1可用比例"); // usable share of class k, 0…1
    }
}

// [Tmp调配过程表]: the allocation log, two rows per recorded process (source, destination).
// 14 columns at version 1, 42 from version 2.
void TdpColumns(Cols& c) {
    const bool v2 = c.V() >= 2;
    c.Long("GCID"); // step number
    c.Long("ID");   // process number within the step
    c.Text("描述");
    c.Double("桩号1"); // start station of the row's item, m
    c.Double("桩号2"); // end station, m
    c.Double("调配前土数量");
    c.Double("调配前石数量");
    if (v2) {
        c.Double("前土(压实)");
        c.Double("前石(压实)");
        c.Doubles("前%1");
        c.Doubles("前%1(压实)");
    }
    c.Double("调配前总数量");
    c.Double("调配后土数量");
    c.Double("调配后石数量");
    if (v2) {
        c.Double("后土(压实)");
        c.Double("后石(压实)");
        c.Doubles("后%1");
        c.Doubles("后%1(压实)");
    }
    c.Double("调配后总数量");
    c.Bool("填挖"); // yes on the source row
    c.Bool("成败"); // yes when recorded successfully
    c.Long("坑");   // pit / link number + 1, or partner step + 2^28, 0 for none
}

// [调配过程表]: centres of gravity of the summarised steps.
void DpColumns(Cols& c) {
    c.Long("GCID");
    c.Long("ID");
    c.Text("描述");
    c.Double("桩号1");
    c.Double("桩号2");
    c.Double("调配前土数量");
    c.Double("调配前石数量");
    c.Double("调配前总数量");
    c.Double("调配后土数量");
    c.Double("调配后石数量");
    c.Double("调配后总数量");
    c.Double("调配前S土数量");
    c.Double("调配前S石数量");
    c.Double("调配后S土数量");
    c.Double("调配后S石数量");
    c.Bool("填挖");
    c.Bool("成败");
    c.Long("坑");
}

// [过程]: transfers per step as the tables report them. 12 columns, 30 from version 3.
void GchColumns(Cols& c) {
    c.Long("GCID");
    c.Double("取土段S"); // taking stretch, m
    c.Double("取土段E");
    c.Double("弃土段S"); // receiving stretch, m
    c.Double("弃土段E");
    c.Double("用土");
    c.Double("用石");
    c.Double("土方运距");
    c.Double("石方运距");
    c.Long("坑");
    c.Double("用土(压实)");
    c.Double("用石(压实)");
    if (c.V() >= 3) {
        c.Doubles("用土%1", 3, 1);
        c.Doubles("用石%1", 3, 4);
        c.Doubles("土方%1运距", 3, 1);
        c.Doubles("石方%1运距", 3, 4);
        c.Doubles("用土%1(压实)", 3, 1);
        c.Doubles("用石%1(压实)", 3, 4);
    }
}

// [土石计算2]: statistics per stretch. Up to version 3: 29 columns named by pinyin initials;
// versions 4 and 5: 117 Chinese columns; version 6 adds the cross-project blocks (165).
void TjtsjColumns(Cols& c) {
    if (c.V() <= 3) {
        for (const char* name :
             {"sta",    "esta", "len",  "wfzl",   "wtf",    "st",   "pt",   "yt",
              "wsf",    "rs",   "cjs",  "js",     "tfzl",   "ttf",  "tsf",  "lytf",
              "lysf",   "dptf", "dpsf", "dptfyj", "dpsfyj", "jftf", "jfsf", "jftfyj",
              "jfsfyj", "qftf", "qfsf", "qftfyj", "qfsfyj"}) {
            c.Double(name);
        }
        return;
    }
    c.Double("起点桩号");
    c.Double("终点桩号");
    c.Double("长度");
    c.Double("挖总量");
    c.Double("挖土");
    c.Doubles("挖%1", 3, 1);
    c.Double("挖石");
    c.Doubles("挖%1", 3, 4);
    c.Double("填总量");
    QStringList blocks{"填", "利", "调", "借", "弃"};
    if (c.V() >= 6) {
        blocks << QStringLiteral("调出") << QStringLiteral("调入");
    }
    for (const QString& b : blocks) {
        c.Doubles(YSoilRockClasses::ColumnNames(b, QStringLiteral("压实")));
        c.Doubles(YSoilRockClasses::ColumnNames(b, QStringLiteral("松方")));
        if (b != QStringLiteral("填") && b != QStringLiteral("利")) {
            c.Doubles(YSoilRockClasses::ColumnNames(b, QStringLiteral("运距")));
        }
    }
}

// [统计扩展]: loose and class quantities per stretch; 44 columns, 72 from version 6.
void TjExColumns(Cols& c) {
    c.Double("起始桩号");
    c.Double("终止桩号");
    QStringList blocks{"调", "借", "弃"};
    if (c.V() >= 6) {
        blocks << QStringLiteral("调出") << QStringLiteral("调入");
    }
    for (const QString& b : blocks) {
        c.Doubles(YLooseClasses::ColumnNames(b));
    }
}

// [土方调配扩展记录]: loose companion of the [土石计算] rows; 45 columns.
void TsjsExColumns(Cols& c) {
    c.Double("起始桩号");
    c.Double("终止桩号");
    c.Double("填方总量松");
    for (const char* b : {"填", "利", "缺"}) {
        c.Doubles(YLooseClasses::ColumnNames(QString::fromUtf8(b)));
    }
}

struct TableDef {
    const char* name;
    int fromVersion;
    bool perSegment;
    const char* sort; // sort and index columns, comma separated; empty: rowid order
    void (*columns)(Cols&);
};

// Creation order: input tables, then result tables.
const TableDef kTables[] = {
    {"逐桩断面", 1, false, "sta", ZzmjColumns},
    {"路槽", 1, false, "sta", LcColumns},
    {"土石系数", 1, false, "", TsxsColumns},
    {"土石含量", 1, false, "sta", TshlColumns},
    {"构造物", 1, false, "ssta", GzwColumns},
    {"取土坑", 1, false, "上路桩号", QtkColumns},
    {"弃土坑", 1, false, "上路桩号", QitkColumns},
    {"竖曲线", 1, false, "sta", SqxColumns},
    {"断链", 1, false, "ID", DlColumns},
    {"项目", 5, false, "属性名称", PrjProColumns},
    {"项目分段", 5, false, "分段编号", PrjFdColumns},
    {"相邻项目", 6, false, "编号", NearPrjColumns},
    {"版本", 3, false, "", VersionColumns},
    {"土石计算", 1, true, "起始桩号", TsjsColumns},
    {"土石计算中间表", 1, true, "起始桩号", TsjsColumns},
    {"Tmp调配过程表", 1, true, "GCID,ID", TdpColumns},
    {"调配过程表", 1, true, "GCID", DpColumns},
    {"过程", 1, true, "GCID", GchColumns},
    {"土石计算2", 1, true, "起点桩号", TjtsjColumns},
    {"统计扩展", 1, true, "起始桩号", TjExColumns},
    {"土方调配扩展记录", 1, true, "起始桩号", TsjsExColumns},
};

const TableDef* FindTable(const QString& table) {
    for (const TableDef& t : kTables) {
        if (table == QString::fromUtf8(t.name)) {
            return &t;
        }
    }
    return nullptr;
}

const TableDef* FindTable(const QString& table, int version) {
    const TableDef* t = FindTable(table);
    return (t != nullptr && version >= t->fromVersion) ? t : nullptr;
}

QString Quote(const QString& name) {
    return u'[' + name + u']';
}

// Per-segment tables get (分段编号, sort…), which serves the filtered, sorted query and the
// deletion of a segment's rows, plus (sort…) for the unfiltered query when no segment is
// current. Project-wide tables get (sort…). Every index ends in rowid implicitly, so
// "ORDER BY sort, rowid" is read straight from the index.
std::vector<QStringList> IndexColumns(const QString& table, int version) {
    const QStringList sort = YSchema::SortColumns(table, version);
    std::vector<QStringList> indexes;
    if (!sort.isEmpty()) {
        indexes.push_back(sort);
    }
    if (YSchema::IsPerSegment(table) && version >= 5) {
        indexes.push_back(QStringList{QStringLiteral("分段编号")} + sort);
    }
    return indexes;
}

// The template's class coefficients (natural-to-compacted divisors of classes I–VI).
constexpr double kTemplateCoefficients[6] = {1.23, 1.16, 1.09, 0.92, 0.92, 0.92};

bool InsertTemplateRows(YDatabase& db, int version) {
    QVariantList coefficients;
    for (double d : kTemplateCoefficients) {
        coefficients << d;
    }
    if (!db.Exec(QStringLiteral("INSERT INTO [土石系数] VALUES (?, ?, ?, ?, ?, ?)"),
                 coefficients)) {
        return false;
    }
    if (version < 3) {
        return true; // files of versions 1 and 2 carry no [版本]
    }
    return db.Exec(QStringLiteral("INSERT INTO [版本] ([编号], [VER]) VALUES (1, ?)"), {version});
}

} // namespace

QStringList YSchema::Tables(int version) {
    QStringList tables;
    for (const TableDef& t : kTables) {
        if (version >= t.fromVersion) {
            tables << QString::fromUtf8(t.name);
        }
    }
    return tables;
}

QStringList YSchema::AllTables() {
    return Tables(CurrentVersion);
}

bool YSchema::HasTable(const QString& table, int version) {
    return FindTable(table, version) != nullptr;
}

bool YSchema::IsPerSegment(const QString& table) {
    const TableDef* t = FindTable(table);
    return t != nullptr && t->perSegment;
}

std::vector<YColumnDef> YSchema::Columns(const QString& table, int version) {
    const TableDef* t = FindTable(table, version);
    if (t == nullptr) {
        return {};
    }
    Cols cols(version);
    if (t->perSegment && version >= 5) {
        cols.Int(QStringLiteral("分段编号"));
    }
    t->columns(cols);
    return cols.Take();
}

QStringList YSchema::SortColumns(const QString& table, int version) {
    const TableDef* t = FindTable(table, version);
    if (t == nullptr) {
        return {};
    }
    if (table == QStringLiteral("土石计算2") && version <= 3) {
        return {QStringLiteral("sta")}; // the pinyin layout's start station
    }
    return QString::fromUtf8(t->sort).split(u',', Qt::SkipEmptyParts);
}

QStringList YSchema::ClassNames() {
    return {QStringLiteral("松土"), QStringLiteral("普通土"), QStringLiteral("硬土"),
            QStringLiteral("软石"), QStringLiteral("次坚石"), QStringLiteral("坚石")};
}

QString YSchema::TypeName(YColType type) {
    switch (type) {
    case YColType::Text:
        return QStringLiteral("VARCHAR(255)");
    case YColType::Double:
        return QStringLiteral("DOUBLE");
    case YColType::Long:
        return QStringLiteral("INTEGER");
    case YColType::Int:
        return QStringLiteral("SMALLINT");
    case YColType::Bool:
        return QStringLiteral("BOOLEAN");
    }
    return {};
}

QString YSchema::CreateTableSql(const QString& table, int version) {
    QStringList defs;
    for (const YColumnDef& col : Columns(table, version)) {
        defs << Quote(col.name) + u' ' + TypeName(col.type);
    }
    if (defs.isEmpty()) {
        return {};
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(Quote(table), defs.join(QStringLiteral(", ")));
}

QStringList YSchema::CreateIndexSql(const QString& table, int version) {
    QStringList sql;
    for (const QStringList& cols : IndexColumns(table, version)) {
        QStringList quoted;
        for (const QString& c : cols) {
            quoted << Quote(c);
        }
        const QString name = QStringLiteral("ix_%1_%2").arg(table, cols.join(u'_'));
        sql << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                   .arg(Quote(name), Quote(table), quoted.join(QStringLiteral(", ")));
    }
    return sql;
}

bool YSchema::CreateTables(YDatabase& db, int version) {
    if (version < OldestVersion || version > CurrentVersion) {
        return false;
    }
    YTransaction tr(db);
    for (const QString& table : Tables(version)) {
        if (!db.Exec(CreateTableSql(table, version))) {
            return false;
        }
    }
    if (!EnsureIndexes(db, version) || !InsertTemplateRows(db, version)) {
        return false;
    }
    return tr.Commit();
}

bool YSchema::EnsureIndexes(YDatabase& db, int version) {
    YTransaction tr(db);
    for (const QString& table : Tables(version)) {
        const auto present = db.ColumnNames(table);
        if (!present) {
            continue; // an optional table the file lacks
        }
        const std::vector<QStringList> indexes = IndexColumns(table, version);
        const QStringList sql = CreateIndexSql(table, version);
        for (size_t i = 0; i < indexes.size(); ++i) {
            // A foreign file may lack a column; its record set reports that when it opens.
            const bool complete =
                std::all_of(indexes[i].begin(), indexes[i].end(),
                            [&](const QString& c) { return present->contains(c); });
            if (complete && !db.Exec(sql[int(i)])) {
                return false;
            }
        }
    }
    return tr.Commit();
}

bool YSchema::AddDetourColumn(YDatabase& db) {
    const auto cols = db.ColumnNames(QStringLiteral("构造物"));
    if (!cols) {
        return false;
    }
    if (cols->contains(QStringLiteral("绕行距离"))) {
        return true;
    }
    return db.Exec(QStringLiteral("ALTER TABLE [构造物] ADD COLUMN [绕行距离] DOUBLE"));
}

bool YSchema::CreateProject(YDatabase& db, const QString& path, int version) {
    if (version < OldestVersion || version > CurrentVersion) {
        db.Close();
        db.SetLastError(QStringLiteral("不支持的数据库版本：%1").arg(version));
        return false;
    }
    return db.Create(path, [version](YDatabase& d) { return CreateTables(d, version); });
}
