#include "core/allocation/YDPAutoAllocator.h"

#include "core/allocation/YDPRangeSelect.h"
#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStepRun.h"
#include "core/allocation/YDPStrategyRegistry.h"
#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/platform/YUserIO.h"
#include "core/process/YFinish.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
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
// drop the selection again. Nothing else is selected (Run clears the whole road once), so
// only the two runs need clearing: a long road makes thousands of invocations.
bool Invoke(CDalvexDoc& doc, int rule, const YDPSelection& sel, const YSegRun& cut,
            const YSegRun& fill) {
    YDPRangeSelect::Select(doc, cut);
    YDPRangeSelect::Select(doc, fill);
    g_nDPRule = rule;
    std::unique_ptr<YDPCalTool> strategy = YDPStrategyRegistry::FindStrategy(sel);
    const bool recorded = strategy && strategy->Compute();
    YDPRangeSelect::Deselect(doc, cut);
    YDPRangeSelect::Deselect(doc, fill);
    return recorded;
}

double Mid(const YTFItem& s) {
    return 0.5 * (s.m_staStart.Value() + s.m_staEnd.Value());
}

// Usable surplus of a class the class filter lets through: what a haul selection may take.
bool HasSurplus(const YTFItem& s) {
    const qint32 bits = s.SelectableBits();
    for (int k = 1; k <= YClass::Count; ++k) {
        if ((bits & YClass::Bit(k)) != 0 && s.m_dRemUse[size_t(k - 1)] >= YClass::Present) {
            return true;
        }
    }
    return false;
}

bool NeedsFill(const YTFItem& s) {
    return (s.SelectableBits() & YClass::FillBit) != 0;
}

// Whether a structure that may not be crossed lies between segments a and b (either order),
// over the same interval the haul strategies check.
bool Blocked(const YSegmentModel& model, int a, int b) {
    const std::vector<YTFItem>& segs = model.m_arrTF;
    return model.FindBlockingStructure(segs[size_t(std::min(a, b))].m_staStart,
                                       segs[size_t(std::max(a, b))].m_staEnd) >= 0;
}

// The segment with surplus nearest to fill f on the side dir (+1 after, −1 before) whose centre
// lies within reach of f's centre and which f reaches without a blocked structure; −1 when none.
// A blocked nearest candidate blocks everything farther on that side too.
int NearestCut(const YSegmentModel& model, int f, int dir, double reach) {
    const std::vector<YTFItem>& segs = model.m_arrTF;
    const double centre = Mid(segs[size_t(f)]);
    for (int i = f + dir; i >= 0 && i < int(segs.size()); i += dir) {
        if (std::fabs(Mid(segs[size_t(i)]) - centre) > reach) {
            return -1;
        }
        if (HasSurplus(segs[size_t(i)])) {
            return Blocked(model, f, i) ? -1 : i;
        }
    }
    return -1;
}

// The haul selection serving fill f from its nearest reachable surplus: the cut run starts at
// that cut and runs away from f while it stays within reach of f and unblocked; the fill run
// holds f and the segments between it and the cut (all nearer the cut than f is). Every pair of
// the two runs thus lies within reach. Empty when nothing is in reach.
std::optional<std::pair<YSegRun, YSegRun>> PickForFill(const YSegmentModel& model, int f,
                                                       double reach) {
    const std::vector<YTFItem>& segs = model.m_arrTF;
    if (HasSurplus(segs[size_t(f)])) {
        return std::make_pair(YSegRun{f, f}, YSegRun{f, f}); // it fills itself first
    }
    const int before = NearestCut(model, f, -1, reach);
    const int after = NearestCut(model, f, +1, reach);
    if (before < 0 && after < 0) {
        return std::nullopt;
    }
    const double centre = Mid(segs[size_t(f)]);
    const bool useAfter = before < 0 || (after >= 0 && Mid(segs[size_t(after)]) - centre <
                                                           centre - Mid(segs[size_t(before)]));
    const int dir = useAfter ? 1 : -1;
    const int c = useAfter ? after : before;
    int far = c;
    for (int i = c + dir; i >= 0 && i < int(segs.size()); i += dir) {
        if (std::fabs(Mid(segs[size_t(i)]) - centre) > reach || Blocked(model, f, i)) {
            break;
        }
        far = i;
    }
    const YSegRun cut{std::min(c, far), std::max(c, far)};
    const YSegRun fill = useAfter ? YSegRun{f, c - 1} : YSegRun{c + 1, f};
    return std::make_pair(cut, fill);
}

// Fills in station order, each served from its nearest reachable surplus until it is full or
// nothing within reach is left. Surplus only shrinks, so a fill that found nothing in reach
// never will, and one sweep suffices.
// False when the user cancelled in the progress window "自动调配" (one tick per fill segment).
bool HaulWithinReach(CDalvexDoc& doc, double reach, YDPAutoAllocator::Summary& sum) {
    const YSegmentModel& model = doc.Model();
    YProgressScope progress(doc.UserIO(), QStringLiteral("自动调配"), model.GetSegmentCount());
    for (int f = 0; f < model.GetSegmentCount(); ++f) {
        if (!progress.Advance(f)) {
            return false;
        }
        while (NeedsFill(model.m_arrTF[size_t(f)])) {
            const auto pick = PickForFill(model, f, reach);
            if (!pick) {
                break;
            }
            const auto& [cut, fill] = *pick;
            const YDPSelection sel =
                YDPSelection::Haul(&doc, cut.nFirst, cut.nLast, fill.nFirst, fill.nLast);
            // Every recorded step empties the cut run or fills the fill run, so this ends.
            if (!Invoke(doc, DPR_SOIL_FIRST, sel, cut, fill)) {
                break;
            }
            ++sum.nHaulSteps;
        }
    }
    return true;
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
    YDPRangeSelect::ClearAll(doc);
    YTransaction tr(doc.GetDatabase());
    const bool bGoOn = HaulWithinReach(doc, std::max(opt.dReach, 1.0), sum);
    if (bGoOn) {
        WasteToPits(doc, sum);
        BorrowFromPits(doc, sum);
        if (opt.bFinish) {
            sum.bFinished = YFinish::Finish(doc);
        }
    }
    // A cancelled run leaves the file as it was.
    if (!bGoOn) {
        tr.Rollback();
    }
    sum.bWritten = bGoOn && tr.Commit();
    if (bGoOn && !sum.bWritten) {
        doc.UserIO().Error(YDPStepRun::kNotWritten.arg(doc.GetDatabase().LastError()));
    }
    if (!sum.bWritten) {
        (void)doc.ReloadModel(); // the file kept nothing: neither does the model
        sum.bFinished = false;
    }
    return sum;
}
