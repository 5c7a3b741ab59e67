#include "core/allocation/YDPCalTool.h"

#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStepRun.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/platform/YUserIO.h"

#include <algorithm>
#include <cmath>

namespace {
// Doubled midpoint of a segment: start + end, the distance measure of the pair search.
double TwiceMid(const YTFItem& seg) {
    return seg.m_staStart.Value() + seg.m_staEnd.Value();
}

bool InRange(const std::vector<YTFItem>& segs, int first, int last) {
    return first >= 0 && last >= first && last < static_cast<int>(segs.size());
}
} // namespace

YClassRecord& YDPCalTool::BaseRecord() {
    static YClassRecord& record = []() -> YClassRecord& {
        YClassRecord& base = YClassRegistry::Base(QStringLiteral("调配计算工具"));
        base.base = &YClassRegistry::Base(QStringLiteral("YObject"));
        base.schema = static_cast<unsigned>(-1);
        base.objectSize = sizeof(YDPCalTool);
        return base;
    }();
    return record;
}

QString YDPCalTool::RuleName() const {
    return QStringLiteral("调配计算工具");
}

const YClassRecord* YDPCalTool::GetClassInfo() const {
    const YClassRecord* own = YClassRegistry::Find(BaseRecord(), RuleName());
    return own != nullptr ? own : &BaseRecord();
}

bool YDPCalTool::Accept(const YDPSelection& sel) {
    ResetSearch();
    m_pCutDoc = sel.pCutDoc;
    m_nCutFirst = sel.nCutFirst;
    m_nCutLast = sel.nCutLast;
    m_pFillDoc = sel.pFillDoc;
    m_nFillFirst = sel.nFillFirst;
    m_nFillLast = sel.nFillLast;
    m_nInPort = sel.nInPort;
    m_nOutPort = sel.nOutPort;
    return true;
}

bool YDPCalTool::Compute() {
    return false;
}

bool YDPCalTool::HasSelectedUse(const YTFItem& seg, qint32 mask) {
    for (int k = 1; k <= YClass::Count; ++k) {
        if ((mask & YClass::Bit(k)) != 0 && seg.m_dRemUse[size_t(k - 1)] >= YClass::Present) {
            return true;
        }
    }
    return false;
}

qint32 YDPCalTool::PhaseClasses(const YTFItem& seg) const {
    qint32 mask = 0;
    if (PassHasSoil(m_nPhase)) {
        mask |= YClass::SoilMask;
    }
    if (PassHasRock(m_nPhase)) {
        mask |= YClass::RockMask;
    }
    return seg.m_nSel & mask;
}

bool YDPCalTool::IsCutUsable(const YTFItem& seg) const {
    return HasSelectedUse(seg, seg.m_nSel & YClass::AllMask);
}

bool YDPCalTool::IsFillUsable(const YTFItem& seg) const {
    return (seg.m_nSel & YClass::FillBit) != 0 && seg.m_dRemFill > YClass::Present;
}

double YDPCalTool::SoilNeed(const YTFItem& seg) const {
    return seg.m_dRemFill;
}

double YDPCalTool::RockNeed(const YTFItem& seg) const {
    return seg.m_dRemFill;
}

// ---- Searches ----

template <class Usable>
int YDPCalTool::ScanNearest(const Segments& segs, int lo, int hi, double twiceMid, Usable usable) {
    int best = -1;
    double bestDist = 0.0;
    for (int i = lo; i <= hi; ++i) {
        const YTFItem& seg = segs[size_t(i)];
        if (!usable(seg)) {
            continue;
        }
        const double dist = std::fabs(TwiceMid(seg) - twiceMid);
        if (best >= 0 && !(dist < bestDist)) {
            break;
        }
        best = i;
        bestDist = dist;
    }
    return best;
}

void YDPCalTool::ResetSearch() {
    m_skips.clear();
    m_increasing.clear();
}

