#include "ImportFixture.h"

#include "core/import/YTfImport.h"
#include "core/station/YStation.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using Status = YTfImport::Status;

// Station, height, cut, fill, with a header line that the start line skips.
const QByteArray kFile = "// 逐桩断面\n"
                         "\n"
                         "桩号 填挖高 挖方 填方\n"
                         "0 -1.2 12.5 0\n"
                         "20.5 0.8 -3 -4.25\n"
                         "40 0 0 6\n";

TfFormat Format() {
    TfFormat f;
    f.m_strName = "纬地";
    f.m_nStartLine = 2;
    return f;
}

TEST(TfImport, ProjectImportWritesSectionsSegmentAndIdentity) {
    ImportFixture f;
    f.Exec("INSERT INTO [逐桩断面] ([桩号],[sta]) VALUES ('K9+000.000', 9000)");
    f.Exec("INSERT INTO [项目] ([属性名称],[属性值]) VALUES ('项目标识', 'AK')");
    f.Exec("INSERT INTO [项目分段] ([分段编号],[结束桩号]) VALUES (3, 'K9+000.000')");
    const QString path = f.File("road.v1.tf", kFile);
    const auto result = YTfImport(f.db, f.io).Import(path, Format(), YTfImport::Scope::Project);
    ASSERT_EQ(result.status, Status::Done);
    EXPECT_EQ(result.nRows, 3);
    EXPECT_EQ(f.io.Texts(), QStringList{"读入土方数据完成! "});
    EXPECT_GT(f.io.WaitCount(), 0);
    EXPECT_EQ(f.io.WaitDepth(), 0);
    EXPECT_EQ(f.Rows("SELECT [桩号],[挖方面积],[填方面积],[中桩填挖],[sta] FROM [逐桩断面] "
                     "ORDER BY [sta]"),
              QStringList({"K0+000.000|12.5|0|-1.2|0", "K0+020.500|3|4.25|0.8|20.5",
                           "K0+040.000|0|6|0|40"}));
    EXPECT_EQ(f.Rows("SELECT [分段编号],[结束桩号] FROM [项目分段]"), QStringList{"1|K0+040.000"});
    const QStringList props = f.Rows("SELECT [属性名称],[属性值] FROM [项目] ORDER BY rowid");
    ASSERT_EQ(props.size(), 2);
    EXPECT_EQ(props[0], "项目名称|road.v1");
    EXPECT_TRUE(QRegularExpression("^GUID\\|[0-9A-F]{12}[0-9a-f]{4}[0-9A-F]{16}$")
                    .match(props[1])
                    .hasMatch())
        << props[1].toStdString();
}

TEST(TfImport, VersionFourKeepsNoSegmentsOrProperties) {
    ImportFixture f(4);
    const QString path = f.File("a.tf", kFile);
    ASSERT_TRUE(YTfImport(f.db, f.io).Import(path, Format(), YTfImport::Scope::Project).Ok());
    EXPECT_EQ(f.Count("逐桩断面"), 3);
    EXPECT_FALSE(f.db.HasTable("项目分段"));
}

TEST(TfImport, DialogImportReplacesOnlyTheSections) {
    ImportFixture f;
    f.Exec("INSERT INTO [项目分段] ([分段编号],[结束桩号]) VALUES (3, 'K9+000.000')");
    f.Exec("INSERT INTO [项目] ([属性名称],[属性值]) VALUES ('项目名称', 'old')");
    const QString path = f.File("a.tf", kFile);
    ASSERT_TRUE(YTfImport(f.db, f.io).Import(path, Format(), YTfImport::Scope::SectionsOnly).Ok());
    EXPECT_EQ(f.Count("逐桩断面"), 3);
    EXPECT_EQ(f.Rows("SELECT [分段编号] FROM [项目分段]"), QStringList{"3"});
    EXPECT_EQ(f.Rows("SELECT [属性值] FROM [项目]"), QStringList{"old"});
}

