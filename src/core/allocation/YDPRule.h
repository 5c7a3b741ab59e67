#pragma once

#include <array>

// 调配原则 (allocation rules): the program-wide allocation settings, one rule word and its
// parameters for all open projects. The settings pane writes them at once; strategies read them
// when they run. They are stored nowhere, so every start of the program begins with the
// defaults below.
//
// Bits of g_nDPRule. Exactly one of the five 首要原则 bits (1, 2, 8, 32, 64) is set at any time;
// 4, 16 and 128 are independent flags.
enum YDPRuleBit : int {
    DPR_SOIL_FIRST = 1,     // 优先使用土方
    DPR_TOGETHER = 2,       // 土方石齐用
    DPR_THICKNESS = 4,      // 填到指定厚度
    DPR_CUT_RATIO = 8,      // 单过程土石比例控制
    DPR_UNUSABLE = 16,      // 弃除不可利用方
    DPR_FILL_RATIO = 32,    // 将填缺凑到土石比例
    DPR_LOCAL = 64,         // 就地取弃
    DPR_FILL_CONTENTS = 128 // 使用填方土石含量
};

// The five 首要原则 bits together, and the mask strategies compare the word with (everything
// except the flags 16 and 128, which never hide a haul or borrow strategy).
inline constexpr int DPR_PRINCIPLE_MASK = 1 | 2 | 8 | 32 | 64; // 107
inline constexpr int DPR_ACCEPT_MASK = 111;

inline constexpr int DP_DEFAULT_RULE = DPR_SOIL_FIRST;
inline constexpr double DP_DEFAULT_SOIL_RATIO = 50.0;     // percent
inline constexpr double DP_DEFAULT_ROCK_RATIO = 50.0;     // percent
inline constexpr double DP_DEFAULT_FILL_PER_METRE = 10.0; // m³ of compacted fill per metre
inline constexpr std::array<double, 6> DP_DEFAULT_CONTENT = {20.0, 20.0, 60.0, 0.0, 0.0, 0.0};

extern int g_nDPRule;
extern double g_dSoilRatio;    // 土方比例, percent
extern double g_dRockRatio;    // 石方比例, percent
extern double g_dFillPerMetre; // 每米最大填方量, m³ per metre of line
extern double g_dContent[6];   // Ⅰ类土含量 … Ⅵ类石含量, percent

// Puts every allocation setting back to its start-up default.
void ResetDPSettings();
