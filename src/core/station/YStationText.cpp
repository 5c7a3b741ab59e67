#include "core/station/YStationText.h"

#include <QStringView>
#include <cmath>

namespace {

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool AllAsciiDigits(QStringView s) {
    for (QChar c : s) {
        if (!IsAsciiDigit(c)) {
            return false;
        }
    }
    return true;
}

// Empty, or letters and ASCII digits beginning and ending with a letter. Ending with a letter
// keeps the boundary to the kilometre digits unambiguous ("A1K12" is prefix "A1K", km 12).
bool IsValidPrefix(QStringView prefix) {
    if (prefix.isEmpty()) {
        return true;
    }
    if (!prefix.front().isLetter() || !prefix.back().isLetter()) {
        return false;
    }
    for (QChar c : prefix) {
        if (!c.isLetter() && !IsAsciiDigit(c)) {
            return false;
        }
    }
    return true;
}

// DIGITS [. DIGITS], non-negative; the caller bounds the length of the text.
std::optional<double> ReadDecimal(QStringView s) {
    const qsizetype dot = s.indexOf(u'.');
    const QStringView whole = dot < 0 ? s : s.left(dot);
    if (whole.isEmpty() || !AllAsciiDigits(whole)) {
        return std::nullopt;
    }
    if (dot >= 0) {
        const QStringView fraction = s.mid(dot + 1);
        if (fraction.isEmpty() || !AllAsciiDigits(fraction)) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const double value = s.toDouble(&ok); // C locale, correctly rounded
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> WithinRange(double magnitude, bool negative) {
    if (magnitude > YStationText::MaxMetres) {
        return std::nullopt;
    }
    // Adding 0.0 turns "-0" into +0 so that it prints without a sign.
    return (negative ? -magnitude : magnitude) + 0.0;
}

std::optional<double> ReadPlain(QStringView s) {
    const bool negative = s.startsWith(u'-');
    const std::optional<double> magnitude = ReadDecimal(negative ? s.mid(1) : s);
    if (!magnitude) {
        return std::nullopt;
    }
    return WithinRange(*magnitude, negative);
}

// PREFIX [-] KM "+" METRES, the text already trimmed, `plus` its first "+" (a second one
// fails as part of the metres).
std::optional<double> ReadDisplay(QStringView s, qsizetype plus) {
    QStringView head = s.left(plus);
    qsizetype kmStart = head.size();
    while (kmStart > 0 && IsAsciiDigit(head[kmStart - 1])) {
        --kmStart;
    }
    const QStringView km = head.mid(kmStart);
    head = head.left(kmStart);
    const bool negative = head.endsWith(u'-');
    if (negative) {
        head.chop(1);
    }
    if (km.isEmpty() || !IsValidPrefix(head)) {
        return std::nullopt;
    }
    const std::optional<double> kilometres = ReadDecimal(km);
    const std::optional<double> metres = ReadDecimal(s.mid(plus + 1));
    if (!kilometres || !metres || *metres >= 1000.0 || *kilometres > YStationText::MaxMetres) {
        return std::nullopt;
    }
    return WithinRange(*kilometres * 1000.0 + *metres, negative);
}

} // namespace

std::optional<YStationText::Reading> YStationText::Read(const QString& text) {
    if (text.size() > 4 * MaxTextLength) { // cheap guard before folding a huge text
        return std::nullopt;
    }
    const QString s = FoldWidth(text).trimmed();
    if (s.isEmpty() || s.size() > MaxTextLength) {
        return std::nullopt;
    }
    const qsizetype plus = s.indexOf(u'+');
    if (plus < 0) {
        const std::optional<double> value = ReadPlain(s);
        return value ? std::optional<Reading>(Reading{Form::Plain, *value}) : std::nullopt;
    }
    const std::optional<double> value = ReadDisplay(s, plus);
    return value ? std::optional<Reading>(Reading{Form::Display, *value}) : std::nullopt;
}

QString YStationText::Format(double displayMetres, const QString& label) {
    if (!std::isfinite(displayMetres) || std::abs(displayMetres) > MaxMetres) {
        return QString::number(displayMetres, 'g', 17);
    }
    // Decimal rounding of the exact binary value; the carry into the kilometres comes with it.
    const QString digits = QString::number(std::abs(displayMetres), 'f', 3);
    const qsizetype dot = digits.indexOf(u'.');
    const qint64 whole = digits.left(dot).toLongLong();
    const QString fraction = digits.mid(dot + 1);
    const bool negative = displayMetres < 0.0 && (whole != 0 || fraction != u"000");
    const QString sign = negative ? QStringLiteral("-") : QString();
    return label + sign + QString::number(whole / 1000) + u'+' +
           QStringLiteral("%1").arg(whole % 1000, 3, 10, QChar(u'0')) + u'.' + fraction;
}

bool YStationText::IsValidLabel(const QString& label) {
    return !label.isEmpty() && label.size() <= MaxTextLength / 2 && IsValidPrefix(label);
}

QString YStationText::FoldWidth(const QString& text) {
    QString folded = text;
    for (QChar& c : folded) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) {
            c = QChar(char16_t(u - 0xFEE0));
        } else if (u == 0x3000) {
            c = QChar(u' ');
        } else if (u == 0x2212) {
            c = QChar(u'-');
        }
    }
    return folded;
}
