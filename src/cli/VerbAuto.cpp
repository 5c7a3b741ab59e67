#include "cli/YCliAllocSession.h"
#include "cli/YCliArgs.h"
#include "cli/YCliVerb.h"
#include "core/allocation/YDPAutoAllocator.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

#include <limits>

// dalvex-cli auto: the default allocation of a whole project (see YDPAutoAllocator): haul
// within reach, waste to the pits or locally, borrow from the pits or locally, finish.
namespace {

const QString kUsage = QStringLiteral("auto <p.dvx> [--reach M] [--no-finish]");
constexpr double kMaxReach = 2e8; // m: from one end of the station range to the other

int RunAuto(YCliContext& c) {
    QStringList args = c.args;
    YDPAutoAllocator::Options opt;
    const qsizetype noFinish = args.indexOf(QStringLiteral("--no-finish"));
    if (noFinish >= 0) {
        opt.bFinish = false;
        args.removeAt(noFinish);
    }
    const qsizetype reach = args.indexOf(QStringLiteral("--reach"));
    if (reach >= 0) {
        // Unreadable and non-finite values read as NaN, which no range check lets through
        // (NaN would otherwise compare as no limit at all).
        const double value = reach + 1 < args.size()
                                 ? YCliArgs::ReadNumber(args[reach + 1])
                                       .value_or(std::numeric_limits<double>::quiet_NaN())
                                 : std::numeric_limits<double>::quiet_NaN();
        args.remove(reach, reach + 1 < args.size() ? 2 : 1);
        if (!(value > 0.0 && value <= kMaxReach)) {
            c.io->Error(
                QStringLiteral("--reach 的值不正确（须大于 0、不超过 2e8 m）\n用法：dalvex-cli ") +
                kUsage);
            return 2;
        }
        opt.dReach = value;
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
    const YDPAutoAllocator::Summary s = YDPAutoAllocator::Run(*doc, opt);
    c.out(QStringLiteral(
              "远运利用步骤: %1\n弃方步骤: %2\n借方步骤: %3\n就地取弃步骤: %4\n结束调配: %5\n")
              .arg(s.nHaulSteps)
              .arg(s.nWasteSteps)
              .arg(s.nBorrowSteps)
              .arg(s.nLocalSteps)
              .arg(s.bFinished ? QStringLiteral("完成") : QStringLiteral("未完成")));
    if (!s.bWritten) {
        return 1;
    }
    return (!opt.bFinish || s.bFinished) ? 0 : 1;
}

YCliVerbRegistration
    reg({QStringLiteral("auto"), kUsage,
         QStringLiteral("allocate a whole project by the default sequence and finish"), RunAuto});

} // namespace
