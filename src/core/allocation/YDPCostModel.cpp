#include "core/allocation/YDPCostModel.h"

#include "core/db/DpLogRecord.h"
#include "core/db/YLogCodec.h"
#include "core/document/CDalvexDoc.h"
#include "core/process/YHaulExtras.h"
#include "core/process/YHaulExtrasLoader.h"
#include "core/process/YProcessLog.h"

#include <cmath>
#include <vector>

YDPCostModel::Options YDPCostModel::Options::ForLimit(double limit) {
    Options o;
    o.dHaulLimit = limit;
    o.dLocalTake = limit / 2.0;
    o.dLocalDump = limit / 2.0;
    return o;
}

double YDPCostModel::Distance(const YHaulExtras& extras, YStation aStart, YStation aEnd,
                              YStation bStart, YStation bEnd) {
    const double centres =
        std::fabs((aStart.Value() + aEnd.Value()) - (bStart.Value() + bEnd.Value())) / 2.0;
    return centres + extras.Detours(aStart, aEnd, bStart, bEnd);
}

void YDPCostModel::Add(Figures& f, const Options& opt, DpKind kind, double q, double dist) {
    switch (kind) {
    case DpKind::Borrow:
        f.dBorrowed += q;
        f.dTotal += opt.dBorrow * q;
        break;
    case DpKind::Waste:
    case DpKind::WasteUnusable:
        f.dWasted += q;
        f.dTotal += opt.dWaste * q;
        break;
    case DpKind::LocalBorrow:
        f.dLocalTake += q;
        f.dTotal += opt.dLocalTake * q;
        return; // beside the segment: no haul
    case DpKind::LocalWaste:
    case DpKind::LocalWasteUnusable:
        f.dLocalDump += q;
        f.dTotal += opt.dLocalDump * q;
        return;
    default:
        f.dHauled += q;
        break;
    }
    f.dHaulMoment += q * dist;
    f.dTotal += q * dist;
}

YDPCostModel::Figures YDPCostModel::Price(CDalvexDoc& doc, const Options& opt) {
    Figures f;
    std::vector<YDpLogPair> pairs;
    if (!YProcessLog(doc.GetTdpSet()).ReadPairs(pairs)) {
        return f;
    }
    const YHaulExtras extras = YHaulExtrasLoader::Load(doc);
    auto at = [](const std::vector<double>& v, int i) {
        return i >= 0 && i < static_cast<int>(v.size()) ? v[size_t(i)] : 0.0;
    };
    for (const YDpLogPair& pair : pairs) {
        if (!pair.src.ok) {
            continue; // undone
        }
        const DpLogRecord r = YLogCodec::Decode(pair);
        const double q = r.Amount(DpAmt::SoilC) + r.Amount(DpAmt::RockC);
        double dist = Distance(extras, r.srcStart, r.srcEnd, r.dstStart, r.dstEnd);
        if (r.kind == DpKind::Borrow) {
            dist += at(extras.borrowBranch, r.pit);
        } else if (DpKinds::IsWaste(r.kind)) {
            dist += at(extras.wasteBranch, r.pit);
        } else if (r.kind == DpKind::In || r.kind == DpKind::Out) {
            const auto it = extras.linkDistance.find(r.pit);
            dist += it != extras.linkDistance.end() ? it->second / 2.0 : 0.0;
        }
        Add(f, opt, r.kind, q, dist);
    }
    return f;
}
