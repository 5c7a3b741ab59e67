#include "DbTestUtil.h"

#include "core/db/YGchSet.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YSchema.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTjExSet.h"
#include "core/db/YTjtsjSet.h"
#include "core/db/YTshlSet.h"
#include "core/db/YTsjsExSet.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZzmjSet.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using dalvex::test::CreateDatabase;
using dalvex::test::MakeAllSets;
using dalvex::test::ScratchDir;

namespace {

// Inserts one row whose columns all hold values of their own: numbers by column position
// (doubles + 0.5), texts "K0+<100 + position>.000", yes for yes/no, -1 for 分段编号; sta and
// ssta hold the station of the row's first text, as the sets keep them. Returns the values by
// column name.
QVariantMap InsertDistinctRow(YDatabase& db, const QString& table) {
    QSqlQuery info(db.Connection());
    EXPECT_TRUE(info.exec(QStringLiteral("PRAGMA table_info([%1])").arg(table)));
    QVariantMap values;
    QStringList names;
    double firstText = -1;
    for (int i = 1; info.next(); ++i) {
        const QString name = info.value(1).toString();
        const QString type = info.value(2).toString();
        QVariant v;
        if (name == QStringLiteral("分段编号") && YSchema::IsPerSegment(table)) {
            v = -1;
        } else if (type == QStringLiteral("VARCHAR(255)")) {
            v = QStringLiteral("K0+%1.000").arg(100 + i);
            firstText = firstText < 0 ? 100 + i : firstText;
        } else if (type == QStringLiteral("DOUBLE")) {
            v = i + 0.5;
        } else if (type == QStringLiteral("BOOLEAN")) {
            v = 1;
        } else {
            v = i;
        }
        names << name;
        values[name] = v;
    }
    for (const char* mirror : {"sta", "ssta"}) {
        if (values.contains(QString::fromUtf8(mirror)) && firstText >= 0) {
            values[QString::fromUtf8(mirror)] = firstText;
        }
    }
    QStringList quoted;
    QVariantList params;
    for (const QString& n : names) {
        quoted << u'[' + n + u']';
        params << values[n];
    }
    const QString marks = QStringList(quoted.size(), QStringLiteral("?")).join(u',');
    EXPECT_TRUE(db.Exec(
        QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)").arg(table, quoted.join(u','), marks),
        params))
        << db.LastError().toStdString();
    return values;
}

QStringList FileRow(YDatabase& db, const QString& table) {
    QSqlQuery q(db.Connection());
    EXPECT_TRUE(q.exec(QStringLiteral("SELECT * FROM [%1] ORDER BY rowid LIMIT 1").arg(table)));
    QStringList row;
    if (q.next()) {
        for (int i = 0; i < q.record().count(); ++i) {
            row << q.value(i).toString();
        }
    }
    return row;
}

// What a set binds at a layout version: the schema's columns. [构造物] always binds 绕行距离,
// which the load sequence adds to older files.
std::vector<YColumnDef> ExpectedColumns(const QString& table, int version) {
    return YSchema::Columns(table, table == QStringLiteral("构造物") ? 6 : version);
}

TEST(YRecordSetLayout, EverySetBindsTheColumnsOfEachLayoutVersion) {
    for (int v = 1; v <= 6; ++v) {
        ScratchDir dir;
        YDatabase db;
        CreateDatabase(db, dir, v);
        for (const auto& set : MakeAllSets(db)) {
            const QString table = set->TableName();
            const int before = db.Version();
            EXPECT_EQ(set->IsPerSegment(), YSchema::IsPerSegment(table));
            if (!YSchema::HasTable(table, v)) {
                EXPECT_FALSE(set->Open()) << table.toStdString() << " v" << v;
                EXPECT_EQ(db.Version(), before); // a missing table says nothing of the layout
                continue;
            }
            ASSERT_TRUE(set->Open()) << set->LastError().toStdString() << " v" << v;
            EXPECT_EQ(set->BoundColumnDefs(), ExpectedColumns(table, v))
                << table.toStdString() << " v" << v;
            const int segment = (set->IsPerSegment() && v >= 5) ? 1 : 0;
            EXPECT_EQ(set->FieldCount(), set->ColumnCount(v) + segment);
        }
        EXPECT_EQ(db.Version(), v);
    }
}

// A file without [版本] reads as version 2; the first set that cannot open with the version-2
// columns turns it into version 1, and the sets opened afterwards bind the version-1 columns.
TEST(YRecordSetLayout, VersionOneFilesAreFoundByTheRetry) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 1);
    EXPECT_EQ(db.Version(), 2);
    YZzmjSet zzmj(db);
    ASSERT_TRUE(zzmj.Open());
    EXPECT_EQ(db.Version(), 2); // the same columns in both layouts
    YTsjsSet tsjs(db);
    ASSERT_TRUE(tsjs.Open()) << tsjs.LastError().toStdString();
    EXPECT_EQ(db.Version(), 1);
    EXPECT_EQ(tsjs.FieldCount(), 30);
    EXPECT_FALSE(tsjs.HasClassColumns());
    YTdpSet tdp(db);
    ASSERT_TRUE(tdp.Open());
    EXPECT_EQ(tdp.FieldCount(), 14);
}

