#pragma once

#include <cmath>

// Amounts a process moves are rounded to a binary grid of 2^-20 m³ (about 1e-6 m³, far below
// the 1e-5 m³ at which a quantity counts as present). With the amount on that grid and never
// larger than the stored value it is taken from (up to 2^32 m³), value - amount is computed
// exactly, so undo (value + amount) gives back the value bit for bit and a redo after an undo
// reproduces the recorded state exactly. An amount that takes the whole value is kept as it
// is, so an emptied class is exactly 0.
namespace YAmountGrid {

constexpr double Step = 1.0 / 1048576.0; // 2^-20 m³

inline double Round(double amount, double whole) {
    if (amount == whole || !std::isfinite(amount)) {
        return amount;
    }
    return std::nearbyint(amount / Step) * Step;
}

} // namespace YAmountGrid
