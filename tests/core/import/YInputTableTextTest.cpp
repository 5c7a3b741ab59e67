#include "ImportFixture.h"

#include "core/import/YInputTableText.h"
#include "core/station/YStation.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using Clear = YInputTableText::Clear;
using Status = YInputTableText::Status;

const YInputTableDef& Def(const char* name) {
    const YInputTableDef* def = YInputTableDef::Find(QString::fromUtf8(name));
    EXPECT_NE(def, nullptr) << name;
    return *def;
}

YInputTableText::Result Import(ImportFixture& f, const char* table, const QByteArray& text,
                               Clear clear = Clear::Ask) {
    const QString path = f.File("in.txt", text);
    return YInputTableText(f.db, f.io).Import(Def(table), path, clear);
}

QByteArray Export(ImportFixture& f, const char* table) {
    const QString path = f.dir.Path("out.txt");
    const auto result = YInputTableText(f.db, f.io).Export(Def(table), path);
    EXPECT_EQ(result.status, Status::Done) << table;
    return f.ReadFile(path);
}

TEST(InputTableDef, FindsTablesByNameBracketsOrAlias) {
    EXPECT_EQ(YInputTableDef::Find("路槽"), YInputTableDef::Find("[路槽]"));
    EXPECT_EQ(YInputTableDef::Find("trough"), YInputTableDef::Find("路槽"));
    EXPECT_EQ(YInputTableDef::Find("逐桩断面"), nullptr);
    EXPECT_EQ(YInputTableDef::All().size(), 8u);
}

TEST(InputTableText, TroughFileHasWidthBeforeHeight) {
    ImportFixture f;
    const auto result = Import(f, "路槽", "K0+100 \t7.500 \t0.800\r\n");
    ASSERT_EQ(result.status, Status::Done);
    EXPECT_EQ(result.nRows, 1);
    EXPECT_EQ(f.Rows("SELECT [桩号],[宽度],[高度],[sta] FROM [路槽]"),
              QStringList{"K0+100|7.5|0.8|100"});
    EXPECT_EQ(Export(f, "路槽"), QByteArray("K0+100 \t7.500 \t0.800\r\n"));
}

TEST(InputTableText, StructureLinesKeepTheirOddSpacingAndEmptyDetour) {
    ImportFixture f;
    f.Exec(
        "INSERT INTO [构造物] ([起始桩号],[终止桩号],[名称],[跨径],[能否跨越],[绕行距离],[ssta]) "
        "VALUES ('K1+000.000','K1+120.000','大桥',120,1,350,1000)");
    f.Exec("INSERT INTO [构造物] ([起始桩号],[终止桩号],[名称],[跨径],[能否跨越],[ssta]) "
           "VALUES ('K2+000.000','K2+030.000','中桥',30,0,2000)");
    EXPECT_EQ(Export(f, "构造物"),
              QByteArray("K1+000.000 \tK1+120.000 \t大桥 \t 120.000 \t1\t 350.000\r\n"
                         "K2+000.000 \tK2+030.000 \t中桥 \t 30.000 \t0\t 0.0\r\n"));
    // Read back into an empty project: the same rows, ssta from the start station.
    ImportFixture g;
    const QString path = g.File("s.txt", Export(f, "构造物"));
    ASSERT_TRUE(YInputTableText(g.db, g.io).Import(Def("构造物"), path, Clear::Ask).Ok());
    EXPECT_EQ(g.Rows("SELECT [名称],[跨径],[能否跨越],[绕行距离],[ssta] FROM [构造物] "
                     "ORDER BY [ssta]"),
              QStringList({"大桥|120|1|350|1000", "中桥|30|0|0|2000"}));
}

