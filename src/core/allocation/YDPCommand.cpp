#include "core/allocation/YDPCommand.h"

#include "core/allocation/YDPCalTool.h"
#include "core/allocation/YDPRangeSelect.h"
#include "core/allocation/YDPStrategyRegistry.h"
#include "core/document/CDalvexDoc.h"
#include "core/neighbours/YPortPairSetup.h"
#include "core/platform/YUserIO.h"

namespace {

// The link index of a port number 编号 in a project, −1 when it has none.
int PortIndex(const CDalvexDoc& doc, int no) {
    const auto& links = doc.Model().m_arrNearPrj;
    for (size_t i = 0; i < links.size(); ++i) {
        if (links[i].m_nNo == no) {
            return int(i);
        }
    }
    return -1;
}

} // namespace

std::optional<YSegRun> YDPCommand::RangeRun(CDalvexDoc& doc, const QString& text, YUserIO& io) {
    const QStringList parts = text.split(QLatin1Char('~'));
    const YStationNumbering& numbering = doc.Numbering();
    double ends[2] = {0.0, 0.0};
    bool ok = parts.size() == 2;
    for (int i = 0; ok && i < 2; ++i) {
        const std::optional<double> v = numbering.Parse(parts[i].trimmed());
        ok = v.has_value();
        ends[i] = v.value_or(0.0);
    }
    if (!ok) {
        io.Error(QStringLiteral("桩号范围不正确: %1").arg(text));
        return std::nullopt;
    }
    const double a = std::min(ends[0], ends[1]);
    const double b = std::max(ends[0], ends[1]);
    const std::optional<YSegRun> run = YDPRangeSelect::WholeSegments(doc, a, b);
    if (!run) {
        io.Error(QStringLiteral("%1 范围内没有完整的计算段落").arg(text));
    }
    return run;
}

std::optional<YDPSelection> YDPCommand::Select(const Picks& picks, CDalvexDoc& cutDoc,
                                               CDalvexDoc& fillDoc, YUserIO& io) {
    if (picks.nBorrowPit >= int(fillDoc.Model().m_arrQutuk.size())) {
        io.Error(QStringLiteral("没有取土坑 %1").arg(picks.nBorrowPit + 1));
        return std::nullopt;
    }
    if (picks.nWastePit >= int(cutDoc.Model().m_arrQituk.size())) {
        io.Error(QStringLiteral("没有弃土坑 %1").arg(picks.nWastePit + 1));
        return std::nullopt;
    }
    YDPSelection sel;
    if (picks.cutRun) {
        YDPRangeSelect::Select(cutDoc, *picks.cutRun);
        sel.pCutDoc = &cutDoc;
        sel.nCutFirst = picks.cutRun->nFirst;
        sel.nCutLast = picks.cutRun->nLast;
    } else if (picks.nBorrowPit >= 0) {
        // The tool keeps the pit's own (destination) project as the source document.
        sel.pCutDoc = &fillDoc;
        sel.nCutFirst = picks.nBorrowPit;
    }
    if (picks.fillRun) {
        YDPRangeSelect::Select(fillDoc, *picks.fillRun);
        sel.pFillDoc = &fillDoc;
        sel.nFillFirst = picks.fillRun->nFirst;
        sel.nFillLast = picks.fillRun->nLast;
    } else if (picks.nWastePit >= 0) {
        sel.pFillDoc = &cutDoc;
        sel.nFillFirst = picks.nWastePit;
    }
    return sel;
}

bool YDPCommand::UsePorts(YDPSelection& sel, int exitNo, int entryNo, YUserIO& io) {
    sel.nOutPort = sel.pCutDoc ? PortIndex(*sel.pCutDoc, exitNo) : -1;
    sel.nInPort = sel.pFillDoc ? PortIndex(*sel.pFillDoc, entryNo) : -1;
    if (sel.nOutPort < 0 || sel.nInPort < 0) {
        io.Error(
            QStringLiteral("没有编号为 %1 的调出口或编号为 %2 的调入口").arg(exitNo).arg(entryNo));
        return false;
    }
    return true;
}

bool YDPCommand::CreatePorts(YDPSelection& sel, const YStation& exitSta, double dist,
                             const YStation& entrySta) {
    if (!sel.pCutDoc || !sel.pFillDoc) {
        return false;
    }
    const auto ports =
        YPortPairSetup(*sel.pCutDoc, *sel.pFillDoc).CreatePort(exitSta, dist, entrySta);
    if (!ports) {
        return false;
    }
    sel.nOutPort = ports->nExit;
    sel.nInPort = ports->nEntry;
    return true;
}

std::unique_ptr<YDPCalTool> YDPCommand::Strategy(const YDPSelection& sel, YUserIO& io) {
    std::unique_ptr<YDPCalTool> strategy = YDPStrategyRegistry::FindStrategy(sel);
    if (!strategy) {
        io.Warning(YDPStrategyRegistry::ConflictText());
    }
    return strategy;
}
