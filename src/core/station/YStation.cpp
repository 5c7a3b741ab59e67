#include "core/station/YStation.h"

#include "core/station/YStationNumbering.h"

#include <cmath>

static_assert(YStation::Epsilon == YStationNumbering::Tolerance,
              "stations equal by comparison must read as one point of the numbering");

bool operator==(const YStation& a, const YStation& b) {
    return std::abs(a.m_dValue - b.m_dValue) < YStation::Epsilon;
}

// Less by at least Epsilon, so that exactly one of <, ==, > holds for finite values.
bool operator<(const YStation& a, const YStation& b) {
    return b.m_dValue - a.m_dValue >= YStation::Epsilon;
}
