#include "DbTestUtil.h"

#include "core/db/YGzwSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YSQXSet.h"
#include "core/db/YZzmjSet.h"

#include <gtest/gtest.h>

using dalvex::test::Column;
using dalvex::test::CreateDatabase;
using dalvex::test::ScratchDir;

namespace {

class InputFixture : public ::testing::Test {
  protected:
    void SetUp() override { CreateDatabase(db, dir, 6); }
    void Exec(const char* sql) { ASSERT_TRUE(db.Exec(QString::fromUtf8(sql))) << sql; }
    QStringList Rows(const char* sql) { return Column(db, QString::fromUtf8(sql)); }

    ScratchDir dir;
    YDatabase db;
};

TEST_F(InputFixture, StationTextsRoundTrip) {
    YZzmjSet set(db);
    ASSERT_TRUE(set.Open());

    // A new row given a station gets its display text and its metres.
    set.AddNew();
    set.m_sta = 1234.5;
    set.m_dCutArea = 3;
    ASSERT_TRUE(set.Update());
    // A new row given a text gets the station parsed from it.
    set.AddNew();
    set.m_strSta = QStringLiteral("K0+100");
    ASSERT_TRUE(set.Update());
    // A new row given neither stands at 0.
    set.AddNew();
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(Rows("SELECT [桩号] || '|' || [sta] FROM [逐桩断面] ORDER BY [sta]"),
              (QStringList{"K0+000.000|0.0", "K0+100|100.0", "K1+234.500|1234.5"}));

    ASSERT_TRUE(set.Requery());
    set.MoveLast();
    EXPECT_EQ(set.m_sta, YStation(1234.5));
    EXPECT_EQ(set.m_strSta, QStringLiteral("K1+234.500"));

    // Editing another column keeps the text as typed; moving the station rewrites both.
    set.MovePrev();
    ASSERT_TRUE(set.Edit());
    set.m_dFillArea = 2;
    ASSERT_TRUE(set.Update());
    ASSERT_TRUE(set.Edit());
    set.m_sta = set.m_sta + YStation(0.25);
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(set.m_strSta, QStringLiteral("K0+100.250"));
    // Changing only the text moves the station with it.
    ASSERT_TRUE(set.Edit());
    set.m_strSta = QStringLiteral("K0+050");
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(set.m_sta, YStation(50));
    EXPECT_EQ(Rows("SELECT [桩号] || '|' || [sta] || '|' || [填方面积] FROM [逐桩断面] "
                   "ORDER BY [sta]"),
              (QStringList{"K0+000.000|0.0|0.0", "K0+050|50.0|2.0", "K1+234.500|1234.5|0.0"}));
}

TEST_F(InputFixture, UnreadableStationTextsReadAsZeroAndStayAsTheyAre) {
    Exec("INSERT INTO [取土坑] ([上路桩号], [前经济分界点桩号], [后经济分界点桩号], [土方总量]) "
         "VALUES ('', 'abc', NULL, 500)");
    YQtkSet set(db);
    ASSERT_TRUE(set.Open());
    EXPECT_EQ(set.m_staRoad, YStation(0));
    EXPECT_EQ(set.m_staFront, YStation(0));
    EXPECT_EQ(set.m_staBack, YStation(0));
    ASSERT_TRUE(set.Edit());
    set.m_dSoil = 400;
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(Rows("SELECT quote([上路桩号]) || quote([前经济分界点桩号]) || "
                   "quote([后经济分界点桩号]) || [土方总量] FROM [取土坑]"),
              QStringList{"'''abc'NULL400.0"});
}

// Pits sort by the text of 上路桩号, as the file always did: "K10+000" < "K9+000".
TEST_F(InputFixture, PitsSortByStationText) {
    YQitkSet set(db);
    ASSERT_TRUE(set.Open());
    for (const char* text : {"K9+000", "K10+000", "K9+500", "K1+000"}) {
        set.AddNew();
        set.m_strRoad = QString::fromUtf8(text);
        set.m_dCapacity = 1;
        ASSERT_TRUE(set.Update());
    }
    const auto order = [&] {
        QStringList texts;
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
            texts << set.m_strRoad;
        }
        return texts;
    };
    const QStringList expected{"K1+000", "K10+000", "K9+000", "K9+500"};
    EXPECT_EQ(order(), expected);
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(order(), expected);
    ASSERT_TRUE(set.SeekText(QStringLiteral("K9+000")));
    EXPECT_EQ(set.Position(), 2);
    EXPECT_FALSE(set.SeekText(QStringLiteral("K9")));
    EXPECT_FALSE(set.Seek({9000.0})); // a text key
}

TEST_F(InputFixture, OldPitLayoutTakesTheBoundariesFromTheRoadStation) {
    YDatabase old;
    CreateDatabase(old, dir, 2, QStringLiteral("v2.dvx"));
    ASSERT_TRUE(old.Exec(QStringLiteral(
        "INSERT INTO [取土坑] ([上路桩号], [支线长度], [土方总量]) VALUES ('K2+300', 150, 800)")));
    YQtkSet set(old);
    ASSERT_TRUE(set.Open());
    EXPECT_EQ(set.FieldCount(), 10);
    EXPECT_FALSE(set.HasBoundaries());
    EXPECT_EQ(set.m_strFront, QStringLiteral("K2+300"));
    EXPECT_EQ(set.m_staBack, YStation(2300));
    EXPECT_DOUBLE_EQ(set.m_dBranch, 150);
    ASSERT_TRUE(set.Edit());
    set.m_dSoil = 700;
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(Column(old, QStringLiteral("SELECT [上路桩号] || '|' || [土方总量] FROM [取土坑]")),
              QStringList{"K2+300|700.0"});
}

