#include "core/station/YStation.h"

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

std::optional<YStation> YStation::Parse(const QString& text) {
    const std::optional<double> metres = YStationSystem::Numbering().Parse(text);
    if (!metres) {
        return std::nullopt;
    }
    return YStation(*metres);
}

YStation YStation::ParseOrZero(const QString& text) {
    return Parse(text).value_or(YStation());
}

QString YStation::Text() const {
    return YStationSystem::Numbering().Text(m_dValue);
}

QString YStation::KmText() const {
    return YStationSystem::Numbering().KmText(m_dValue);
}

YStation YStation::KmCeil() const {
    return YStation(YStationSystem::Numbering().KmCeil(m_dValue));
}
