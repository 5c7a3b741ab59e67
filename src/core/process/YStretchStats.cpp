#include "core/process/YStretchStats.h"

#include "core/db/YTsjsSet.h"
#include "core/model/YClassFilter.h"

#include <algorithm>

namespace {

YStretchStats::Group Group8(double soil, double rock, const double* cls) {
    YStretchStats::Group g{soil, rock};
    for (int k = 0; k < 6; ++k) {
        g[size_t(2 + k)] = cls[k];
    }
    return g;
}

YStretchStats* Find(std::vector<YStretchStats>& v, const YStation& sta) {
    auto it =
        std::lower_bound(v.begin(), v.end(), sta,
                         [](const YStretchStats& s, const YStation& x) { return s.staStart < x; });
    return it != v.end() && it->staStart == sta ? &*it : nullptr;
}

} // namespace

YStretchStats::Group YStretchStats::Flow::Distance() const {
    Group d{};
    for (size_t i = 0; i < d.size(); ++i) {
        d[i] = compacted[i] > YClass::Present ? moment[i] / compacted[i] : 0.0;
    }
    return d;
}

void YStretchStats::Flow::Add(const YDpStep& s, const YHaulExtras* extras) {
    const int amtC[8] = {StepAmt::SoilC,   StepAmt::RockC,   StepAmt::ClsC(1), StepAmt::ClsC(2),
                         StepAmt::ClsC(3), StepAmt::ClsC(4), StepAmt::ClsC(5), StepAmt::ClsC(6)};
    const int amtL[8] = {StepAmt::Soil,   StepAmt::Rock,   StepAmt::Cls(1), StepAmt::Cls(2),
                         StepAmt::Cls(3), StepAmt::Cls(4), StepAmt::Cls(5), StepAmt::Cls(6)};
    const int mom[8] = {StepMom::SoilC,   StepMom::RockC,   StepMom::ClsC(1), StepMom::ClsC(2),
                        StepMom::ClsC(3), StepMom::ClsC(4), StepMom::ClsC(5), StepMom::ClsC(6)};
    for (size_t i = 0; i < 8; ++i) {
        const double q = s.m_dAmt[size_t(amtC[i])];
        compacted[i] += q;
        loose[i] += s.m_dAmt[size_t(amtL[i])];
        moment[i] += q * s.Distance(amtC[i], mom[i], extras);
    }
}

YStretchStats YStretchStats::FromRow(const YTsjsSet& r) {
    YStretchStats s;
    s.staStart = r.m_staStart;
    s.staEnd = r.m_staEnd;
    s.dLength = r.m_dLength;
    s.dCutTotal = r.m_dCutTotal;
    s.cut = Group8(r.m_dCut[0] + r.m_dCut[1] + r.m_dCut[2], r.m_dCut[3] + r.m_dCut[4] + r.m_dCut[5],
                   r.m_dCut);
    s.dFillTotal = r.m_dFillTotal;
    s.fillC = Group8(r.m_dFillSoil, r.m_dFillRock, r.m_dFillC);
    s.fillL = Group8(r.m_dFillSoilL, r.m_dFillRockL, r.m_dFill);
    s.localC = Group8(r.m_dLocalSoil, r.m_dLocalRock, r.m_dLocalC);
    s.localL = Group8(r.m_dLocalSoilL, r.m_dLocalRockL, r.m_dLocal);
    return s;
}

bool YStretchStats::AddPair(std::vector<YStretchStats>& v, const YDpStep& pair,
                            const YHaulExtras* extras) {
    const DpKind k = pair.m_nKind;
    if (k == DpKind::Reuse) {
        return true; // already in the local reuse columns of the row
    }
    const bool atSource = DpKinds::IsWaste(k) || DpKinds::IsLocalWaste(k) || DpKinds::IsOut(k);
    YStretchStats* s = Find(v, atSource ? pair.m_staSrcStart : pair.m_staDstStart);
    if (!s) {
        return false;
    }
    Flow& f = k == DpKind::Haul                                     ? s->haul
              : (DpKinds::IsBorrow(k) || DpKinds::IsLocalBorrow(k)) ? s->borrow
              : DpKinds::IsIn(k)                                    ? s->in
              : DpKinds::IsOut(k)                                   ? s->out
                                                                    : s->waste;
    f.Add(pair, extras);
    return true;
}
