#include "core/platform/YConf.h"
#include "gui/app/CMainFrame.h"

#include <QApplication>
#include <QMdiArea>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(MainFrame, OpensWithProductTitleAndMdiAreaAndCloses)
{
    CMainFrame frame;
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowTitle(), YConf::Instance().Text(1000));
    ASSERT_NE(frame.MdiArea(), nullptr);
    EXPECT_EQ(frame.centralWidget(), frame.MdiArea());
    EXPECT_TRUE(frame.close());
}

TEST(MainFrame, ProgramStartsAndQuitsOffscreenAndPrintsVersion)
{
    QProcess version;
    version.start(QString::fromUtf8(DALVEX_APP_PATH), {QStringLiteral("--version")});
    ASSERT_TRUE(version.waitForFinished(60000));
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(version.readAllStandardOutput()).contains(QStringLiteral("0.")));

    QProcess run;
    run.start(QString::fromUtf8(DALVEX_APP_PATH), {QStringLiteral("--quit-after"), QStringLiteral("300")});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
}

} // namespace