bool YDPCalTool::Passes(const YTFItem& seg, Role role) const {
    switch (role) {
    case Role::Cut:
        return IsCutUsable(seg);
    case Role::Fill:
        return IsFillUsable(seg);
    case Role::Both:
        return IsFillUsable(seg) && IsCutUsable(seg);
    }
    return false;
}

YDPSkipIndex& YDPCalTool::Skips(const Segments& segs, Role role, int lo, int hi) {
    const auto key =
        std::make_tuple(static_cast<const void*>(&segs), int(role), int(m_nPhase), lo, hi);
    auto it = m_skips.find(key);
    if (it == m_skips.end()) {
        it = m_skips.emplace(key, YDPSkipIndex()).first;
        it->second.Reset(lo, hi);
    }
    return it->second;
}

bool YDPCalTool::MidpointsIncrease(const Segments& segs, int lo, int hi) {
    const auto key = std::make_tuple(static_cast<const void*>(&segs), lo, hi);
    auto it = m_increasing.find(key);
    if (it == m_increasing.end()) {
        bool increasing = true;
        for (int i = lo; i < hi && increasing; ++i) {
            increasing = TwiceMid(segs[size_t(i)]) < TwiceMid(segs[size_t(i + 1)]);
        }
        it = m_increasing.emplace(key, increasing).first;
    }
    return it->second;
}

int YDPCalTool::Nearest(const Segments& segs, Role role, int lo, int hi, double twiceTarget) {
    auto usable = [&](int i) { return Passes(segs[size_t(i)], role); };
    if (!MidpointsIncrease(segs, lo, hi)) {
        return ScanNearest(segs, lo, hi, twiceTarget,
                           [&](const YTFItem& seg) { return Passes(seg, role); });
    }
    // With strictly increasing midpoints the scan's distances fall until the target is passed:
    // it ends at the last usable segment before the target or the first one after it,
    // whichever is strictly nearer (the earlier on a tie).
    const auto first = segs.begin() + lo;
    const auto last = segs.begin() + hi + 1;
    const int pos =
        int(std::upper_bound(first, last, twiceTarget,
                             [](double t, const YTFItem& seg) { return t < TwiceMid(seg); }) -
            segs.begin()); // first index whose midpoint lies after the target
    YDPSkipIndex& skips = Skips(segs, role, lo, hi);
    const int before = pos > lo ? skips.FirstDown(pos - 1, usable) : -1;
    const int after = pos <= hi ? skips.FirstUp(pos, usable) : -1;
    if (before < 0 || after < 0) {
        return before < 0 ? after : before;
    }
    const double dBefore = std::fabs(TwiceMid(segs[size_t(before)]) - twiceTarget);
    const double dAfter = std::fabs(TwiceMid(segs[size_t(after)]) - twiceTarget);
    return dAfter < dBefore ? after : before;
}

