#include "CliRunner.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Two alignments; the ramp's sections carry only their lines, "L1" and "L2", which no name
// rule can tell apart.
const QByteArray kFile =
    "<?xml version=\"1.0\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.1\">\n"
    "<Alignments>\n"
    "<Alignment name=\"主线\">\n"
    "<StaEquation staBack=\"15\" staAhead=\"25\"/>\n"
    "<CrossSects>\n"
    "<CrossSect sta=\"0\" areaCut=\"5\" areaFill=\"0\"/>\n"
    "<CrossSect sta=\"20\" areaCut=\"0\" areaFill=\"3\"/>\n"
    "</CrossSects>\n"
    "</Alignment>\n"
    "<Alignment name=\"匝道\">\n"
    "<CrossSects>\n"
    "<CrossSect sta=\"0\"><CrossSectSurf name=\"L1\"><PntList2D>-5 10 5 10</PntList2D>"
    "</CrossSectSurf><CrossSectSurf name=\"L2\"><PntList2D>-5 9 5 9</PntList2D>"
    "</CrossSectSurf></CrossSect>\n"
    "</CrossSects>\n"
    "</Alignment>\n"
    "</Alignments>\n</LandXML>\n";

// A new project in a scratch folder with the file beside it; its profile folder is private.
class CliLandXml : public testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        qputenv("XDG_CONFIG_HOME", m_dir.Path("config").toLocal8Bit());
        ASSERT_EQ(RunCli({"--yes", "new", P()}).exitCode, 0);
        WriteFile(Xml(), kFile);
    }
    QString P() const { return m_dir.Path("p.dvx"); }
    QString Xml() const { return m_dir.Path("road.xml"); }
    QStringList Column(const QString& sql) const { return ProjectRows(P(), sql); }
    dalvex::test::ScratchDir m_dir;
};

TEST_F(CliLandXml, ImportsTheChosenAlignmentAndLines) {
    const QString xml = Xml();
    CliResult r = RunCli({"import-landxml", P(), xml, "--alignment", "主线"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QString("已读入 2 个断面、1 个断链、0 个变坡点：%1\n").arg(xml));
    EXPECT_TRUE(r.err.contains("从LandXML文件导入数据完成! ")) << r.err.toStdString();
    EXPECT_EQ(Column("SELECT [桩号] FROM [逐桩断面] ORDER BY [sta]"),
              QStringList({"K0+000.000", "K0+030.000"}));

    r = RunCli(
        {"import-landxml", P(), xml, "--alignment", "匝道", "--ground", "L1", "--design", "L2"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Column("SELECT [挖方面积] FROM [逐桩断面]"), QStringList{"10"});
}

TEST_F(CliLandXml, RefusalsExplainAndKeepTheProject) {
    const QString xml = Xml();
    ASSERT_EQ(RunCli({"import-landxml", P(), xml, "--alignment", "主线"}).exitCode, 0);
    const QString bad =
        WriteFile(m_dir.Path("bad.xml"), QByteArray(kFile).replace("sta=\"20\"", "sta=\"x\""));
    const struct {
        QStringList args;
        int exitCode;
        QString message;
    } cases[] = {
        {{xml}, 1, "中有2条路线：“主线”、“匝道”。请选择要导入的路线。"},
        {{xml, "--alignment", "匝道"}, 1, "断面中的线：“L1”、“L2”。请指定地面线和设计线。"},
        {{bad}, 1, "第8行：CrossSect的sta属性“x”不是数字"},
        {{m_dir.Path("none.xml")}, 1, "无法打开文件"},
        {{}, 2, "用法：dalvex-cli import-landxml"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(QStringList{"import-landxml", P()} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.message.toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_EQ(Column("SELECT [sta] FROM [逐桩断面] ORDER BY [sta]"), QStringList({"0", "20"}));
    }
}

} // namespace