// Reading a row into the members and writing it back unchanged leaves every column as it was:
// each column has a member of its own and no two columns share one.
TEST(YRecordSetLayout, ReadAndWriteBackKeepsEveryColumn) {
    for (int v : {1, 2, 3, 4, 6}) {
        ScratchDir dir;
        YDatabase db;
        CreateDatabase(db, dir, v);
        for (const auto& set : MakeAllSets(db)) {
            const QString table = set->TableName();
            if (!YSchema::HasTable(table, v) || table == QStringLiteral("土石系数")) {
                continue;
            }
            InsertDistinctRow(db, table);
            const QStringList before = FileRow(db, table);
            ASSERT_TRUE(set->Open()) << set->LastError().toStdString();
            ASSERT_EQ(set->RecordCount(), 1);
            ASSERT_TRUE(set->Edit());
            ASSERT_TRUE(set->Update()) << set->LastError().toStdString();
            EXPECT_EQ(FileRow(db, table), before) << table.toStdString() << " v" << v;
            ASSERT_TRUE(set->Requery());
            ASSERT_TRUE(set->Edit());
            ASSERT_TRUE(set->Update());
            EXPECT_EQ(FileRow(db, table), before) << table.toStdString() << " v" << v;
        }
    }
}

class MemberFixture : public ::testing::Test {
  protected:
    void Make(int version, const char* table) {
        CreateDatabase(db, dir, version);
        values = InsertDistinctRow(db, QString::fromUtf8(table));
    }
    double At(const QString& column) const {
        EXPECT_TRUE(values.contains(column)) << column.toStdString();
        return values.value(column).toDouble();
    }
    // Checks a six-class array against columns named by pattern (%1 = first … first + 5).
    void Classes(const double* member, const QString& pattern, int first = 1) const {
        for (int k = 0; k < 6; ++k) {
            EXPECT_DOUBLE_EQ(member[k], At(pattern.arg(first + k))) << pattern.toStdString();
        }
    }

    ScratchDir dir;
    YDatabase db;
    QVariantMap values;
};

TEST_F(MemberFixture, SegmentComputationRows) {
    Make(6, "土石计算");
    YTsjsSet set(db);
    ASSERT_TRUE(set.Open());
    EXPECT_DOUBLE_EQ(set.m_staStart.Value(), At("起始桩号"));
    EXPECT_DOUBLE_EQ(set.m_dCutTotal, At("挖方总量"));
    Classes(set.m_dContent, QStringLiteral("%1含量"));
    Classes(set.m_dCoef, QStringLiteral("%1系数"));
    Classes(set.m_dCutC, QStringLiteral("%1数量(压实)"));
    Classes(set.m_dFillC, QStringLiteral("填%1(压实)"));
    Classes(set.m_dLocal, QStringLiteral("利%1"));
    Classes(set.m_dNeedC, QStringLiteral("缺%1(压实)"));
    EXPECT_DOUBLE_EQ(set.m_dNeedRockL, At("填缺石(松方)"));
    const struct {
        const YClassQuantities& q;
        QString prefix;
    } groups[] = {{set.m_rem, QString()},
                  {set.m_usable, QStringLiteral("可用")},
                  {set.m_unusable, QStringLiteral("不可用")}};
    for (const auto& g : groups) {
        // In DpAmt order.
        const QString names[4] = {QStringLiteral("挖余土"), QStringLiteral("挖余土(压实)"),
                                  QStringLiteral("挖余石"), QStringLiteral("挖余石(压实)")};
        for (int i = 0; i < 4; ++i) {
            EXPECT_DOUBLE_EQ(g.q[i], At(g.prefix + names[i]));
        }
        for (int k = 0; k < 6; ++k) {
            EXPECT_DOUBLE_EQ(g.q[4 + k], At(g.prefix + QStringLiteral("余%1").arg(k + 1)));
            EXPECT_DOUBLE_EQ(g.q[10 + k], At(g.prefix + QStringLiteral("余%1(压实)").arg(k + 1)));
        }
    }
    Classes(set.m_dUsableRate, QStringLiteral("%1可用比例"));
}

TEST_F(MemberFixture, TransferRows) {
    Make(6, "过程");
    YGchSet set(db);
    ASSERT_TRUE(set.Open());
    EXPECT_DOUBLE_EQ(set.m_staPutEnd.Value(), At("弃土段E"));
    EXPECT_DOUBLE_EQ(set.m_dRockDist, At("石方运距"));
    for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(set.m_dMoved[k], At(QStringLiteral("用土%1").arg(k + 1)));
        EXPECT_DOUBLE_EQ(set.m_dMoved[3 + k], At(QStringLiteral("用石%1").arg(k + 4)));
        EXPECT_DOUBLE_EQ(set.m_dDist[3 + k], At(QStringLiteral("石方%1运距").arg(k + 4)));
        EXPECT_DOUBLE_EQ(set.m_dMovedC[k], At(QStringLiteral("用土%1(压实)").arg(k + 1)));
    }
}

