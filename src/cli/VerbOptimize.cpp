#include "cli/YCliAllocSession.h"
#include "cli/YCliArgs.h"
#include "cli/YCliVerb.h"
#include "core/allocation/YDPOptimizer.h"
#include "core/allocation/YDPRule.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

#include <limits>
#include <optional>

// dalvex-cli optimize: the allocation of least cost of everything the project has left (see
// YDPOptimizer), recorded as steps, then finished.
namespace {

const QString kUsage =
    QStringLiteral("optimize <p.dvx> [--rule soil-first|together|cut-ratio|fill-ratio|local] "
                   "[--haul-limit M] [--borrow-cost M] [--waste-cost M] "
                   "[--local-take-cost M] [--local-dump-cost M] [--no-finish]");
constexpr double kMaxMetres = 2e8; // m: from one end of the station range to the other

// Removes "--name value" from args. No option: nullopt with ok; a bad value: ok false after
// its message. bPositive: the value must be above 0, else 0 is allowed.
std::optional<double> TakeOption(YCliContext& c, QStringList& args, const QString& name,
                                 bool bPositive, bool& ok) {
    const qsizetype i = args.indexOf(name);
    if (i < 0) {
        return std::nullopt;
    }
    const double value =
        i + 1 < args.size()
            ? YCliArgs::ReadNumber(args[i + 1]).value_or(std::numeric_limits<double>::quiet_NaN())
            : std::numeric_limits<double>::quiet_NaN();
    args.remove(i, i + 1 < args.size() ? 2 : 1);
    const bool inRange = (bPositive ? value > 0.0 : value >= 0.0) && value <= kMaxMetres;
    if (!inRange) {
        c.io->Error(
            QStringLiteral("%1 的值不正确（须%2、不超过 2e8 m）\n用法：dalvex-cli ")
                .arg(name, bPositive ? QStringLiteral("大于 0") : QStringLiteral("不小于 0")) +
            kUsage);
        ok = false;
        return std::nullopt;
    }
    return value;
}

int RunOptimize(YCliContext& c) {
    QStringList args = c.args;
    YDPOptimizer::Options opt;
    const qsizetype noFinish = args.indexOf(QStringLiteral("--no-finish"));
    if (noFinish >= 0) {
        opt.bFinish = false;
        args.removeAt(noFinish);
    }
    // The rule word of a desktop session, from its name; only soil-first and together are
    // planned, the others reach the optimiser to be refused with its message.
    const qsizetype rule = args.indexOf(QStringLiteral("--rule"));
    if (rule >= 0) {
        const QStringList names = {QStringLiteral("soil-first"), QStringLiteral("together"),
                                   QStringLiteral("cut-ratio"), QStringLiteral("fill-ratio"),
                                   QStringLiteral("local")};
        const int principle[] = {DPR_SOIL_FIRST, DPR_TOGETHER, DPR_CUT_RATIO, DPR_FILL_RATIO,
                                 DPR_LOCAL};
        const int idx = rule + 1 < args.size() ? int(names.indexOf(args[rule + 1])) : -1;
        args.remove(rule, rule + 1 < args.size() ? 2 : 1);
        if (idx < 0) {
            c.io->Error(QStringLiteral("--rule 的值不正确（须为 %1）\n用法：dalvex-cli ")
                            .arg(names.join(QStringLiteral("、"))) +
                        kUsage);
            return 2;
        }
        g_nDPRule = principle[idx];
    }
    bool ok = true;
    const auto limit = TakeOption(c, args, QStringLiteral("--haul-limit"), true, ok);
    opt.cost = YDPCostModel::Options::ForLimit(limit.value_or(opt.cost.dHaulLimit));
    const struct {
        const char* name;
        double* target;
    } costs[] = {{"--borrow-cost", &opt.cost.dBorrow},
                 {"--waste-cost", &opt.cost.dWaste},
                 {"--local-take-cost", &opt.cost.dLocalTake},
                 {"--local-dump-cost", &opt.cost.dLocalDump}};
    for (const auto& o : costs) {
        if (!ok) {
            break;
        }
        if (const auto v = TakeOption(c, args, QString::fromLatin1(o.name), false, ok)) {
            *o.target = *v;
        }
    }
    if (!ok) {
        return 2;
    }
    if (args.size() != 1) {
        c.io->Error(QStringLiteral("用法：dalvex-cli ") + kUsage);
        return 2;
    }
    YCliAllocSession project(*c.io);
    CDalvexDoc* doc = project.Open(args.first());
    if (!doc || !YCliAllocSession::RequireSegments(*doc, *c.io)) {
        return 1;
    }
    const YDPOptimizer::Summary s = YDPOptimizer::Run(*doc, opt);
    if (!s.bWritten) {
        return 1;
    }
    c.out(QStringLiteral("最优调配步骤: %1\n调配过程: %2\n调配费用: %3\n结束调配: %4\n")
              .arg(s.nSteps)
              .arg(s.nProcesses)
              .arg(s.dPlanCost, 0, 'f', 3)
              .arg(!opt.bFinish  ? QStringLiteral("未进行")
                   : s.bFinished ? QStringLiteral("完成")
                                 : QStringLiteral("未完成")));
    return (!opt.bFinish || s.bFinished) ? 0 : 1;
}

YCliVerbRegistration
    reg({QStringLiteral("optimize"), kUsage,
         QStringLiteral("allocate what a project has left at least cost and finish"), RunOptimize});

} // namespace