bool YDPCalTool::FindPair(const Segments& segs, int& cut, int& fill) {
    const int c0 = m_nCutFirst;
    const int c1 = m_nCutLast;
    const int f0 = m_nFillFirst;
    const int f1 = m_nFillLast;
    if (!InRange(segs, c0, c1) || !InRange(segs, f0, f1)) {
        return false;
    }
    auto cutOk = [&](int i) { return IsCutUsable(segs[size_t(i)]); };
    auto fillOk = [&](int i) { return IsFillUsable(segs[size_t(i)]); };

    if (f0 < c1 && c0 < f1) {
        // Interleaving or overlapping ranges: a segment that can fill itself comes first.
        const int self = Skips(segs, Role::Both, f0, f1).FirstUp(f0, [&](int i) {
            return Passes(segs[size_t(i)], Role::Both);
        });
        if (self >= 0) {
            cut = fill = self;
            return true;
        }
        const int f = Skips(segs, Role::Fill, f0, f1).FirstUp(f0, fillOk);
        if (f < 0) {
            return false;
        }
        const int c = Nearest(segs, Role::Cut, c0, c1, TwiceMid(segs[size_t(f)]));
        if (c < 0) {
            return false;
        }
        // Refine: the fills from f upwards, nearest to that cut (f is the first usable one, so
        // the whole fill range gives the same answer).
        cut = c;
        fill = Nearest(segs, Role::Fill, f0, f1, TwiceMid(segs[size_t(c)]));
        return true;
    }
    int f = -1;
    int c = -1;
    if (f0 < c1) {
        // Fill range before the cut range: innermost first, fill scanning down, cut up.
        f = Skips(segs, Role::Fill, f0, f1).FirstDown(f1, fillOk);
        c = Skips(segs, Role::Cut, c0, c1).FirstUp(c0, cutOk);
    } else {
        // Fill range after the cut range (touching ranges included).
        f = Skips(segs, Role::Fill, f0, f1).FirstUp(f0, fillOk);
        c = Skips(segs, Role::Cut, c0, c1).FirstDown(c1, cutOk);
    }
    if (f < 0 || c < 0) {
        return false;
    }
    cut = c;
    fill = f;
    return true;
}

int YDPCalTool::FindNearestCut(const Segments& segs, const YStation& sta) {
    if (!InRange(segs, m_nCutFirst, m_nCutLast)) {
        return -1;
    }
    return Nearest(segs, Role::Cut, m_nCutFirst, m_nCutLast, 2.0 * sta.Value());
}

int YDPCalTool::FindNearestFill(const Segments& segs, const YStation& sta) {
    if (!InRange(segs, m_nFillFirst, m_nFillLast)) {
        return -1;
    }
    return Nearest(segs, Role::Fill, m_nFillFirst, m_nFillLast, 2.0 * sta.Value());
}

void YDPCalTool::SumSelectedCut(const Segments& segs, const std::array<double, 6>& coef,
                                double& soil, double& rock) const {
    soil = 0.0;
    rock = 0.0;
    if (!InRange(segs, m_nCutFirst, m_nCutLast)) {
        return;
    }
    for (int i = m_nCutFirst; i <= m_nCutLast; ++i) {
        const YTFItem& seg = segs[size_t(i)];
        for (int k = 1; k <= YClass::Count; ++k) {
            const size_t c = size_t(k - 1);
            if ((seg.m_nSel & YClass::Bit(k)) == 0 || coef[c] <= 0.0) {
                continue;
            }
            (k <= 3 ? soil : rock) += seg.m_dRemUse[c] / coef[c];
        }
    }
}

bool YDPCalTool::ReadFillRatio(double& soil, double& rock) {
    if (g_dSoilRatio >= 0.0 && g_dRockRatio >= 0.0 &&
        std::fabs(g_dSoilRatio + g_dRockRatio - 100.0) <= 1e-5) {
        soil = g_dSoilRatio / 100.0;
        rock = g_dRockRatio / 100.0;
        return true;
    }
    IO().Warning(QStringLiteral("请先输入正确的填土和填石的比例!"));
    return false;
}

bool YDPCalTool::ReadContents(std::array<double, 6>& contents) {
    double sum = 0.0;
    for (double c : g_dContent) {
        if (!(c >= 0.0)) {
            IO().Warning(QStringLiteral("请先输入正确的土石含量!"));
            return false;
        }
        sum += c;
    }
    if (std::fabs(sum - 100.0) > 1e-6) {
        IO().Warning(QStringLiteral("请先输入正确的土石含量!"));
        return false;
    }
    std::copy(std::begin(g_dContent), std::end(g_dContent), contents.begin());
    return true;
}

void YDPCalTool::BalanceQuotas(double rs, double rr, double& qs, double& qr) {
    if (!(rs > 0.0) || !(rr > 0.0)) {
        return;
    }
    const double total = qs + qr;
    if (total * rs > qs) {
        qr = qs * rr / rs;
    } else if (total * rr > qr) {
        qs = qr * rs / rr;
    }
}

