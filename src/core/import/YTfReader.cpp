#include "core/import/YTfReader.h"

#include "core/import/YInputLimits.h"

#include <QIODevice>
#include <charconv>
#include <cmath>

namespace {

bool IsDelimiter(char c) {
    return c == ' ' || c == ',' || c == ';' || c == '\t';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

const char* SkipDelimiters(const char* p, const char* end) {
    while (p < end && IsDelimiter(*p)) {
        ++p;
    }
    return p;
}

const char* SkipField(const char* p, const char* end) {
    while (p < end && !IsDelimiter(*p)) {
        ++p;
    }
    return p;
}

// A decimal number at the start of [p, end), as "%lf" reads it: leading white space, an
// optional sign, digits with a decimal point and an exponent. Empty when there is none, and
// for infinities and NaN, which no area or station can be.
std::optional<double> ReadNumber(const char* p, const char* end) {
    while (p < end && IsSpace(*p)) {
        ++p;
    }
    if (p < end && *p == '+') {
        ++p;
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || ptr == p || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

void Store(YTfLine& line, int role, double value) {
    switch (role) {
    case TfFormat::Station:
        line.dStation = value;
        break;
    case TfFormat::FillArea:
        line.dFill = value;
        break;
    case TfFormat::CutArea:
        line.dCut = value;
        break;
    case TfFormat::Height:
        line.dHeight = value;
        break;
    default:
        break;
    }
}

} // namespace

YTfReader::YTfReader(const TfFormat& format)
    : m_map(format.BuildColumnMap()), m_nStartLine(format.m_nStartLine),
      m_nNeeded(format.NeededValues()) {}

YTfReader::LineKind YTfReader::ReadLine(const char* p, const char* end, YTfLine& line,
                                        bool countOnly) const {
    p = SkipDelimiters(p, end);
    if (p == end || *p == '*' || (end - p >= 2 && p[0] == '/' && p[1] == '/')) {
        return LineKind::Comment;
    }
    if (countOnly) {
        return LineKind::Data;
    }
    line = YTfLine{};
    int read = 0;
    for (int col = 0; col < TfFormat::MaxColumns && p < end && read < m_nNeeded; ++col) {
        const int role = m_map[static_cast<size_t>(col)];
        if (role != TfFormat::Ignore) {
            const std::optional<double> value = ReadNumber(p, end);
            if (!value) {
                return LineKind::Bad;
            }
            Store(line, role, *value);
            ++read;
        }
        p = SkipDelimiters(SkipField(p, end), end);
    }
    return read < m_nNeeded ? LineKind::Bad : LineKind::Data;
}

QString YTfReader::CheckLine(const YTfLine& line, const YTfLine* previous) {
    QString reason = YInputLimits::CheckStation(line.dStation);
    if (reason.isEmpty()) {
        reason = YInputLimits::CheckArea(line.dCut);
    }
    if (reason.isEmpty()) {
        reason = YInputLimits::CheckArea(line.dFill);
    }
    if (reason.isEmpty()) {
        reason = YInputLimits::CheckHeight(line.dHeight);
    }
    if (reason.isEmpty() && previous != nullptr) {
        reason = YInputLimits::CheckAfter(line.dStation, previous->dStation);
    }
    return reason;
}

YTfReadResult YTfReader::Read(const QByteArray& text) const {
    YTfReadResult result;
    const char* p = text.constData();
    const char* const end = p + text.size();
    if (text.startsWith("\xEF\xBB\xBF")) {
        p += 3;
    }
    int physical = 0;
    int data = 0;
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') {
            ++lineEnd;
        }
        const char* eol = lineEnd;
        if (eol + 1 < end && eol[0] == '\r' && eol[1] == '\n') {
            ++eol;
        }
        ++physical;
        YTfLine line;
        const bool beforeStart = data + 1 < m_nStartLine;
        const LineKind kind = ReadLine(p, lineEnd, line, beforeStart);
        if (kind != LineKind::Comment) {
            ++data;
            if (kind == LineKind::Bad) {
                result.nFailLine = physical;
                return result;
            }
            if (!beforeStart) {
                result.strReason =
                    CheckLine(line, result.lines.empty() ? nullptr : &result.lines.back());
                if (!result.strReason.isEmpty()) {
                    result.nFailLine = physical;
                    return result;
                }
                result.lines.push_back(line);
            }
        }
        p = eol < end ? eol + 1 : end;
    }
    return result;
}

YTfReadResult YTfReader::Read(QIODevice& device) const {
    return Read(device.readAll());
}
