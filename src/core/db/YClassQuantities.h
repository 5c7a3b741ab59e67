#pragma once

#include <array>

// Positions in every 16-value quantity block: a transfer's before/after (DpProcess), a log
// record, and the surplus columns of a row (YClassQuantities). One order everywhere, so a loop
// over the block never mixes rock with compacted soil. Natural volumes are in place (m³),
// compacted volumes are natural / class coefficient.
namespace DpAmt {
constexpr int Soil = 0;
constexpr int SoilC = 1;
constexpr int Rock = 2;
constexpr int RockC = 3;
constexpr int Class1 = 4;   // classes 1..6 natural at Class1 + k - 1
constexpr int Class1C = 10; // classes 1..6 compacted at Class1C + k - 1
constexpr int Count = 16;
inline constexpr int Cls(int k) {
    return Class1 + k - 1;
}
inline constexpr int ClsC(int k) {
    return Class1C + k - 1;
}
} // namespace DpAmt

// A 16-value quantity block in DpAmt order.
using DpBlock = std::array<double, DpAmt::Count>;

// 土石分类数量: the sixteen quantities a transfer moves or a segment has left, as named
// members for the record sets' column bindings; operator[] walks them in DpAmt order. m³.
struct YClassQuantities {
    static constexpr int Count = DpAmt::Count;

    double dSoil = 0.0;
    double dRock = 0.0;
    double dSoilC = 0.0; // compacted
    double dRockC = 0.0; // compacted
    double d[6] = {};
    double dC[6] = {}; // compacted

    // Value at DpAmt position i, 0 <= i < Count.
    double& operator[](int i) {
        switch (i) {
        case DpAmt::Soil:
            return dSoil;
        case DpAmt::SoilC:
            return dSoilC;
        case DpAmt::Rock:
            return dRock;
        case DpAmt::RockC:
            return dRockC;
        default:
            return i < DpAmt::Class1C ? d[i - DpAmt::Class1] : dC[i - DpAmt::Class1C];
        }
    }
    double operator[](int i) const { return const_cast<YClassQuantities&>(*this)[i]; }
};
