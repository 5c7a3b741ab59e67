#include "core/station/YStationNumbering.h"

#include "core/station/YStationText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Display texts carry millimetres: numbers within half a millimetre of a kilometre mark show
// as that mark.
constexpr double HalfMm = 0.0005;

// The smallest whole kilometre (in metres) that a display number has not yet passed.
double KmMarkAtOrAfter(double displayMetres) {
    return std::ceil((displayMetres - HalfMm) / 1000.0) * 1000.0;
}

bool IsUsable(double metres) {
    return std::isfinite(metres) && std::abs(metres) <= YStationText::MaxMetres;
}

} // namespace

void YStationNumbering::ClearChainBreaks() {
    m_breaks.clear();
}

bool YStationNumbering::AddChainBreak(const YChainBreak& brk) {
    if (!IsUsable(brk.Back()) || !IsUsable(brk.Ahead())) {
        return false;
    }
    if (!m_breaks.empty() && brk.Back() <= m_breaks.back().brk.Ahead() + Tolerance) {
        return false;
    }
    const double before = Offset(ChainBreakCount());
    m_breaks.push_back({brk, brk.Back() - before, before + brk.Jump()});
    return true;
}

bool YStationNumbering::SetLabel(const QString& label) {
    const QString trimmed = label.trimmed();
    const bool usable = trimmed.isEmpty() || YStationText::IsValidLabel(trimmed);
    m_label = usable && !trimmed.isEmpty() ? trimmed : QStringLiteral("K");
    return usable;
}

int YStationNumbering::ChainAt(double chainage) const {
    const auto after = std::upper_bound(
        m_breaks.begin(), m_breaks.end(), chainage,
        [](double value, const PlacedBreak& placed) { return value < placed.position; });
    return static_cast<int>(after - m_breaks.begin());
}

double YStationNumbering::ToDisplay(double chainage) const {
    return chainage + Offset(ChainAt(chainage));
}

std::optional<double> YStationNumbering::FromDisplay(double displayMetres) const {
    if (!std::isfinite(displayMetres)) {
        return std::nullopt;
    }
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const int chains = ChainBreakCount() + 1;
    for (int chain = 0; chain < chains; ++chain) {
        const double first = chain == 0 ? -infinity : m_breaks[chain - 1].brk.Ahead();
        const double last = chain + 1 == chains ? infinity : m_breaks[chain].brk.Back();
        if (displayMetres < first - Tolerance || displayMetres > last + Tolerance) {
            continue;
        }
        // The ends of a chain are break points: give their stored chainage exactly, so that
        // the point shows AHEAD and not a number a rounding error before the break.
        if (displayMetres <= first + Tolerance) {
            return m_breaks[chain - 1].position;
        }
        if (displayMetres >= last - Tolerance) {
            return m_breaks[chain].position;
        }
        return displayMetres - Offset(chain);
    }
    // In a short-chain gap: a number within half a millimetre of the gap's ends is the break
    // point written to the millimetre (a text of AHEAD = 30.0001 reads 30.000).
    for (const auto& b : m_breaks) {
        if (std::fabs(displayMetres - b.brk.Back()) <= HalfMm + Tolerance ||
            std::fabs(displayMetres - b.brk.Ahead()) <= HalfMm + Tolerance) {
            return b.position;
        }
    }
    return std::nullopt;
}

QString YStationNumbering::Text(double chainage) const {
    return YStationText::Format(ToDisplay(chainage), m_label);
}

std::optional<double> YStationNumbering::Parse(const QString& text) const {
    const std::optional<YStationText::Reading> reading = YStationText::Read(text);
    if (!reading) {
        return std::nullopt;
    }
    if (reading->form == YStationText::Form::Plain) {
        // A chainage whose display number lies beyond the texts (the breaks add up) would be
        // written as a text that reads no more.
        return IsUsable(ToDisplay(reading->metres)) ? std::optional<double>(reading->metres)
                                                    : std::nullopt;
    }
    return FromDisplay(reading->metres);
}

QString YStationNumbering::KmText(double chainage) const {
    const QString text = Text(chainage);
    if (!IsUsable(ToDisplay(chainage))) {
        return text; // a plain number such as "1e+300": no kilometre part
    }
    return text.left(text.indexOf(u'+'));
}

bool YStationNumbering::SameKm(double a, double b) const {
    // A display number 1 mm or more from a whole kilometre has that kilometre in its text,
    // however the text rounds it; anything nearer a mark is left to the texts.
    const auto km = [](double display) {
        const double below = std::floor((display - 1e-3) / 1000.0);
        return below == std::floor((display + 1e-3) / 1000.0) ? std::optional<double>(below)
                                                              : std::nullopt;
    };
    const double da = ToDisplay(a);
    const double db = ToDisplay(b);
    if (IsUsable(da) && IsUsable(db) && ChainAt(a) == ChainAt(b)) {
        const std::optional<double> ka = km(da);
        if (ka && ka == km(db)) {
            return true;
        }
    }
    return KmText(a) == KmText(b);
}

bool YStationNumbering::JumpsOverKm(int index) const {
    const YChainBreak& brk = m_breaks[index].brk;
    return brk.Jump() > 0.0 && KmMarkAtOrAfter(brk.Back()) <= brk.Ahead() + HalfMm;
}

double YStationNumbering::KmCeil(double chainage) const {
    if (!IsUsable(ToDisplay(chainage))) {
        return chainage;
    }
    int chain = ChainAt(chainage);
    if (chain > 0 && chainage - m_breaks[chain - 1].position < HalfMm && JumpsOverKm(chain - 1)) {
        return chainage;
    }
    // Walk the chains forward from the chainage until a mark falls inside one, or a short chain
    // jumps over one.
    double from = chainage;
    for (const int lastChain = ChainBreakCount();; ++chain) {
        const double offset = Offset(chain);
        const double mark = KmMarkAtOrAfter(from + offset);
        if (mark - (from + offset) <= HalfMm) {
            return from; // already shows a whole kilometre
        }
        if (chain == lastChain || mark < m_breaks[chain].brk.Back() - HalfMm) {
            return mark - offset;
        }
        if (JumpsOverKm(chain)) {
            return m_breaks[chain].position;
        }
        from = m_breaks[chain].position;
    }
}

bool YStationNumbering::AddChainBreak(const QString& text) {
    const std::optional<YChainBreak> brk = YChainBreak::Parse(text);
    return brk && AddChainBreak(*brk);
}

std::optional<YStation> YStationNumbering::ParseStation(const QString& text) const {
    const std::optional<double> metres = Parse(text);
    if (!metres) {
        return std::nullopt;
    }
    return YStation(*metres);
}

YStation YStationNumbering::ParseOrZero(const QString& text) const {
    return ParseStation(text).value_or(YStation());
}
