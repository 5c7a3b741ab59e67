#include "cli/YCliAllocSession.h"
#include "cli/YCliVerb.h"
#include "core/allocation/YDPAutoAllocator.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

// dalvex-cli auto: the default allocation of a whole project (see YDPAutoAllocator): haul
// within reach, waste to the pits or locally, borrow from the pits or locally, finish.
namespace {

const QString kUsage = QStringLiteral("auto <p.dvx> [--reach M] [--no-finish]");

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
        bool ok = false;
        opt.dReach = reach + 1 < args.size() ? args[reach + 1].toDouble(&ok) : 0.0;
        args.remove(reach, reach + 1 < args.size() ? 2 : 1);
        if (!ok || opt.dReach <= 0.0) {
            c.io->Error(QStringLiteral("--reach 的值不正确\n用法：dalvex-cli ") + kUsage);
            return 2;
        }
    }
    if (args.size() != 1) {
        c.io->Error(QStringLiteral("用法：dalvex-cli ") + kUsage);
        return 2;
    }
    YCliAllocSession project(*c.io);
    CDalvexDoc* doc = project.Open(args.first());
    if (!doc) {
        return 1;
    }
    if (doc->GetSegmentCount() == 0) {
        c.io->Error(
            QStringLiteral("%1 没有可调配的计算段落,请先进行数据预处理。").arg(doc->GetTitle()));
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
