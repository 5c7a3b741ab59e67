#include "cli/YCliAllocSession.h"
#include "cli/YCliVerb.h"
#include "core/allocation/YDPCostModel.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

#include <QJsonDocument>
#include <QJsonObject>

// dalvex-cli cost: the price of a project's allocation on the optimiser's scale (see
// YDPCostModel), with the default costs.
namespace {

const QString kUsage = QStringLiteral("cost <p.dvx> [--json]");

int RunCost(YCliContext& c) {
    if (c.args.size() != 1) {
        c.io->Error(QStringLiteral("用法：dalvex-cli ") + kUsage);
        return 2;
    }
    YCliAllocSession project(*c.io);
    CDalvexDoc* doc = project.Open(c.args.first());
    if (!doc) {
        return 1;
    }
    const YDPCostModel::Figures f = YDPCostModel::Price(*doc, YDPCostModel::Options{});
    if (c.bJson) {
        QJsonObject o;
        o.insert(QStringLiteral("haul_moment"), f.dHaulMoment);
        o.insert(QStringLiteral("hauled"), f.dHauled);
        o.insert(QStringLiteral("borrowed"), f.dBorrowed);
        o.insert(QStringLiteral("wasted"), f.dWasted);
        o.insert(QStringLiteral("local_take"), f.dLocalTake);
        o.insert(QStringLiteral("local_dump"), f.dLocalDump);
        o.insert(QStringLiteral("total"), f.dTotal);
        c.out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
        return 0;
    }
    c.out(QStringLiteral("运量(m³·m): %1\n利用(m³): %2\n借方(m³): %3\n弃方(m³): %4\n"
                         "就地取土(m³): %5\n就地弃方(m³): %6\n调配费用(m³·m): %7\n")
              .arg(f.dHaulMoment, 0, 'f', 3)
              .arg(f.dHauled, 0, 'f', 3)
              .arg(f.dBorrowed, 0, 'f', 3)
              .arg(f.dWasted, 0, 'f', 3)
              .arg(f.dLocalTake, 0, 'f', 3)
              .arg(f.dLocalDump, 0, 'f', 3)
              .arg(f.dTotal, 0, 'f', 3));
    return 0;
}

YCliVerbRegistration
    reg({QStringLiteral("cost"), kUsage,
         QStringLiteral("price a project's allocation (haul moment, volumes, cost)"), RunCost});

} // namespace
