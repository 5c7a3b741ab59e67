#pragma once

#include "core/compute/YTsjsRow.h"

#include <array>

// The arithmetic of the preprocessing (数据预处理), free of any table: averaging two
// cross-section areas, deducting the road trough (路槽) from a cross-section, splitting a
// segment's cut into the six classes and reusing it locally (本桩利用). Areas in m², lengths in
// m, volumes in m³.
class YSegmentCalc {
  public:
    // Below this an area or volume counts as nothing.
    static constexpr double Tiny = 1e-5;

    // Average area of a segment with end areas a0 (earlier) and a1 (later). The average-area
    // rule takes the mean; the prismoidal rule (棱台法) gives the frustum's volume per metre,
    // (a0 + a1 + √(a0·a1)) / 3, and a third of a0 when the later end has no area (a pyramid).
    [[nodiscard]] static double AverageArea(double a0, double a1, bool prismoidal);

    // Linear interpolation of a table value between the cross-sections at s0 and s1 (s0 < s1).
    [[nodiscard]] static double Interpolate(double x0, double x1, double s0, double s1, double s);

    struct Areas {
        double cut = 0.0;  // m²
        double fill = 0.0; // m²
    };
    struct Trough {
        double area = 0.0;  // 宽度 × 高度 of the trough row, m²; 0 where none applies
        double depth = 0.0; // 高度, m
    };
    // Trough deduction at one cross-section with centre height h (≥ 0 is fill). A cut section
    // gains the trough area; a fill section loses it, down to 0, or with toCut the shortfall
    // turns into cut. byDepth judges fill by h ≥ trough depth instead of h ≥ 0.
    [[nodiscard]] static Areas DeductTrough(Areas a, double h, const Trough& t, bool byDepth,
                                            bool toCut);

    // What the segment's cut is made of.
    struct Material {
        std::array<double, 6> content{}; // percent of the cut per class
        std::array<double, 6> usable{};  // usable share per class, fraction 0..1
        std::array<double, 6> coef{};    // natural-to-compacted divisors per class, > 0
        double soilFactor = 1.0;         // 1 − soil loss rate
        double rockFactor = 1.0;         // 1 − rock loss rate
    };
    // Fills contents, coefficients, loss rates, totals, class quantities and the surplus
    // before reuse (split into usable and unusable) from the average areas and the length
    // already in the row. The fill still needed is the whole fill.
    static void Quantities(YTsjsRow& row, const Material& m);

    // Local reuse (本桩利用) of the row's own cut in its fill, for the classes whose bit (class
    // k = 1 << (k−1)) is in reuseMask, in the manner of the table layout version: from version 3
    // only the usable part is reused, at version 2 the whole surplus by class, below version 2
    // the whole soil or rock surplus. Soil goes first when the fill cannot take all.
    static void LocalReuse(YTsjsRow& row, int version, unsigned reuseMask);

  private:
    struct Split {
        double soil = 0.0; // compacted volume used, m³
        double rock = 0.0;
    };
    static Split SplitFill(YTsjsRow& row, double soilOffer, double rockOffer);
    static void ReuseByClass(YTsjsRow& row, int version, unsigned reuseMask);
    static void ReuseOldLayout(YTsjsRow& row, unsigned reuseMask);
};