TEST(InputTableText, EveryTableRoundTripsThroughItsText) {
    // Text in each table's line layout, as a user would write it: comments, blank lines,
    // extra spaces, and one short line that is skipped.
    struct Case {
        const char* table;
        QByteArray text;
        int rows;
    };
    const Case cases[] = {
        {"路槽", "; trough\nK0+000 7.5 0.8\n\n  K0+500\t7.5\t0.6  \nK1+000 7.5\n", 2},
        {"构造物", "K0+100 K0+160 桥 60 0 0\n", 1},
        {"取土坑", "K0+200 K0+000 K0+400 150 10 60 30 0 0 0 5000 0\n", 1},
        {"弃土坑", "K0+300 K0+300 K0+300 80 12000\n", 1},
        {"土石含量", "K1+000 10 100 60 90 30 80 0 100 0 100 0 100\n", 1},
        {"项目分段", "1 K1+000\n2 K2+000\n", 2},
        {"竖曲线", "K0+000 100 0\nK0+600 112.5 8000\n", 2},
        {"断链", "K1+200=K1+250\n", 1},
    };
    for (const Case& c : cases) {
        ImportFixture f;
        const auto result = Import(f, c.table, c.text);
        ASSERT_EQ(result.status, Status::Done) << c.table;
        EXPECT_EQ(result.nRows, c.rows) << c.table;
        const QByteArray first = Export(f, c.table);
        // Exported text read into a second project exports the same again.
        ImportFixture g;
        ASSERT_TRUE(Import(g, c.table, first).Ok()) << c.table;
        EXPECT_EQ(Export(g, c.table), first) << c.table;
        EXPECT_EQ(first.count("\r\n"), c.rows) << c.table;
    }
}

TEST(InputTableText, OldLayoutsExchangeWhatTheyHave) {
    ImportFixture f(2);
    // Twelve fields as a newer program writes them; version 2 keeps no boundaries.
    ASSERT_TRUE(Import(f, "取土坑", "K0+200 K0+000 K0+400 150 10 60 30 0 0 0 5000 0\n").Ok());
    EXPECT_EQ(Export(f, "取土坑"),
              QByteArray("K0+200 \tK0+200 \tK0+200 \t150.000 \t10.000 \t60.000 \t30.000 \t"
                         "0.000 \t0.000 \t0.000 \t5000.000 \t0.000\r\n"));
    ASSERT_TRUE(Import(f, "土石含量", "K1+000 10 60 30 0 0 0\n").Ok());
    EXPECT_EQ(Export(f, "土石含量"),
              QByteArray("K1+000 \t10.000 \t60.000 \t30.000 \t0.000 \t0.000 \t0.000\r\n"));
    ImportFixture v4(4);
    EXPECT_EQ(Import(v4, "项目分段", "1 K1+000\n").status, Status::NoTable);
}

TEST(InputTableText, ClearingIsAskedOnlyWhenRowsExist) {
    ImportFixture f;
    ASSERT_TRUE(Import(f, "路槽", "K0+000 7 0.8\n").Ok());
    EXPECT_TRUE(f.io.Questions().isEmpty());
    f.io.QueueAnswer(false);
    ASSERT_TRUE(Import(f, "路槽", "K0+500 7 0.8\n").Ok());
    EXPECT_EQ(f.io.Questions(), QStringList{"是否清除原有数据?"});
    EXPECT_EQ(f.Count("路槽"), 2);
    f.io.QueueAnswer(true);
    ASSERT_TRUE(Import(f, "路槽", "K0+900 7 0.8\n").Ok());
    EXPECT_EQ(f.Rows("SELECT [sta] FROM [路槽]"), QStringList{"900"});
    ASSERT_TRUE(Import(f, "路槽", "K1+000 7 0.8\n", Clear::Yes).Ok());
    ASSERT_TRUE(Import(f, "路槽", "K1+100 7 0.8\n", Clear::No).Ok());
    EXPECT_EQ(f.Rows("SELECT [sta] FROM [路槽] ORDER BY [sta]"), QStringList({"1000", "1100"}));
    EXPECT_EQ(f.io.Questions().size(), 2);
}

