#pragma once

#include <QString>
#include <optional>

// A1-style cell addresses of a worksheet, rows and columns counted from 1 as the spreadsheet
// shows them. Free of any workbook, so the shifting of references is tested on its own.
struct YCellRef {
    int row = 0;
    int col = 0;

    // "A" for 1, "Z" for 26, "AA" for 27.
    static QString ColumnName(int col);
    // "B3" for (3, 2).
    static QString Name(int row, int col);
    // Parses "B3" or "$B$3"; nothing for anything else.
    static std::optional<YCellRef> Parse(const QString& text);

    // The formula text with every row reference at or below row `from` moved down by `by` rows,
    // as the spreadsheet does when rows are inserted above them. References qualified by another
    // sheet and the text inside string literals stay as they are.
    static QString ShiftFormula(const QString& formula, int from, int by);
    // The range "A1:C3" (or a single cell) shifted the same way; a range that starts above
    // `from` and ends at or below it grows.
    static QString ShiftRange(const QString& range, int from, int by);
};
