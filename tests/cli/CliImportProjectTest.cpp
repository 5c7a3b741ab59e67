#include "CliRunner.h"

#include "core/db/YDatabase.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The bundled road-design project comes in through dalvex-cli and goes all the way to a
// finished allocation, its short and long chain included.
TEST(CliImportProject, TheSampleRoadProjectImportsPreprocessesAndAllocates) {
    dalvex::test::EnsureCoreApp();
    dalvex::test::ScratchDir dir;
    qputenv("XDG_CONFIG_HOME", dir.Path("config").toLocal8Bit());
    const QString p = dir.Path("p.dvx");
    const QString prj = QStringLiteral(DALVEX_SOURCE_DIR "/examples/road-project/qingshui.Prj");
    ASSERT_EQ(RunCli({"--yes", "new", p}).exitCode, 0);

    CliResult r = RunCli({"import-project", p, prj});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(" 从Ravel项目中导入数据完成! ")) << r.err.toStdString();
    {
        YDatabase db;
        ASSERT_TRUE(db.Open(p));
        EXPECT_EQ(db.QueryValue("SELECT [属性值] FROM [项目] WHERE [属性名称]='项目名称'")
                      .value_or(QVariant())
                      .toString(),
                  "清水河段改建工程");
        EXPECT_EQ(db.RowCount("断链").value_or(0), 2);
        EXPECT_EQ(db.RowCount("构造物").value_or(0), 4);
        // Both chains are in the texts: after the short chain 15 m ahead, after the long one 5 m
        // behind the chainage.
        EXPECT_EQ(
            db.QueryValue("SELECT [结束桩号] FROM [项目分段]").value_or(QVariant()).toString(),
            "K3+395.000");
    }
    for (const char* verb : {"preprocess", "auto", "finish"}) {
        r = RunCli({"--yes", verb, p});
        EXPECT_EQ(r.exitCode, 0) << verb << r.err.toStdString() << r.out.toStdString();
    }
    EXPECT_EQ(RunCli({"import-project", p}).exitCode, 2);
    r = RunCli({"import-project", p, dir.Path("none.Prj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("不能打开项目文件！")) << r.err.toStdString();
}

} // namespace
