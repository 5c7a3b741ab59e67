#pragma once

// 桩号: a station (chainage) along the road: the continuous distance from the start of the line in
// metres. It has no text of its own: display texts ("K12+045.600") depend on the chain breaks
// and the station label of the project the station belongs to, so they are made and read by
// that project's YStationNumbering.
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

  private:
    double m_dValue = 0.0;
};