// ---- Transfer arithmetic ----

double YDPCalTool::AfterCompacted(const DpProcess& p, qint32 classes) {
    double sum = 0.0;
    for (int k = 1; k <= YClass::Count; ++k) {
        if ((classes & YClass::Bit(k)) != 0) {
            sum += p.after[size_t(DpAmt::ClsC(k))];
        }
    }
    return sum;
}

double YDPCalTool::AfterNatural(const DpProcess& p, qint32 classes) {
    double sum = 0.0;
    for (int k = 1; k <= YClass::Count; ++k) {
        if ((classes & YClass::Bit(k)) != 0) {
            sum += p.after[size_t(DpAmt::Cls(k))];
        }
    }
    return sum;
}

void YDPCalTool::ScaleClasses(DpProcess& p, qint32 classes, double f) {
    for (int k = 1; k <= YClass::Count; ++k) {
        if ((classes & YClass::Bit(k)) != 0) {
            p.after[size_t(DpAmt::Cls(k))] *= f;
            p.after[size_t(DpAmt::ClsC(k))] *= f;
        }
    }
}

void YDPCalTool::RecomputeSums(DpProcess& p, qint32 classes) {
    if ((classes & YClass::SoilMask) != 0) {
        p.after[DpAmt::Soil] = AfterNatural(p, YClass::SoilMask);
        p.after[DpAmt::SoilC] = AfterCompacted(p, YClass::SoilMask);
    }
    if ((classes & YClass::RockMask) != 0) {
        p.after[DpAmt::Rock] = AfterNatural(p, YClass::RockMask);
        p.after[DpAmt::RockC] = AfterCompacted(p, YClass::RockMask);
    }
}

double YDPCalTool::TakeUpTo(DpProcess& p, qint32 classes, double t, double& shortfall) {
    shortfall = 0.0;
    if (!(t > 0.0)) {
        return 0.0; // nothing wanted: a negative take must never add material
    }
    const double available = AfterCompacted(p, classes);
    if (!(available > 0.0)) {
        shortfall = t;
        return 0.0;
    }
    if (available < t) {
        ScaleClasses(p, classes, 0.0);
        shortfall = t - available;
        return available;
    }
    ScaleClasses(p, classes, (available - t) / available);
    return t;
}

double YDPCalTool::Transfer(DpProcess& p, qint32 classes, double need) {
    double shortfall = 0.0;
    const double moved = TakeUpTo(p, classes, need, shortfall);
    RecomputeSums(p, classes);
    p.fillAfter -= moved;
    return moved;
}

// ---- Need rules ----

double YDPCalTool::ThicknessTarget(const YTFItem& seg) const {
    return std::min(seg.m_dFill, seg.Length() * m_dFillPerMetre);
}

double YDPCalTool::Placed(const YTFItem& seg) {
    return seg.m_dFill - seg.m_dRemFill;
}

bool YDPCalTool::ThicknessFillUsable(const YTFItem& seg) const {
    return (seg.m_nSel & YClass::FillBit) != 0 && seg.m_dRemFill >= YClass::Present &&
           Placed(seg) + YClass::Present < ThicknessTarget(seg);
}

double YDPCalTool::ThicknessRoom(const YTFItem& seg) const {
    return std::min(ThicknessTarget(seg) - Placed(seg), seg.m_dRemFill);
}

double YDPCalTool::ShareNeed(const YTFItem& seg, double F, double cap, bool bRock) const {
    const double gs = m_dSoilRatio * F - seg.m_dFillSoil;
    const double gr = m_dRockRatio * F - seg.m_dFillRock;
    const double need = bRock ? (gs >= 0.0 ? gr : gr - gs) : (gr >= 0.0 ? gs : gs - gr);
    return std::min(need, cap);
}

