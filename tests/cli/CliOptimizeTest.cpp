// dalvex-cli optimize and cost on a small project: the plan priced by cost; the rule refused,
// finishing left out, and the usage errors.
#include "CliRunner.h"

#include "core/allocation/YDPOptimizer.h"
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

class CliOptimize : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureCoreApp();
        path = dir.Path(QStringLiteral("road.dvx"));
        YRecordingUserIO io;
        TestProject p(path, io);
        // K0+000 … K0+140: cuts at both ends, fills between, a waste pit and a borrow pit, so
        // every kind of cost has a share.
        p.AddLine(0, 20,
                  {{.use = {0, 58, 0, 0, 0, 0}},
                   {.use = {0, 23.2, 0, 9.2, 0, 0}, .unuse = {10, 0, 0, 0, 0, 0}},
                   {.fill = 30},
                   {.fill = 30},
                   {.fill = 25},
                   {.fill = 90},
                   {.use = {0, 116, 0, 0, 0, 0}}});
        p.AddWastePit(10, 0, 50, 500, 40);
        p.AddBorrowPit(110, 100, 120, {0, 100, 0, 0, 0, 0}, 1000, 0, 30);
    }
    // cost --json of a project file, keys checked.
    QJsonObject Cost(const QString& file) {
        const CliResult r = RunCli({QStringLiteral("--json"), QStringLiteral("cost"), file});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        EXPECT_EQ(o.keys(), (QStringList{"borrowed", "haul_moment", "hauled", "local_dump",
                                         "local_take", "total", "wasted"}));
        return o;
    }
    int Rows(const QString& file, const QString& table) {
        return int(ProjectRows(file, QStringLiteral("SELECT * FROM [%1]").arg(table)).size());
    }

    ScratchDir dir;
    QString path;
};

const QString kError = QStringLiteral("错误: ");

double Of(const QJsonObject& o, const char* key) {
    return o.value(QString::fromLatin1(key)).toDouble();
}

// The optimum is what cost prices afterwards, its total the sum of its parts at the default
// prices; the allocation is finished. (That it is optimal, and never dearer than auto, is held
// against a reference in DPOptimizerTest.)
TEST_F(CliOptimize, PlanPricedByCostAndFinished) {
    EXPECT_EQ(Of(Cost(path), "total"), 0.0); // nothing allocated yet
    CliResult r = RunCli({QStringLiteral("optimize"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^最优调配步骤: (\\d+)\n调配过程: (\\d+)\n"
                                          "调配费用: ([0-9.]+)\n结束调配: 完成\n$"))
            .match(r.out);
    ASSERT_TRUE(m.hasMatch()) << r.out.toStdString();
    EXPECT_GT(m.captured(1).toInt(), 0);
    EXPECT_GT(Rows(path, QStringLiteral("过程")), 0);

    const QJsonObject opt = Cost(path);
    EXPECT_NEAR(Of(opt, "total"), m.captured(3).toDouble(), 1e-3);
    EXPECT_NEAR(Of(opt, "total"),
                Of(opt, "haul_moment") + 500 * (Of(opt, "local_take") + Of(opt, "local_dump")),
                1e-6 * Of(opt, "total"));
    // The waste pit is 10 m off the first cut plus 40 of access road, far cheaper than a dump.
    EXPECT_GT(Of(opt, "wasted"), 0.0);
    EXPECT_GT(Of(opt, "hauled"), 0.0);
}

// A rule the optimiser cannot follow is refused with its message and the file kept; without
// finishing the plan is recorded and the allocation left open for 结束调配; bad arguments are
// usage errors.
TEST_F(CliOptimize, RefusalsOpenAllocationAndUsageErrors) {
    const QByteArray before = FileBytes(path);
    CliResult r = RunCli(
        {QStringLiteral("optimize"), path, QStringLiteral("--rule"), QStringLiteral("cut-ratio")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, kError + YDPOptimizer::kRuleRefused + QLatin1Char('\n'));
    EXPECT_EQ(FileBytes(path), before);

    const struct {
        QStringList args;
        QString message;
    } usage[] = {
        {{QStringLiteral("optimize")}, QStringLiteral("用法：dalvex-cli optimize <p.dvx>")},
        {{QStringLiteral("optimize"), path, path}, QStringLiteral("用法：dalvex-cli optimize")},
        {{QStringLiteral("optimize"), path, QStringLiteral("--haul-limit"), QStringLiteral("0")},
         QStringLiteral("--haul-limit 的值不正确（须大于 0、不超过 2e8 m）")},
        {{QStringLiteral("optimize"), path, QStringLiteral("--waste-cost"), QStringLiteral("-1")},
         QStringLiteral("--waste-cost 的值不正确（须不小于 0、不超过 2e8 m）")},
        {{QStringLiteral("optimize"), path, QStringLiteral("--local-dump-cost")},
         QStringLiteral("--local-dump-cost 的值不正确")},
        {{QStringLiteral("optimize"), path, QStringLiteral("--rule"), QStringLiteral("sideways")},
         QStringLiteral("--rule 的值不正确（须为 soil-first、together、cut-ratio、fill-ratio、"
                        "local）")},
        {{QStringLiteral("cost")}, QStringLiteral("用法：dalvex-cli cost <p.dvx> [--json]")},
        {{QStringLiteral("cost"), path, path}, QStringLiteral("用法：dalvex-cli cost")},
    };
    for (const auto& u : usage) {
        r = RunCli(u.args);
        EXPECT_EQ(r.exitCode, 2) << u.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.startsWith(kError + u.message)) << r.err.toStdString();
    }
    EXPECT_EQ(FileBytes(path), before);

    r = RunCli({QStringLiteral("optimize"), path, QStringLiteral("--rule"),
                QStringLiteral("together"), QStringLiteral("--no-finish")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("结束调配: 未进行\n"))) << r.out.toStdString();
    EXPECT_GT(Rows(path, QStringLiteral("Tmp调配过程表")), 0);
    EXPECT_EQ(Rows(path, QStringLiteral("过程")), 0);
    r = RunCli({QStringLiteral("finish"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString(); // nothing was left over
    EXPECT_GT(Rows(path, QStringLiteral("过程")), 0);
}

} // namespace
