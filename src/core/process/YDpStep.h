#pragma once

#include "core/db/DpLogRecord.h"
#include "core/station/YStationNumbering.h"

#include <array>

class YHaulExtras;

// Positions of the 17 amounts of a step (m³): natural soil and rock, their compacted volumes,
// the destination's fill, the six classes natural, the six classes compacted.
namespace StepAmt {
constexpr int Soil = 0;
constexpr int Rock = 1;
constexpr int SoilC = 2;
constexpr int RockC = 3;
constexpr int Fill = 4;
constexpr int Count = 17;
inline constexpr int Cls(int k) {
    return 4 + k;
} // k = 1..6
inline constexpr int ClsC(int k) {
    return 10 + k;
} // k = 1..6
} // namespace StepAmt

// Positions of the eight haul moments (m³·m): compacted soil, compacted rock, compacted
// classes 1..6.
namespace StepMom {
constexpr int SoilC = 0;
constexpr int RockC = 1;
constexpr int Count = 8;
inline constexpr int ClsC(int k) {
    return 1 + k;
}
} // namespace StepMom

// A process (调配过程), or a run of processes of one step merged together, as the lists and
// reports show it. Moments are amount × half the difference of the range sums (the distance
// between the centres of source and destination), so merged moments divided by merged amounts
// give amount-weighted haul distances.
class YDpStep {
  public:
    DpKind m_nKind = DpKind::Haul;
    int m_nStep = 0;
    bool m_bApplied = true; // false for undone processes
    YStation m_staSrcStart;
    YStation m_staSrcEnd;
    YStation m_staDstStart;
    YStation m_staDstEnd;
    std::array<double, StepAmt::Count> m_dAmt{};
    int m_nPit = 0; // |坑|: pit number + 1, or link 编号 + 1; 0 none
    std::array<double, StepMom::Count> m_dMoment{};
    double m_dDstMoment = 0.0; // fill × destination centre
    double m_dSrcMoment = 0.0; // (soil + rock compacted) × source centre

    // A step of one process read from the log.
    [[nodiscard]] static YDpStep FromRecord(const DpLogRecord& rec);

    // Adds another step of the same kind: ranges widened, amounts and moments added.
    void Merge(const YDpStep& other);

    double SourceCentre() const;      // station, m
    double DestinationCentre() const; // station, m

    // Haul distance (m) of a compacted amount and its moment, plus the extras of the kind.
    // 0 when the amount is 1e-5 or less.
    double Distance(int amtIndex, int momIndex, const YHaulExtras* extras) const;
    double SoilDistance(const YHaulExtras* e) const {
        return Distance(StepAmt::SoilC, StepMom::SoilC, e);
    }
    double RockDistance(const YHaulExtras* e) const {
        return Distance(StepAmt::RockC, StepMom::RockC, e);
    }
    double ClassDistance(int k, const YHaulExtras* e) const {
        return Distance(StepAmt::ClsC(k), StepMom::ClsC(k), e);
    }
    // Soil and rock together, as the process list shows one figure per step.
    double TotalDistance(const YHaulExtras* e) const;

    // Task-list number: the step, or -1 local waste, -2 local borrow, -3 out, -4 in.
    int TaskNumber() const { return DpKinds::TaskNumber(m_nKind, m_nStep); }

    bool IsBorrow() const { return DpKinds::IsBorrow(m_nKind); }
    bool IsWaste() const { return DpKinds::IsWaste(m_nKind); }
    bool IsLocalBorrow() const { return DpKinds::IsLocalBorrow(m_nKind); }
    bool IsLocalWaste() const { return DpKinds::IsLocalWaste(m_nKind); }
    bool IsIn() const { return DpKinds::IsIn(m_nKind); }
    bool IsOut() const { return DpKinds::IsOut(m_nKind); }

    // Whether the source range or the destination range runs into another kilometre.
    bool CrossesKilometre(const YStationNumbering& numbering) const;
    bool SameStations(const YDpStep& o) const;
};