bool YDPCalTool::ShareFillUsable(const YTFItem& seg, double F, double cap) const {
    if ((seg.m_nSel & YClass::FillBit) == 0 || seg.m_dRemFill < YClass::Present) {
        return false;
    }
    if (m_nPhase == YDPPass::Soil) {
        return ShareNeed(seg, F, cap, false) > YClass::Present;
    }
    if (m_nPhase == YDPPass::Rock) {
        return ShareNeed(seg, F, cap, true) > YClass::Present;
    }
    return true;
}

double YDPCalTool::FillShare(const YTFItem& seg, bool bRock) const {
    return ShareNeed(seg, seg.m_dFill, seg.m_dRemFill, bRock);
}

bool YDPCalTool::FillShareUsable(const YTFItem& seg) const {
    return ShareFillUsable(seg, seg.m_dFill, seg.m_dRemFill);
}

double YDPCalTool::ThicknessShare(const YTFItem& seg, bool bRock) const {
    return ShareNeed(seg, ThicknessTarget(seg), ThicknessRoom(seg), bRock);
}

bool YDPCalTool::ThicknessShareUsable(const YTFItem& seg) const {
    return ShareFillUsable(seg, ThicknessTarget(seg), ThicknessRoom(seg));
}

bool YDPCalTool::IsCutUsableByPhase(const YTFItem& seg) const {
    return (PassHasSoil(m_nPhase) && HasSelectedUse(seg, seg.m_nSel & YClass::SoilMask)) ||
           (PassHasRock(m_nPhase) && HasSelectedUse(seg, seg.m_nSel & YClass::RockMask));
}

bool YDPCalTool::CutRangeValid() const {
    return m_pCutDoc != nullptr && InRange(m_pCutDoc->Segments(), m_nCutFirst, m_nCutLast);
}

bool YDPCalTool::FillRangeValid() const {
    return m_pFillDoc != nullptr && InRange(m_pFillDoc->Segments(), m_nFillFirst, m_nFillLast);
}

// ---- Acceptance helpers ----

bool YDPCalTool::IsHaulShape() const {
    return m_pCutDoc == m_pFillDoc && m_pCutDoc != nullptr && m_nCutFirst != -1 &&
           m_nCutLast != -1 && m_nFillFirst != -1 && m_nFillLast != -1;
}

bool YDPCalTool::IsCrossShape() const {
    return m_pCutDoc != m_pFillDoc && m_pCutDoc != nullptr && m_pFillDoc != nullptr &&
           m_nCutFirst != -1 && m_nCutLast != -1 && m_nFillFirst != -1 && m_nFillLast != -1;
}

bool YDPCalTool::IsBorrowShape() const {
    return m_pFillDoc != nullptr && m_nCutFirst != -1 && m_nCutLast == -1 && m_nFillFirst != -1 &&
           m_nFillLast != -1;
}

bool YDPCalTool::IsWasteShape() const {
    return m_pCutDoc != nullptr && m_nCutFirst != -1 && m_nCutLast != -1 && m_nFillFirst != -1 &&
           m_nFillLast == -1;
}

bool YDPCalTool::IsLocalCutShape() const {
    return m_pCutDoc != nullptr && m_nCutFirst != -1 && m_nCutLast != -1;
}

bool YDPCalTool::IsLocalFillShape() const {
    return m_pFillDoc != nullptr && m_nFillFirst != -1 && m_nFillLast != -1;
}

int YDPCalTool::MaskedRule() {
    return g_nDPRule & DPR_ACCEPT_MASK;
}

YUserIO& YDPCalTool::IO() const {
    if (m_pIO != nullptr) {
        return *m_pIO;
    }
    CDalvexDoc* doc = m_pFillDoc != nullptr ? m_pFillDoc : m_pCutDoc;
    Q_ASSERT(doc != nullptr);
    return doc->UserIO();
}
