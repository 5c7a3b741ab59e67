// dalvex-cli masshaul: the curve as a table and as a picture, and what it refuses.
#include "CliRunner.h"

#include "support/ProjectFixture.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

TEST(CliMassHaul, WritesTheTableAndThePictureOfAProjectWithResults) {
    EnsureCoreApp();
    ScratchDir dir;
    const QString road = dir.Path(QStringLiteral("road.dvx"));
    const QString empty = dir.Path(QStringLiteral("empty.dvx"));
    {
        YRecordingUserIO io;
        TestProject p(road, io);
        p.AddSegs(TestProject::Road(6));
        TestProject e(empty, io);
    }
    const QString csv = dir.Path(QStringLiteral("m.csv"));
    CliResult r = RunCli({QStringLiteral("masshaul"), road, csv});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    EXPECT_EQ(lines.value(0), QStringLiteral("桩号,里程(m),累计土方(m³)"));
    EXPECT_EQ(lines.value(1), QStringLiteral("K0+000.000,0.000,0.000"));
    EXPECT_EQ(lines.value(7).section(u',', 0, 1), QStringLiteral("K0+120.000,120.000"));

    const QString png = dir.Path(QStringLiteral("m.png"));
    r = RunCli({QStringLiteral("masshaul"), road, png, QStringLiteral("--width"),
                QStringLiteral("800"), QStringLiteral("--height"), QStringLiteral("300")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile picture(png);
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_TRUE(picture.read(4).startsWith("\x89PNG"));

    r = RunCli({QStringLiteral("masshaul"), empty, png});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("项目还没有土石方计算结果，请先进行数据预处理")))
        << r.err.toStdString();
    EXPECT_EQ(
        RunCli({QStringLiteral("masshaul"), road, dir.Path(QStringLiteral("m.gif"))}).exitCode, 1);
    EXPECT_EQ(RunCli({QStringLiteral("masshaul"), road}).exitCode, 2);
}

} // namespace
