#include "core/process/YDpStep.h"

#include "core/process/YHaulExtras.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPresent = 1e-5;
}

YDpStep YDpStep::FromRecord(const DpLogRecord& rec) {
    YDpStep s;
    s.m_nKind = rec.kind;
    s.m_nStep = rec.step;
    s.m_staSrcStart = rec.srcStart;
    s.m_staSrcEnd = rec.srcEnd;
    s.m_staDstStart = rec.dstStart;
    s.m_staDstEnd = rec.dstEnd;
    s.m_nPit = rec.pit >= 0 ? rec.pit + 1 : 0;
    s.m_dAmt[StepAmt::Soil] = rec.amount[DpAmt::Soil];
    s.m_dAmt[StepAmt::Rock] = rec.amount[DpAmt::Rock];
    s.m_dAmt[StepAmt::SoilC] = rec.amount[DpAmt::SoilC];
    s.m_dAmt[StepAmt::RockC] = rec.amount[DpAmt::RockC];
    s.m_dAmt[StepAmt::Fill] = rec.amount[DpLogRecord::Fill];
    for (int k = 1; k <= 6; ++k) {
        s.m_dAmt[StepAmt::Cls(k)] = rec.amount[DpAmt::Cls(k)];
        s.m_dAmt[StepAmt::ClsC(k)] = rec.amount[DpAmt::ClsC(k)];
    }
    // Moments: amount × distance between the range centres.
    const double srcSum = s.m_staSrcStart.Value() + s.m_staSrcEnd.Value();
    const double dstSum = s.m_staDstStart.Value() + s.m_staDstEnd.Value();
    const double halfGap = (srcSum - dstSum) / 2.0;
    s.m_dMoment[StepMom::SoilC] = std::fabs(s.m_dAmt[StepAmt::SoilC] * halfGap);
    s.m_dMoment[StepMom::RockC] = std::fabs(s.m_dAmt[StepAmt::RockC] * halfGap);
    for (int k = 1; k <= 6; ++k) {
        s.m_dMoment[StepMom::ClsC(k)] = std::fabs(s.m_dAmt[StepAmt::ClsC(k)] * halfGap);
    }
    s.m_dDstMoment = dstSum * s.m_dAmt[StepAmt::Fill] / 2.0;
    s.m_dSrcMoment = srcSum * (s.m_dAmt[StepAmt::SoilC] + s.m_dAmt[StepAmt::RockC]) / 2.0;
    return s;
}

void YDpStep::Merge(const YDpStep& o) {
    m_staSrcStart = std::min(m_staSrcStart, o.m_staSrcStart);
    m_staSrcEnd = std::max(m_staSrcEnd, o.m_staSrcEnd);
    m_staDstStart = std::min(m_staDstStart, o.m_staDstStart);
    m_staDstEnd = std::max(m_staDstEnd, o.m_staDstEnd);
    for (int i = 0; i < StepAmt::Count; ++i) {
        m_dAmt[i] += o.m_dAmt[i];
    }
    for (int i = 0; i < StepMom::Count; ++i) {
        m_dMoment[i] += o.m_dMoment[i];
    }
    m_dDstMoment += o.m_dDstMoment;
    m_dSrcMoment += o.m_dSrcMoment;
}

double YDpStep::SourceCentre() const {
    const double q = m_dAmt[StepAmt::SoilC] + m_dAmt[StepAmt::RockC];
    if (std::fabs(q) <= kPresent) {
        return (m_staSrcStart.Value() + m_staSrcEnd.Value()) / 2.0;
    }
    return m_dSrcMoment / q;
}

double YDpStep::DestinationCentre() const {
    const double q = m_dAmt[StepAmt::Fill];
    if (std::fabs(q) <= kPresent) {
        return (m_staDstStart.Value() + m_staDstEnd.Value()) / 2.0;
    }
    return m_dDstMoment / q;
}

double YDpStep::Distance(int amtIndex, int momIndex, const YHaulExtras* extras) const {
    const double q = m_dAmt[amtIndex];
    if (q <= kPresent) {
        return 0.0;
    }
    return m_dMoment[momIndex] / q + (extras ? extras->Extra(*this) : 0.0);
}

double YDpStep::TotalDistance(const YHaulExtras* extras) const {
    const double q = m_dAmt[StepAmt::SoilC] + m_dAmt[StepAmt::RockC];
    const double m = m_dMoment[StepMom::SoilC] + m_dMoment[StepMom::RockC];
    if (q <= kPresent || m <= 0.0) {
        return q <= kPresent ? 0.0 : (extras ? extras->Extra(*this) : 0.0);
    }
    return m / q + (extras ? extras->Extra(*this) : 0.0);
}

bool YDpStep::CrossesKilometre(const YStationNumbering& numbering) const {
    return !numbering.SameKm(m_staSrcStart.Value(), m_staSrcEnd.Value()) ||
           !numbering.SameKm(m_staDstStart.Value(), m_staDstEnd.Value());
}

bool YDpStep::SameStations(const YDpStep& o) const {
    return m_staSrcStart == o.m_staSrcStart && m_staSrcEnd == o.m_staSrcEnd &&
           m_staDstStart == o.m_staDstStart && m_staDstEnd == o.m_staDstEnd;
}
