#include "DbTestUtil.h"

#include "core/db/YSchema.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using dalvex::test::Column;
using dalvex::test::CreateDatabase;
using dalvex::test::ScratchDir;

namespace {

// Column counts of every table at layout versions 1 … 6, without 分段编号 (0: no such table),
// as the file layout prescribes them.
struct LayoutRow {
    const char* table;
    int count[6];
};

const LayoutRow kLayout[] = {
    {"逐桩断面", {7, 7, 7, 7, 7, 7}},
    {"路槽", {4, 4, 4, 4, 4, 4}},
    {"土石系数", {6, 6, 6, 6, 6, 6}},
    {"土石含量", {8, 8, 14, 14, 14, 14}},
    {"构造物", {6, 6, 6, 6, 6, 7}},
    {"取土坑", {10, 10, 12, 12, 12, 12}},
    {"弃土坑", {3, 3, 5, 5, 5, 5}},
    {"竖曲线", {5, 5, 5, 5, 5, 5}},
    {"断链", {2, 2, 2, 2, 2, 2}},
    {"项目", {0, 0, 0, 0, 2, 2}},
    {"项目分段", {0, 0, 0, 0, 2, 2}},
    {"相邻项目", {0, 0, 0, 0, 0, 8}},
    {"版本", {0, 0, 2, 2, 2, 2}},
    {"土石计算", {30, 98, 136, 136, 136, 136}},
    {"土石计算中间表", {30, 98, 136, 136, 136, 136}},
    {"Tmp调配过程表", {14, 42, 42, 42, 42, 42}},
    {"调配过程表", {18, 18, 18, 18, 18, 18}},
    {"过程", {12, 12, 30, 30, 30, 30}},
    {"土石计算2", {29, 29, 29, 117, 117, 165}},
    {"统计扩展", {44, 44, 44, 44, 44, 72}},
    {"土方调配扩展记录", {45, 45, 45, 45, 45, 45}},
};

const char* const kPerSegment[] = {
    "土石计算", "土石计算中间表", "Tmp调配过程表", "调配过程表",
    "过程",     "土石计算2",      "统计扩展",      "土方调配扩展记录"};

bool IsPerSegment(const QString& table) {
    return std::any_of(std::begin(kPerSegment), std::end(kPerSegment),
                       [&](const char* t) { return table == QString::fromUtf8(t); });
}

QStringList Names(const std::vector<YColumnDef>& cols) {
    QStringList names;
    for (const auto& c : cols) {
        names << c.name;
    }
    return names;
}

TEST(YSchema, ColumnCountsPerTableAndVersion) {
    EXPECT_EQ(YSchema::AllTables().size(), int(std::size(kLayout)));
    for (const LayoutRow& row : kLayout) {
        const QString table = QString::fromUtf8(row.table);
        EXPECT_EQ(YSchema::IsPerSegment(table), IsPerSegment(table)) << row.table;
        for (int v = 1; v <= 6; ++v) {
            const int segment = (IsPerSegment(table) && v >= 5) ? 1 : 0;
            const int expected = row.count[v - 1] == 0 ? 0 : row.count[v - 1] + segment;
            EXPECT_EQ(int(YSchema::Columns(table, v).size()), expected) << row.table << " v" << v;
            EXPECT_EQ(YSchema::HasTable(table, v), expected > 0) << row.table << " v" << v;
            EXPECT_EQ(YSchema::Tables(v).contains(table), expected > 0);
        }
    }
}

TEST(YSchema, ColumnNamesAndOrder) {
    const QStringList tsjs = Names(YSchema::Columns(QStringLiteral("土石计算"), 6));
    EXPECT_EQ(tsjs.first(), QStringLiteral("分段编号"));
    EXPECT_EQ(tsjs[1], QStringLiteral("起始桩号"));
    EXPECT_EQ(tsjs[7], QStringLiteral("1含量"));
    EXPECT_EQ(tsjs.indexOf(QStringLiteral("6数量(压实)")) + 1,
              tsjs.indexOf(QStringLiteral("填方总量")));
    EXPECT_EQ(tsjs.indexOf(QStringLiteral("挖余石(压实)")) + 1,
              tsjs.indexOf(QStringLiteral("余1")));
    EXPECT_EQ(tsjs.indexOf(QStringLiteral("石方损耗率")) + 1,
              tsjs.indexOf(QStringLiteral("可用挖余土")));
    EXPECT_EQ(tsjs.last(), QStringLiteral("6可用比例"));
    EXPECT_EQ(QStringList(tsjs).removeDuplicates(), 0);

    const QStringList v1 = Names(YSchema::Columns(QStringLiteral("土石计算"), 1));
    EXPECT_FALSE(v1.contains(QStringLiteral("1系数")));
    EXPECT_EQ(v1.last(), QStringLiteral("挖余石(压实)"));

    const QStringList tdp = Names(YSchema::Columns(QStringLiteral("Tmp调配过程表"), 2));
    EXPECT_EQ(tdp.mid(5, 6), (QStringList{"调配前土数量", "调配前石数量", "前土(压实)",
                                          "前石(压实)", "前1", "前2"}));
    const QStringList tj6 = Names(YSchema::Columns(QStringLiteral("土石计算2"), 6));
    EXPECT_FALSE(tj6.contains(QStringLiteral("填土运距"))); // fill and reuse have no distances
    const QStringList tj3 = Names(YSchema::Columns(QStringLiteral("土石计算2"), 3));
    EXPECT_EQ(tj3.mid(12, 3), (QStringList{"tfzl", "ttf", "tsf"}));
}

// The version-5 layout of the two statistics tables is the version-4 one plus 分段编号.
TEST(YSchema, VersionFiveStatisticsTablesHaveNoCrossProjectColumns) {
    for (const char* table : {"统计扩展", "土石计算2"}) {
        const auto v4 = YSchema::Columns(QString::fromUtf8(table), 4);
        auto v5 = YSchema::Columns(QString::fromUtf8(table), 5);
        ASSERT_EQ(v5.front().name, QStringLiteral("分段编号"));
        v5.erase(v5.begin());
        EXPECT_EQ(v4, v5) << table;
    }
}

TEST(YSchema, NewFileHasEveryTableAndColumnWithItsType) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    for (const QString& table : YSchema::Tables(6)) {
        QSqlQuery q(db.Connection());
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA table_info([%1])").arg(table)));
        std::vector<YColumnDef> actual;
        while (q.next()) {
            const QString type = q.value(2).toString();
            const YColType t = type == QStringLiteral("VARCHAR(255)") ? YColType::Text
                               : type == QStringLiteral("INTEGER")    ? YColType::Long
                               : type == QStringLiteral("SMALLINT")   ? YColType::Int
                               : type == QStringLiteral("BOOLEAN")    ? YColType::Bool
                                                                      : YColType::Double;
            EXPECT_TRUE(type == YSchema::TypeName(t)) << type.toStdString();
            actual.push_back({q.value(1).toString(), t});
        }
        EXPECT_EQ(actual, YSchema::Columns(table, 6)) << table.toStdString();
    }
}

