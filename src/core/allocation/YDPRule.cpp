#include "core/allocation/YDPRule.h"

#include <algorithm>

int g_nDPRule = DP_DEFAULT_RULE;
double g_dSoilRatio = DP_DEFAULT_SOIL_RATIO;
double g_dRockRatio = DP_DEFAULT_ROCK_RATIO;
double g_dFillPerMetre = DP_DEFAULT_FILL_PER_METRE;
double g_dContent[6] = {DP_DEFAULT_CONTENT[0], DP_DEFAULT_CONTENT[1], DP_DEFAULT_CONTENT[2],
                        DP_DEFAULT_CONTENT[3], DP_DEFAULT_CONTENT[4], DP_DEFAULT_CONTENT[5]};

void ResetDPSettings() {
    g_nDPRule = DP_DEFAULT_RULE;
    g_dSoilRatio = DP_DEFAULT_SOIL_RATIO;
    g_dRockRatio = DP_DEFAULT_ROCK_RATIO;
    g_dFillPerMetre = DP_DEFAULT_FILL_PER_METRE;
    std::copy(DP_DEFAULT_CONTENT.begin(), DP_DEFAULT_CONTENT.end(), g_dContent);
}
