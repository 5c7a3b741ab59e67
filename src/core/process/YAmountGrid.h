#pragma once

#include <cmath>

// Amounts a process moves are rounded to a binary grid of 2^-20 m³ (about 1e-6 m³, far below
// the 1e-5 m³ at which a quantity counts as present). With the amount on that grid and never
// larger than the stored value it is taken from (up to 2^32 m³), value - amount is computed
// exactly, so an undo (value + amount) gives the value back bit for bit and a redo after an
// undo reproduces the recorded state exactly. An amount that takes a whole value is kept as it
// is, so an emptied class is exactly 0; the other columns the same amount is taken from (the
// surplus totals) then come back from an undo to within one unit of their last digit, and a
// redo still reproduces the recorded state exactly.
//
// Rounding never carries an amount past its whole: an amount within half a step below a whole
// that is not on the grid would round up above it and leave a negative remainder; it takes
// the whole instead (what it would have left is noise, under half a step). An amount that
// already exceeds its whole is its caller's and is only put on the grid; a NaN whole (nothing
// stored to take from: a local take, an entry from a neighbour) sets no bound.
namespace YAmountGrid {

constexpr double Step = 1.0 / 1048576.0; // 2^-20 m³

inline double Round(double amount, double whole) {
    if (amount == whole || !std::isfinite(amount)) {
        return amount;
    }
    const double rounded = std::nearbyint(amount / Step) * Step;
    return (amount <= whole && rounded > whole) ? whole : rounded;
}

} // namespace YAmountGrid
