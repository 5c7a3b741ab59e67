#pragma once

// The sixteen quantities a transfer moves or a segment has left, in the order the process
// code walks them: soil and rock natural, soil and rock compacted, classes I–VI natural,
// classes I–VI compacted (class index 0 = I 松土). m³.
struct YClassQuantities {
    static constexpr int Count = 16;

    double dSoil = 0.0;
    double dRock = 0.0;
    double dSoilC = 0.0; // compacted
    double dRockC = 0.0; // compacted
    double d[6] = {};
    double dC[6] = {}; // compacted

    // Value i in the order above, 0 <= i < Count.
    double& operator[](int i) {
        switch (i) {
        case 0:
            return dSoil;
        case 1:
            return dRock;
        case 2:
            return dSoilC;
        case 3:
            return dRockC;
        default:
            return i < 10 ? d[i - 4] : dC[i - 10];
        }
    }
    double operator[](int i) const { return const_cast<YClassQuantities&>(*this)[i]; }
};