TEST(YSchema, NewFileStartsWithVersionRowAndTemplateCoefficients) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    EXPECT_EQ(Column(db, QStringLiteral("SELECT [编号] || ',' || [VER] FROM [版本]")),
              QStringList{QStringLiteral("1,6")});
    QSqlQuery q(db.Connection());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT * FROM [土石系数]")));
    ASSERT_TRUE(q.next());
    const double expected[6] = {1.23, 1.16, 1.09, 0.92, 0.92, 0.92};
    for (int k = 0; k < 6; ++k) {
        EXPECT_DOUBLE_EQ(q.value(k).toDouble(), expected[k]);
    }
    EXPECT_FALSE(q.next());
    for (const QString& table : YSchema::Tables(6)) {
        if (table != QStringLiteral("版本") && table != QStringLiteral("土石系数")) {
            EXPECT_EQ(db.RowCount(table), 0) << table.toStdString();
        }
    }
}

TEST(YSchema, EachLayoutHasItsTablesAndNoVersionTableBeforeThree) {
    for (int v = 1; v <= 6; ++v) {
        ScratchDir dir;
        YDatabase db;
        ASSERT_TRUE(YSchema::CreateProject(db, dir.Path(QStringLiteral("old.dvx")), v));
        QStringList tables = db.TableNames();
        QStringList expected = YSchema::Tables(v);
        tables.sort();
        expected.sort();
        EXPECT_EQ(tables, expected) << "v" << v;
        EXPECT_EQ(db.Version(), v < 3 ? 2 : v); // no [版本]: read as version 2
        EXPECT_EQ(db.RowCount(QStringLiteral("土石系数")), 1);
    }
}

