#include "core/station/YChainBreak.h"

#include "core/station/YStationText.h"

namespace {

// One side of a break: a display text or a plain number, both taken as display numbers.
std::optional<double> ReadSide(const QString& side) {
    const std::optional<YStationText::Reading> reading = YStationText::Read(side);
    if (!reading) {
        return std::nullopt;
    }
    return reading->metres;
}

} // namespace

std::optional<YChainBreak> YChainBreak::Parse(const QString& text) {
    if (text.size() > 4 * YStationText::MaxTextLength) {
        return std::nullopt;
    }
    const QString folded = YStationText::FoldWidth(text);
    const qsizetype equals = folded.indexOf(u'=');
    if (equals < 0 || folded.indexOf(u'=', equals + 1) >= 0) {
        return std::nullopt;
    }
    const std::optional<double> back = ReadSide(folded.left(equals));
    const std::optional<double> ahead = ReadSide(folded.mid(equals + 1));
    if (!back || !ahead) {
        return std::nullopt;
    }
    return YChainBreak(*back, *ahead);
}

QString YChainBreak::Text(const QString& label) const {
    return YStationText::Format(m_dBack, label) + u'=' + YStationText::Format(m_dAhead, label);
}