// A line that cannot be read, or holds a number no road has, is named with the reason; the
// clearing and the lines before it are rolled back.
TEST(InputTableText, BadLineRollsBackClearingAndEarlierLines) {
    struct Case {
        const char* table;
        QByteArray text;
        int line;
        const char* reason;
    };
    const char* format = "格式不对";
    const char* value = "数值超出范围（须小于1e7）";
    const char* percent = "百分比超出范围（0～100）";
    const Case cases[] = {
        {"路槽", "K0+600 7 0.8\n;\nK0+700 7 x\n", 3, format},
        {"路槽", "K0+600 7 0.8\nnostation 7 0.8\n", 2, format},
        {"构造物", "K0+100 K0+160 桥 60 yes 0\n", 1, format},
        {"项目分段", "one K1+000\n", 1, format},
        {"断链", "K1+200=K1+250\nK1+100=K1+300\n", 2, format}, // second break before the first
        {"竖曲线", "K0+000 100 nan\n", 1, format},
        {"路槽", "K0+600 7 0.8\nK0+700 1e308 0.8\n", 2, value},
        {"构造物", "K0+100 K0+160 桥 60 1 -2e7\n", 1, value},
        {"路槽", "K1000000+000 7 0.8\n", 1, "桩号超出范围（-1e8～1e8 m）"},
        {"土石含量", "K0+000 150 100 0 100 0 100 0 100 0 100 -50 100\n", 1, percent},
        {"取土坑", "K0+100 K0+000 K0+200 50 0 0 100.5 0 0 0 5000 0\n", 1, percent},
    };
    for (const Case& c : cases) {
        ImportFixture f;
        f.Exec("INSERT INTO [路槽] ([桩号],[宽度],[高度],[sta]) VALUES ('K0+000',7,0.8,0)");
        const QString path = f.File("bad.txt", c.text);
        const auto result = YInputTableText(f.db, f.io).Import(Def(c.table), path, Clear::Yes);
        EXPECT_EQ(result.status, Status::BadLine) << c.table;
        EXPECT_EQ(f.io.Texts(), QStringList{QString("数据文件%1第%2行%3,请改正后再运行\n")
                                                .arg(QFileInfo(path).absoluteFilePath())
                                                .arg(c.line)
                                                .arg(QString::fromUtf8(c.reason))})
            << c.table;
        EXPECT_EQ(f.Count("路槽"), 1) << c.table;
        EXPECT_EQ(f.Count(Def(c.table).table), Def(c.table).table == "路槽" ? 1 : 0) << c.table;
    }
}

TEST(InputTableText, GbkFilesReadAsGbk) {
    ImportFixture f;
    // "大桥" in GBK.
    ASSERT_TRUE(Import(f, "构造物", "K0+100 K0+160 \xb4\xf3\xc7\xc5 60 0 0\n").Ok());
    EXPECT_EQ(f.Rows("SELECT [名称] FROM [构造物]"), QStringList{"大桥"});
}

TEST(InputTableText, ChainBreakImportReachesTheProjectsNumbering) {
    ImportFixture f;
    ASSERT_TRUE(Import(f, "断链", "K1+200=K1+250\n").Ok());
    EXPECT_EQ(f.db.Numbering().ChainBreakCount(), 1);
    // Stations read afterwards see the break: K1+300 is 50 m after it, at 1250 m.
    ASSERT_TRUE(Import(f, "路槽", "K1+300 7 0.8\n").Ok());
    EXPECT_EQ(f.Rows("SELECT [sta] FROM [路槽]"), QStringList{"1250"});
    // Appending continues the numbering and the order check.
    ASSERT_TRUE(Import(f, "断链", "K2+000=K1+990\n", Clear::No).Ok());
    EXPECT_EQ(f.Rows("SELECT [ID],[断链] FROM [断链] ORDER BY [ID]"),
              QStringList({"1|K1+200=K1+250", "2|K2+000=K1+990"}));
    EXPECT_EQ(f.db.Numbering().ChainBreakCount(), 2);
}

} // namespace
