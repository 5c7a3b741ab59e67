#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

// A slow, obviously-right model of chain-break numbering for checking YStationNumbering. It
// works in integer ticks (e.g. millimetres) so that break points are exact, finds each break's
// point by walking the road from the previous break, and answers "which point shows this
// number" by trying every chain and keeping the earliest match.
namespace station_ref {

struct Break {
    std::int64_t back;  // ticks
    std::int64_t ahead; // ticks
};

class Road {
  public:
    Road(std::vector<Break> breaks, std::int64_t ticksPerMetre);

    std::int64_t TicksPerMetre() const { return m_nTicksPerMetre; }
    const std::vector<Break>& Breaks() const { return m_breaks; }
    std::int64_t Position(std::size_t i) const { return m_positions[i]; }

    // Display number of a chainage: the chainage plus the jumps of every break at or before it.
    std::int64_t Display(std::int64_t chainage) const;
    double Display(double chainageMetres) const;
    // Every number the point bears: its display number and, at a break, the break's BACK.
    std::vector<std::int64_t> Names(std::int64_t chainage) const;
    // The earliest chainage bearing the number, if any point does.
    std::optional<std::int64_t> FirstNamed(std::int64_t display) const;
    // The first chainage at or after this one on a whole kilometre, by stepping one tick at
    // a time (at most maxSteps).
    std::optional<std::int64_t> KmCeilByScan(std::int64_t chainage, std::int64_t maxSteps) const;

  private:
    bool OnKilometre(std::int64_t chainage) const;

    std::vector<Break> m_breaks;
    std::vector<std::int64_t> m_positions;
    std::int64_t m_nTicksPerMetre;
};

// Display text by printf rounding, "K" label, sign after the label.
QString Text(double displayMetres, const char* label = "K");
// Display text of a whole number of millimetres.
QString TextOfMm(std::int64_t displayMm, const char* label = "K");

// Random breaks on a grid of `grid` ticks, each BACK beyond the previous AHEAD, mixing short
// chains, long chains and jumps onto or over kilometre marks.
std::vector<Break> RandomBreaks(std::mt19937_64& rng, int count, std::int64_t ticksPerMetre,
                                std::int64_t grid);

} // namespace station_ref
