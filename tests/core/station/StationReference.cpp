#include "StationReference.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace station_ref {

Road::Road(std::vector<Break> breaks, std::int64_t ticksPerMetre)
    : m_breaks(std::move(breaks)), m_nTicksPerMetre(ticksPerMetre) {
    // Walk: the first break lies where the unbroken numbering shows its BACK; from each break
    // on, the numbering restarts at AHEAD, so the next break lies BACK - AHEAD further on.
    for (std::size_t i = 0; i < m_breaks.size(); ++i) {
        m_positions.push_back(i == 0
                                  ? m_breaks[0].back
                                  : m_positions[i - 1] + m_breaks[i].back - m_breaks[i - 1].ahead);
    }
}

std::int64_t Road::Display(std::int64_t chainage) const {
    std::int64_t display = chainage;
    for (std::size_t i = 0; i < m_breaks.size(); ++i) {
        if (chainage >= m_positions[i]) {
            display += m_breaks[i].ahead - m_breaks[i].back;
        }
    }
    return display;
}

double Road::Display(double chainageMetres) const {
    double display = chainageMetres;
    for (std::size_t i = 0; i < m_breaks.size(); ++i) {
        if (chainageMetres * m_nTicksPerMetre >= double(m_positions[i])) {
            display += double(m_breaks[i].ahead - m_breaks[i].back) / double(m_nTicksPerMetre);
        }
    }
    return display;
}

std::vector<std::int64_t> Road::Names(std::int64_t chainage) const {
    std::vector<std::int64_t> names{Display(chainage)};
    for (std::size_t i = 0; i < m_breaks.size(); ++i) {
        if (chainage == m_positions[i]) {
            names.push_back(m_breaks[i].back);
        }
    }
    return names;
}

std::optional<std::int64_t> Road::FirstNamed(std::int64_t display) const {
    // On each chain the display runs parallel to the chainage, so the only candidates are the
    // number itself (chain 0), the number measured from each break's AHEAD, and break points.
    std::vector<std::int64_t> candidates{display};
    for (std::size_t i = 0; i < m_breaks.size(); ++i) {
        candidates.push_back(m_positions[i] + display - m_breaks[i].ahead);
        candidates.push_back(m_positions[i]);
    }
    std::optional<std::int64_t> first;
    for (std::int64_t c : candidates) {
        const std::vector<std::int64_t> names = Names(c);
        if (std::find(names.begin(), names.end(), display) != names.end() &&
            (!first || c < *first)) {
            first = c;
        }
    }
    return first;
}

bool Road::OnKilometre(std::int64_t chainage) const {
    const std::int64_t km = 1000 * m_nTicksPerMetre;
    const auto floorDiv = [](std::int64_t a, std::int64_t b) {
        return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
    };
    const std::int64_t display = Display(chainage);
    if (display - floorDiv(display, km) * km == 0) {
        return true;
    }
    for (std::size_t i = 0; i < m_breaks.size(); ++i) {
        const Break& b = m_breaks[i];
        if (chainage == m_positions[i] && b.ahead > b.back &&
            floorDiv(b.ahead, km) * km >= b.back) {
            return true; // a short chain jumping onto or over a kilometre mark
        }
    }
    return false;
}

std::optional<std::int64_t> Road::KmCeilByScan(std::int64_t chainage, std::int64_t maxSteps) const {
    for (std::int64_t step = 0; step <= maxSteps; ++step) {
        if (OnKilometre(chainage + step)) {
            return chainage + step;
        }
    }
    return std::nullopt;
}

QString Text(double displayMetres, const char* label) {
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.3f", std::fabs(displayMetres));
    const std::string s(digits);
    const std::size_t dot = s.find('.');
    const long long whole = std::atoll(s.substr(0, dot).c_str());
    const std::string fraction = s.substr(dot + 1);
    const bool negative = displayMetres < 0 && (whole != 0 || fraction != "000");
    char text[128];
    std::snprintf(text, sizeof text, "%s%s%lld+%03lld.%s", label, negative ? "-" : "", whole / 1000,
                  whole % 1000, fraction.c_str());
    return QString::fromUtf8(text);
}

QString TextOfMm(std::int64_t displayMm, const char* label) {
    const std::int64_t magnitude = displayMm < 0 ? -displayMm : displayMm;
    char text[128];
    std::snprintf(text, sizeof text, "%s%s%lld+%03lld.%03lld", label, displayMm < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 1000000),
                  static_cast<long long>(magnitude / 1000 % 1000),
                  static_cast<long long>(magnitude % 1000));
    return QString::fromUtf8(text);
}

std::vector<Break> RandomBreaks(std::mt19937_64& rng, int count, std::int64_t ticksPerMetre,
                                std::int64_t grid) {
    const std::int64_t km = 1000 * ticksPerMetre;
    std::uniform_int_distribution<std::int64_t> gap(1, 2500 * ticksPerMetre / grid);
    std::uniform_int_distribution<std::int64_t> jump(1, 1200 * ticksPerMetre / grid);
    std::uniform_int_distribution<int> kind(0, 5);
    std::vector<Break> breaks;
    std::int64_t cursor = -500 * ticksPerMetre;
    for (int i = 0; i < count; ++i) {
        const std::int64_t back = cursor + gap(rng) * grid;
        std::int64_t ahead = 0;
        switch (kind(rng)) {
        case 0: // long chain
        case 1:
            ahead = back - jump(rng) * grid;
            break;
        case 2: // short chain landing on the next kilometre mark
            ahead = (back / km + 1) * km;
            break;
        case 3: // starting on a kilometre mark
        {
            const std::int64_t mark = (back / km + 1) * km;
            breaks.push_back({mark, mark + jump(rng) * grid});
            cursor = breaks.back().ahead;
            continue;
        }
        default: // short chain
            ahead = back + jump(rng) * grid;
            break;
        }
        breaks.push_back({back, ahead});
        cursor = ahead;
    }
    return breaks;
}

} // namespace station_ref
