#include "core/allocation/YDPAutoAllocator.h"

#include "core/allocation/YDPRangeSelect.h"
#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStrategyRegistry.h"
#include "core/db/YTransaction.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/process/YFinish.h"

#include <algorithm>
#include <vector>

namespace {

// Keeps the program-wide settings the sequence changes and puts them back.
class SettingsGuard {
  public:
    SettingsGuard() : m_nRule(g_nDPRule), m_nFilter(g_nClassFilter) {}
    ~SettingsGuard() {
        g_nDPRule = m_nRule;
        g_nClassFilter = m_nFilter;
    }
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;

  private:
    int m_nRule;
    quint32 m_nFilter;
};

// One invocation as the interactive tool makes it: select, find the strategy, compute, and
// drop the selection again.
bool Invoke(CDalvexDoc& doc, int rule, const YDPSelection& sel, const YSegRun& cut,
            const YSegRun& fill) {
    YDPRangeSelect::ClearAll(doc);
    if (cut.nFirst >= 0) {
        YDPRangeSelect::Select(doc, cut);
    }
    if (fill.nFirst >= 0) {
        YDPRangeSelect::Select(doc, fill);
    }
    g_nDPRule = rule;
    std::unique_ptr<YDPCalTool> strategy = YDPStrategyRegistry::FindStrategy(sel);
    const bool recorded = strategy && strategy->Compute();
    YDPRangeSelect::ClearAll(doc);
    return recorded;
}

// Windows of at most reach metres starting at offset + k × reach from the first segment,
// never spanning a structure that may not be crossed.
std::vector<YSegRun> Windows(const CDalvexDoc& doc, double reach, double offset) {
    const YSegmentModel& model = doc.Model();
    const std::vector<YTFItem>& segs = model.m_arrTF;
    std::vector<YSegRun> windows;
    if (segs.empty()) {
        return windows;
    }
    const double origin = segs.front().m_staStart.Value() + offset;
    auto slot = [&](const YTFItem& s) {
        const double mid = 0.5 * (s.m_staStart.Value() + s.m_staEnd.Value());
        return mid < origin ? -1 : static_cast<long>((mid - origin) / reach);
    };
    YSegRun cur{0, 0};
    for (int i = 1; i < static_cast<int>(segs.size()); ++i) {
        const YTFItem& s = segs[size_t(i)];
        const bool sameSlot = slot(s) == slot(segs[size_t(cur.nFirst)]);
        const bool blocked =
            model.FindBlockingStructure(segs[size_t(cur.nFirst)].m_staStart, s.m_staEnd) >= 0;
        if (sameSlot && !blocked) {
            cur.nLast = i;
            continue;
        }
        windows.push_back(cur);
        cur = {i, i};
    }
    windows.push_back(cur);
    return windows;
}

void HaulWithinReach(CDalvexDoc& doc, double reach, YDPAutoAllocator::Summary& sum) {
    for (const double offset : {0.0, 0.5 * reach}) {
        for (const YSegRun& w : Windows(doc, reach, offset)) {
            if (w.nFirst == w.nLast) {
                continue; // one segment fills itself through local reuse in preprocessing
            }
            const YDPSelection sel = YDPSelection::Haul(&doc, w.nFirst, w.nLast, w.nFirst, w.nLast);
            // The first call serves the segments that fill themselves and stops at the first
            // pair of two segments; later calls haul between segments.
            for (int call = 0; call < 4 && Invoke(doc, DPR_SOIL_FIRST, sel, w, w); ++call) {
                ++sum.nHaulSteps;
            }
        }
    }
}

void WasteToPits(CDalvexDoc& doc, YDPAutoAllocator::Summary& sum) {
    const auto& pits = doc.Model().m_arrQituk;
    for (int i = 0; i < static_cast<int>(pits.size()); ++i) {
        const YQitukItem& pit = pits[size_t(i)];
        const std::optional<YSegRun> run = YDPRangeSelect::ReachableRun(
            doc, pit.m_staRoad.Value(), pit.m_staEcoStart.Value(), pit.m_staEcoEnd.Value());
        if (!run) {
            continue;
        }
        const YDPSelection sel = YDPSelection::Waste(&doc, run->nFirst, run->nLast, i);
        for (const int rule : {int(DPR_SOIL_FIRST), DPR_SOIL_FIRST | DPR_UNUSABLE}) {
            sum.nWasteSteps += Invoke(doc, rule, sel, *run, {}) ? 1 : 0;
        }
    }
    const YSegRun all{0, doc.GetSegmentCount() - 1};
    const YDPSelection local = YDPSelection::LocalCut(&doc, all.nFirst, all.nLast);
    for (const int rule : {int(DPR_LOCAL), DPR_LOCAL | DPR_UNUSABLE}) {
        sum.nLocalSteps += Invoke(doc, rule, local, all, {}) ? 1 : 0;
    }
}

void BorrowFromPits(CDalvexDoc& doc, YDPAutoAllocator::Summary& sum) {
    const auto& pits = doc.Model().m_arrQutuk;
    for (int i = 0; i < static_cast<int>(pits.size()); ++i) {
        const YQutukItem& pit = pits[size_t(i)];
        const std::optional<YSegRun> run = YDPRangeSelect::ReachableRun(
            doc, pit.m_staRoad.Value(), pit.m_staEcoStart.Value(), pit.m_staEcoEnd.Value());
        if (!run) {
            continue;
        }
        const YDPSelection sel = YDPSelection::Borrow(&doc, i, run->nFirst, run->nLast);
        sum.nBorrowSteps += Invoke(doc, DPR_SOIL_FIRST, sel, {}, *run) ? 1 : 0;
    }
    const YSegRun all{0, doc.GetSegmentCount() - 1};
    sum.nLocalSteps +=
        Invoke(doc, DPR_LOCAL, YDPSelection::LocalFill(&doc, all.nFirst, all.nLast), {}, all) ? 1
                                                                                              : 0;
}

} // namespace

YDPAutoAllocator::Summary YDPAutoAllocator::Run(CDalvexDoc& doc, const Options& opt) {
    Summary sum;
    if (doc.GetSegmentCount() == 0) {
        return sum;
    }
    const SettingsGuard guard;
    g_nClassFilter = YClassFilter::Initial;
    YTransaction tr(doc.GetDatabase());
    HaulWithinReach(doc, std::max(opt.dReach, 1.0), sum);
    WasteToPits(doc, sum);
    BorrowFromPits(doc, sum);
    if (opt.bFinish) {
        sum.bFinished = YFinish::Finish(doc);
    }
    sum.bWritten = tr.Commit();
    if (!sum.bWritten) {
        (void)doc.ReloadModel(); // the file kept nothing: neither does the model
        sum.bFinished = false;
    }
    return sum;
}
