#pragma once

#include <QtGlobal>

// The choices of the preprocessing dialog ("数据预处理"): the options word and the two loss
// factors the document keeps beside it.
struct YPreprocessOptions {
    // Bits of the options word.
    static constexpr quint32 ReuseMask = 0x3F;      // class k may be reused locally: 1 << (k−1)
    static constexpr quint32 TroughByDepth = 0x100; // judge fill/cut by the trough depth
    static constexpr quint32 TroughToCut = 0x200;   // a trough shortfall becomes cut
    static constexpr quint32 MethodMask = 0xF000;
    static constexpr quint32 AverageArea = 0x1000; // 平均断面法
    static constexpr quint32 Prismoidal = 0x2000;  // 棱台法
    // The dialog's defaults: average-area rule, the three soil classes reused, trough judged
    // by the centre height, fill deducted down to 0.
    static constexpr quint32 DefaultWord = AverageArea | 0x7;

    // Loss rates are percentages within these bounds (the dialog refuses others).
    static constexpr double MaxLossRate = 20.0;

    quint32 nOptions = DefaultWord;
    double dSoilFactor = 1.0; // 1 − soil loss rate / 100
    double dRockFactor = 1.0; // 1 − rock loss rate / 100

    static YPreprocessOptions Make(quint32 word, double soilLossPercent, double rockLossPercent) {
        return {word, 1.0 - soilLossPercent / 100.0, 1.0 - rockLossPercent / 100.0};
    }
    static bool LossRateValid(double percent) { return percent >= 0.0 && percent <= MaxLossRate; }

    quint32 ReuseClasses() const { return nOptions & ReuseMask; }
    bool ByDepth() const { return (nOptions & TroughByDepth) != 0; }
    bool ToCut() const { return (nOptions & TroughToCut) != 0; }
    bool IsPrismoidal() const { return (nOptions & MethodMask) == Prismoidal; }
};
