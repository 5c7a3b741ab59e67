#include "core/reports/YCellRef.h"

#include <QRegularExpression>

QString YCellRef::ColumnName(int col) {
    QString name;
    while (col > 0) {
        const int rem = (col - 1) % 26;
        name.prepend(QChar(u'A' + rem));
        col = (col - 1) / 26;
    }
    return name;
}

QString YCellRef::Name(int row, int col) {
    return ColumnName(col) + QString::number(row);
}

std::optional<YCellRef> YCellRef::Parse(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\$?([A-Z]{1,3})\\$?([0-9]+)$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    int col = 0;
    for (QChar c : m.captured(1)) {
        col = col * 26 + (c.unicode() - u'A' + 1);
    }
    const int row = m.captured(2).toInt();
    if (row < 1) {
        return std::nullopt;
    }
    return YCellRef{row, col};
}

namespace {

// A reference inside a formula: optional "$", letters, optional "$", digits, not part of a
// longer name and not a function call ("LOG10(").
const QRegularExpression& RefPattern() {
    static const QRegularExpression re(
        QStringLiteral("(?<![A-Za-z0-9_.])(\\$?[A-Z]{1,3}\\$?)([0-9]+)(?![A-Za-z0-9_(])"));
    return re;
}

QString ShiftPlain(const QString& text, int from, int by) {
    QString out;
    qsizetype last = 0;
    bool prevQualified = false;
    qsizetype prevEnd = -1;
    auto it = RefPattern().globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const qsizetype start = m.capturedStart(0);
        // "Sheet2!A1" names another sheet; so does the second half of "Sheet2!A1:B3".
        bool qualified = start > 0 && text[start - 1] == u'!';
        if (!qualified && prevQualified && start == prevEnd + 1 && text[start - 1] == u':') {
            qualified = true;
        }
        prevQualified = qualified;
        prevEnd = m.capturedEnd(0);
        out += text.mid(last, start - last);
        const int row = m.captured(2).toInt();
        if (!qualified && row >= from) {
            out += m.captured(1) + QString::number(row + by);
        } else {
            out += m.captured(0);
        }
        last = m.capturedEnd(0);
    }
    out += text.mid(last);
    return out;
}

} // namespace

QString YCellRef::ShiftFormula(const QString& formula, int from, int by) {
    // Only the parts outside string literals ("..." with "" as an escaped quote) hold references.
    QString out;
    qsizetype i = 0;
    while (i < formula.size()) {
        const qsizetype quote = formula.indexOf(u'"', i);
        if (quote < 0) {
            out += ShiftPlain(formula.mid(i), from, by);
            break;
        }
        out += ShiftPlain(formula.mid(i, quote - i), from, by);
        qsizetype end = quote + 1;
        while (end < formula.size()) {
            if (formula[end] == u'"') {
                if (end + 1 < formula.size() && formula[end + 1] == u'"') {
                    end += 2;
                    continue;
                }
                break;
            }
            ++end;
        }
        out += formula.mid(quote, end - quote + 1);
        i = end + 1;
    }
    return out;
}

QString YCellRef::ShiftRange(const QString& range, int from, int by) {
    const qsizetype colon = range.indexOf(u':');
    if (colon < 0) {
        return ShiftFormula(range, from, by);
    }
    return ShiftFormula(range.left(colon), from, by) + u':' +
           ShiftFormula(range.mid(colon + 1), from, by);
}
