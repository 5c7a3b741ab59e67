#pragma once

#include "core/station/YStationSystem.h"

#include <QString>
#include <optional>

// A station (chainage) along the road: the continuous distance from the start of the line in
// metres. Display texts ("K12+045.600") are numbered with the chain breaks and the station
// label of the program-wide station system (YStationSystem), so the same value may show
// differently in two projects.
//
// Comparisons treat values closer than Epsilon as equal: stations reach us through sums and
// differences of doubles (interpolated cross-sections, segment ends), and a difference far
// below the 1 mm display precision must not split one cross-section into two.
class YStation {
  public:
    static constexpr double Epsilon = 1e-6; // metres

    YStation() = default;
    YStation(double metres) : m_dValue(metres) {} // NOLINT: implicit, as the old station type

    double Value() const { return m_dValue; }
    void SetValue(double metres) { m_dValue = metres; }

    friend bool operator==(const YStation& a, const YStation& b);
    friend bool operator!=(const YStation& a, const YStation& b) { return !(a == b); }
    friend bool operator<(const YStation& a, const YStation& b);
    friend bool operator>(const YStation& a, const YStation& b) { return b < a; }
    friend bool operator<=(const YStation& a, const YStation& b) { return !(b < a); }
    friend bool operator>=(const YStation& a, const YStation& b) { return !(a < b); }

    YStation operator+(const YStation& o) const { return YStation(m_dValue + o.m_dValue); }
    YStation operator-(const YStation& o) const { return YStation(m_dValue - o.m_dValue); }
    YStation operator*(double f) const { return YStation(m_dValue * f); }
    YStation operator/(double f) const { return YStation(m_dValue / f); }
    YStation& operator+=(const YStation& o) {
        m_dValue += o.m_dValue;
        return *this;
    }
    YStation& operator-=(const YStation& o) {
        m_dValue -= o.m_dValue;
        return *this;
    }

    // Reads a display text ("K0012+345.678", any letter prefix, chain breaks applied) or a plain
    // number of metres. Empty result for anything else.
    static std::optional<YStation> Parse(const QString& text);
    // Parse() that gives station 0 for an unreadable text, as the record sets read them.
    static YStation ParseOrZero(const QString& text);

    // Display text with the chain breaks and the label of the station system.
    QString Text() const;
    // The kilometre part of the display text: everything before "+".
    QString KmText() const;
    // The smallest station at or after this one whose display text falls on a whole
    // kilometre (metres part 0), taking chain breaks into account.
    YStation KmCeil() const;

  private:
    double m_dValue = 0.0;
};