// Every record-set query (filtered by segment or not) is answered in sort order from an
// index, without sorting the table.
TEST(YSchema, IndexesServeTheSortedAndFilteredQueries) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    for (const QString& table : YSchema::Tables(6)) {
        const QStringList sort = YSchema::SortColumns(table, 6);
        if (sort.isEmpty()) {
            continue;
        }
        QStringList quoted;
        for (const QString& c : sort) {
            quoted << u'[' + c + u']';
        }
        QStringList filters{QString()};
        if (YSchema::IsPerSegment(table)) {
            filters << QStringLiteral(" WHERE [分段编号] = 3");
        }
        for (const QString& where : filters) {
            const QString sql =
                QStringLiteral("EXPLAIN QUERY PLAN SELECT * FROM [%1]%2 ORDER BY %3, rowid")
                    .arg(table, where, quoted.join(u','));
            QSqlQuery q(db.Connection());
            ASSERT_TRUE(q.exec(sql));
            QString plan;
            while (q.next()) {
                plan += q.value(3).toString() + u'\n';
            }
            EXPECT_FALSE(plan.contains(QStringLiteral("TEMP B-TREE"))) << plan.toStdString();
            EXPECT_TRUE(plan.contains(QStringLiteral("INDEX"))) << plan.toStdString();
        }
    }
}

TEST(YSchema, DetourColumnIsAddedOnceAndOldRowsHaveNoDetour) {
    ScratchDir dir;
    YDatabase db;
    ASSERT_TRUE(YSchema::CreateProject(db, dir.Path(QStringLiteral("v5.dvx")), 5));
    ASSERT_TRUE(db.Exec(
        QStringLiteral("INSERT INTO [构造物] ([起始桩号], [ssta]) VALUES ('K0+100.000', 100)")));
    EXPECT_FALSE(db.ColumnNames(QStringLiteral("构造物"))->contains(QStringLiteral("绕行距离")));
    ASSERT_TRUE(YSchema::AddDetourColumn(db));
    ASSERT_TRUE(YSchema::AddDetourColumn(db)); // the second opening finds it there
    EXPECT_EQ(db.ColumnNames(QStringLiteral("构造物"))->count(QStringLiteral("绕行距离")), 1);
    EXPECT_EQ(Column(db, QStringLiteral("SELECT typeof([绕行距离]) FROM [构造物]")),
              QStringList{QStringLiteral("null")});
}

TEST(YSchema, EnsureIndexesSkipsWhatAForeignFileCannotIndex) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    ASSERT_TRUE(db.Exec(QStringLiteral("DROP TABLE [竖曲线]")));
    ASSERT_TRUE(db.Exec(QStringLiteral("DROP TABLE [路槽]")));
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TABLE [路槽] ([桩号] VARCHAR(255))")));
    EXPECT_TRUE(YSchema::EnsureIndexes(db, 6)) << db.LastError().toStdString();
}

} // namespace