TEST_F(MemberFixture, StatisticsRows) {
    Make(6, "土石计算2");
    YTjtsjSet set(db);
    ASSERT_TRUE(set.Open());
    EXPECT_DOUBLE_EQ(set.m_dCutRock, At("挖石"));
    Classes(set.m_dCut, QStringLiteral("挖%1"));
    const struct {
        const YSoilRockClasses& g;
        const char* prefix;
        const char* suffix;
    } groups[] = {{set.m_fillL, "填", "松方"},    {set.m_localC, "利", "压实"},
                  {set.m_haulDist, "调", "运距"}, {set.m_borrowL, "借", "松方"},
                  {set.m_wasteC, "弃", "压实"},   {set.m_outDist, "调出", "运距"},
                  {set.m_inL, "调入", "松方"}};
    for (const auto& g : groups) {
        const QStringList names =
            YSoilRockClasses::ColumnNames(QString::fromUtf8(g.prefix), QString::fromUtf8(g.suffix));
        EXPECT_DOUBLE_EQ(g.g.dSoil, At(names[0]));
        EXPECT_DOUBLE_EQ(g.g.dRock, At(names[1]));
        for (int k = 0; k < 6; ++k) {
            EXPECT_DOUBLE_EQ(g.g.d[k], At(names[2 + k]));
        }
    }
}

TEST_F(MemberFixture, OldStatisticsRowsUsePinyinColumns) {
    Make(3, "土石计算2");
    YTjtsjSet set(db);
    ASSERT_TRUE(set.Open());
    EXPECT_TRUE(set.IsPinyinLayout());
    EXPECT_EQ(set.DefaultSort(), QStringLiteral("[sta]"));
    EXPECT_DOUBLE_EQ(set.m_staEnd.Value(), At("esta"));
    EXPECT_DOUBLE_EQ(set.m_dCut[4], At("cjs"));
    EXPECT_DOUBLE_EQ(set.m_fillC.dRock, At("tsf"));
    EXPECT_DOUBLE_EQ(set.m_haulDist.dSoil, At("dptfyj"));
    EXPECT_DOUBLE_EQ(set.m_wasteDist.dRock, At("qfsfyj"));
}

TEST_F(MemberFixture, ExtensionRows) {
    Make(6, "统计扩展");
    YTjExSet ex(db);
    ASSERT_TRUE(ex.Open());
    EXPECT_DOUBLE_EQ(ex.m_borrow.dRockLoose, At("借石量松"));
    Classes(ex.m_waste.dLoose, QStringLiteral("弃松%1"));
    Classes(ex.m_in.d, QStringLiteral("调入%1"));

    values = InsertDistinctRow(db, QStringLiteral("土方调配扩展记录"));
    YTsjsExSet tex(db);
    ASSERT_TRUE(tex.Open());
    EXPECT_DOUBLE_EQ(tex.m_dFillTotalL, At("填方总量松"));
    EXPECT_DOUBLE_EQ(tex.m_fill.dSoilLoose, At("填土量松"));
    Classes(tex.m_local.d, QStringLiteral("利%1"));
    Classes(tex.m_need.dLoose, QStringLiteral("缺松%1"));
}

TEST_F(MemberFixture, InputRows) {
    Make(6, "土石含量");
    InsertDistinctRow(db, QStringLiteral("取土坑"));
    YTshlSet tshl(db);
    ASSERT_TRUE(tshl.Open());
    const QStringList names = YSchema::ClassNames();
    for (int k = 0; k < 6; ++k) {
        EXPECT_DOUBLE_EQ(tshl.m_dShare[k], At(names[k]));
        EXPECT_DOUBLE_EQ(tshl.m_dUsable[k], At(names[k] + QStringLiteral("利用率")));
    }
    EXPECT_EQ(tshl.m_sta, YStation(101));

    YQtkSet qtk(db);
    ASSERT_TRUE(qtk.Open());
    EXPECT_EQ(qtk.m_strBack, QStringLiteral("K0+103.000"));
    EXPECT_EQ(qtk.m_staFront, YStation(102));
    EXPECT_DOUBLE_EQ(qtk.m_dShare[5], 10.5);
    EXPECT_DOUBLE_EQ(qtk.m_dRock, 12.5);

    InsertDistinctRow(db, QStringLiteral("相邻项目"));
    YNearPrjSet near(db);
    ASSERT_TRUE(near.Open());
    EXPECT_DOUBLE_EQ(near.m_staNear.Value(), 3.5);
    EXPECT_EQ(near.m_strNearGUID, QStringLiteral("K0+107.000"));
    EXPECT_EQ(near.m_nNearSegment, 8);
}

} // namespace