TEST_F(InputFixture, NullNumbersReadAsZeroAndNullDetourAsNoDetour) {
    Exec("INSERT INTO [构造物] ([起始桩号], [终止桩号], [名称], [ssta]) "
         "VALUES ('K1+000', 'K1+100', '大桥', NULL)");
    Exec("INSERT INTO [构造物] ([起始桩号], [绕行距离], [能否跨越], [ssta]) "
         "VALUES ('K2+000', 0, -1, 2000)");
    YGzwSet set(db);
    ASSERT_TRUE(set.Open());
    ASSERT_EQ(set.RecordCount(), 2);
    EXPECT_EQ(set.m_strName, QStringLiteral("大桥")); // NULL ssta sorts first
    EXPECT_DOUBLE_EQ(set.m_dSpan, 0);
    EXPECT_FALSE(set.m_bCrossable);
    EXPECT_FALSE(set.m_dDetour.has_value());
    EXPECT_EQ(set.m_staEnd, YStation(1100));
    set.MoveNext();
    ASSERT_TRUE(set.m_dDetour.has_value());
    EXPECT_DOUBLE_EQ(*set.m_dDetour, 0);
    EXPECT_TRUE(set.m_bCrossable); // a legacy "yes" of -1

    // Writing keeps "no detour" apart from a detour of 0 m.
    set.MoveFirst();
    ASSERT_TRUE(set.Edit());
    set.m_dSpan = 40;
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(Rows("SELECT ifnull([名称], '') || ':' || quote([绕行距离]) || ':' || [ssta] "
                   "FROM [构造物] "
                   "ORDER BY [ssta]"),
              (QStringList{"大桥:NULL:1000.0", ":0.0:2000.0"}));
}

TEST_F(InputFixture, BadValuesFailClearly) {
    const struct {
        const char* sql;
        const char* column;
    } cases[] = {
        {"INSERT INTO [逐桩断面] ([桩号], [挖方面积]) VALUES ('K0+000', 'abc')", "挖方面积"},
        {"INSERT INTO [逐桩断面] ([桩号], [sta]) VALUES ('K0+000', x'0102')", "sta"},
        {"INSERT INTO [竖曲线] ([编号]) VALUES (1e12)", "编号"},
        {"INSERT INTO [竖曲线] ([编号]) VALUES (2.5)", "编号"},
        {"INSERT INTO [竖曲线] ([桩号]) VALUES (x'00ff')", "桩号"},
    };
    for (const auto& c : cases) {
        Exec("DELETE FROM [逐桩断面]");
        Exec("DELETE FROM [竖曲线]");
        Exec(c.sql);
        YZzmjSet zzmj(db);
        YSQXSet sqx(db);
        YRecordset& set = QString::fromUtf8(c.sql).contains(QStringLiteral("竖曲线"))
                              ? static_cast<YRecordset&>(sqx)
                              : static_cast<YRecordset&>(zzmj);
        EXPECT_FALSE(set.Open()) << c.sql;
        EXPECT_FALSE(set.IsOpen());
        EXPECT_TRUE(set.LastError().contains(QString::fromUtf8(c.column)))
            << set.LastError().toStdString();
        EXPECT_TRUE(set.LastError().contains(QStringLiteral("第1行"))) << c.sql;
    }

    // A blank text counts as no value; a number written as text is read.
    Exec("DELETE FROM [逐桩断面]");
    Exec(
        "INSERT INTO [逐桩断面] ([桩号], [挖方面积], [填方面积]) VALUES ('K0+000', '  ', ' 12.5')");
    YZzmjSet set(db);
    ASSERT_TRUE(set.Open()) << set.LastError().toStdString();
    EXPECT_DOUBLE_EQ(set.m_dCutArea, 0);
    EXPECT_DOUBLE_EQ(set.m_dFillArea, 12.5);
}

TEST_F(InputFixture, MissingTablesAndColumnsFailClearly) {
    Exec("DROP TABLE [竖曲线]");
    YSQXSet sqx(db);
    EXPECT_FALSE(sqx.Open());
    EXPECT_EQ(sqx.LastError(), QStringLiteral("表[竖曲线]：缺少这个表"));

    Exec("DROP TABLE [逐桩断面]");
    Exec("CREATE TABLE [逐桩断面] ([桩号] VARCHAR(255), [挖方面积] DOUBLE, [填方面积] DOUBLE, "
         "[中桩填挖] DOUBLE, [sta] DOUBLE)");
    YZzmjSet zzmj(db);
    EXPECT_FALSE(zzmj.Open());
    EXPECT_EQ(zzmj.LastError(), QStringLiteral("表[逐桩断面]：缺少列[挖方面积1]、[填方面积1]"));
    EXPECT_EQ(db.Version(), 6);
}

TEST_F(InputFixture, OverlongTextIsRefusedAndNothingIsWritten) {
    YGzwSet set(db);
    ASSERT_TRUE(set.Open());
    set.AddNew();
    set.m_strName = QString(256, u'桥');
    EXPECT_FALSE(set.Update());
    EXPECT_TRUE(set.LastError().contains(QStringLiteral("[名称]")));
    set.m_strName = QString(255, u'桥');
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(Rows("SELECT length([名称]) FROM [构造物]"), QStringList{"255"});
}

} // namespace