TEST(TfImport, ARefusedFileLeavesTheProjectAsItWas) {
    ImportFixture f;
    const QString good = f.File("good.tf", kFile);
    ASSERT_TRUE(YTfImport(f.db, f.io).Import(good, Format(), YTfImport::Scope::Project).Ok());
    const QStringList sections = f.Rows("SELECT * FROM [逐桩断面] ORDER BY [sta]");
    const QStringList props = f.Rows("SELECT * FROM [项目] ORDER BY rowid");
    f.io.Clear();
    // Physical line 6 (two comment lines and a header before the data) has no fill area.
    const QString bad = f.File("bad.tf", kFile + "60 1 2\n");
    const QString badWithBlank = f.File("bad2.tf", "//\n\n\n0 1 2 3\n20 x 2 3\n");
    const auto result = YTfImport(f.db, f.io).Import(bad, Format(), YTfImport::Scope::Project);
    EXPECT_EQ(result.status, Status::BadLine);
    const QString full = QFileInfo(bad).absoluteFilePath();
    EXPECT_EQ(f.io.Texts(),
              QStringList{QString("数据文件%1第7行格式不对,请改正后再运行\n").arg(full)});
    EXPECT_EQ(f.Rows("SELECT * FROM [逐桩断面] ORDER BY [sta]"), sections);
    EXPECT_EQ(f.Rows("SELECT * FROM [项目] ORDER BY rowid"), props);
    EXPECT_EQ(f.Count("项目分段"), 1);

    f.io.Clear();
    TfFormat first = Format();
    first.m_nStartLine = 1;
    EXPECT_EQ(YTfImport(f.db, f.io).Import(badWithBlank, first, YTfImport::Scope::Project).status,
              Status::BadLine);
    EXPECT_TRUE(f.io.Texts().value(0).contains("第5行")) << f.io.Texts().value(0).toStdString();

    // A repeated station would make a segment of no length.
    f.io.Clear();
    const QString repeated = f.File("repeated.tf", kFile + "40 0 0 312\n");
    EXPECT_EQ(YTfImport(f.db, f.io).Import(repeated, Format(), YTfImport::Scope::Project).status,
              Status::BadLine);
    EXPECT_EQ(f.io.Texts(), QStringList{QString("数据文件%1第7行桩号不大于上一个断面的桩号,"
                                                "请改正后再运行\n")
                                            .arg(QFileInfo(repeated).absoluteFilePath())});
    // No data line at all, or none from the start line on, would empty the project.
    f.io.Clear();
    const QString comments = f.File("comments.tf", "// 逐桩断面\n* 无数据\n");
    EXPECT_EQ(YTfImport(f.db, f.io).Import(comments, Format(), YTfImport::Scope::Project).status,
              Status::NoData);
    EXPECT_EQ(f.io.Texts(), QStringList{QString("数据文件%1中没有可读入的断面,未作任何改动\n")
                                            .arg(QFileInfo(comments).absoluteFilePath())});
    TfFormat late = Format();
    late.m_nStartLine = 2147483647;
    EXPECT_EQ(YTfImport(f.db, f.io).Import(good, late, YTfImport::Scope::Project).status,
              Status::NoData);
    EXPECT_EQ(f.Rows("SELECT * FROM [逐桩断面] ORDER BY [sta]"), sections);
    EXPECT_EQ(f.Rows("SELECT * FROM [项目] ORDER BY rowid"), props);
    EXPECT_EQ(f.Count("项目分段"), 1);
}

TEST(TfImport, MissingFileChangesNothingAndSaysNothing) {
    ImportFixture f;
    f.Exec("INSERT INTO [逐桩断面] ([桩号],[sta]) VALUES ('K0+000.000', 0)");
    const auto result =
        YTfImport(f.db, f.io).Import(f.dir.Path("none.tf"), Format(), YTfImport::Scope::Project);
    EXPECT_EQ(result.status, Status::CannotOpen);
    EXPECT_TRUE(f.io.Texts().isEmpty());
    EXPECT_EQ(f.Count("逐桩断面"), 1);
}

TEST(TfImport, StationTextsFollowTheChainBreaks) {
    ImportFixture f;
    YStationNumbering numbering;
    ASSERT_TRUE(numbering.AddChainBreak(QStringLiteral("K0+030.000=K0+050.000")));
    f.db.SetNumbering(numbering);
    const QString path = f.File("a.tf", kFile);
    ASSERT_TRUE(YTfImport(f.db, f.io).Import(path, Format(), YTfImport::Scope::Project).Ok());
    EXPECT_EQ(f.Rows("SELECT [桩号] FROM [逐桩断面] WHERE [sta] = 40"), QStringList{"K0+060.000"});
}

} // namespace
