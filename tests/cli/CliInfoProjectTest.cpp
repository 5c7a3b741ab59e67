// dalvex-cli info: the project part (identity, segments, model figures).
#include "CliRunner.h"

#include "support/ProjectFixture.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

TEST(CliInfoProject, ReportsIdentitySegmentsAndModelFigures) {
    EnsureCoreApp();
    ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("road.dvx"));
    {
        YRecordingUserIO io;
        TestProject doc(path, io);
        doc.SetProperty(QStringLiteral("项目名称"), QStringLiteral("一号路"));
        doc.SetProperty(QStringLiteral("GUID"), QStringLiteral("0A1B"));
        doc.SetProperty(QStringLiteral("项目标识"), QStringLiteral("AK"));
        doc.AddProjectSegment(1, QStringLiteral("AK0+100.000"));
        doc.AddProjectSegment(2, QStringLiteral("AK0+300.000"));
        for (int i = 0; i < 3; ++i) {
            // The last row is not in the current segment.
            SegSpec r{.start = 20.0 * i, .end = 20.0 * i + 20, .use = {10}, .fill = 2.25};
            r.segment = i < 2 ? 1 : 2;
            r.cutArea = 3.0 + i;
            SegSpec left = r;
            left.use = {4};
            left.unuse = {0, 0, 0, 0, 0, 1.5};
            doc.AddSeg(r, left);
        }
    }
    const CliResult r = RunCli({QStringLiteral("info"), path, QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject p = QJsonDocument::fromJson(r.out.toUtf8())
                              .object()
                              .value(QStringLiteral("project"))
                              .toObject();
    EXPECT_EQ(p.value(QStringLiteral("name")).toString(), QStringLiteral("一号路"));
    EXPECT_EQ(p.value(QStringLiteral("guid")).toString(), QStringLiteral("0A1B"));
    EXPECT_EQ(p.value(QStringLiteral("stationLabel")).toString(), QStringLiteral("AK"));
    EXPECT_EQ(p.value(QStringLiteral("currentSegment")).toInt(), 1);
    EXPECT_EQ(p.value(QStringLiteral("segments")).toArray().size(), 2);
    EXPECT_EQ(p.value(QStringLiteral("segmentCount")).toInt(), 2);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("maxArea")).toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("remainingUsable")).toDouble(), 8.0);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("remainingUnusable")).toDouble(), 3.0);
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("remainingFill")).toDouble(), 4.5);

    const CliResult plain = RunCli({QStringLiteral("info"), path});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_TRUE(plain.out.contains(QStringLiteral("项目名称: 一号路\n")));
    EXPECT_TRUE(plain.out.contains(QStringLiteral("当前分段: 1\n")));
    EXPECT_TRUE(plain.out.contains(QStringLiteral("  分段2终止桩号AK0+300.000\n")))
        << plain.out.toStdString();
    EXPECT_TRUE(plain.out.contains(QStringLiteral("计算段数: 2\n")));
    EXPECT_TRUE(plain.out.contains(QStringLiteral("剩余填方: 4.500\n")));
}

} // namespace
