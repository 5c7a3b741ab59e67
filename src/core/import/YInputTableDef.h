#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// How an input table is exchanged as text, one row per line: its fields in line order, the
// column each one fills, and the separators written between them. Stations are kept as the
// text the file gives, with the numeric station column (sta, ssta) set from it.
struct YInputField {
    enum class Kind {
        Station,    // station text; must parse (chain breaks of the station system applied)
        Text,       // any text without white space
        Number,     // "%.3lf"
        OptNumber,  // "%.3lf", a NULL exported as "0.0" (detour of a structure)
        Integer,    // "%d"
        Flag,       // "%d", 0 or 1 (a non-zero number reads as 1)
        ChainBreak, // "BACK=AHEAD" chain-break text
    };
    QString column;
    Kind kind = Kind::Number;
    // Column written in its place when this one is missing from the file (the economic
    // boundaries of pits below layout version 3 are their 上路桩号).
    QString fallback;
};

struct YInputTableDef {
    QString table; // without brackets
    QString alias; // an ASCII name for scripts, e.g. "trough"
    QString sort;  // ORDER BY of the table's record set
    std::vector<YInputField> fields;
    // Separators written after each field but the last; empty: " \t" everywhere.
    QStringList separators;
    QString mirror;  // numeric station column set from the first station field, or empty
    QString counter; // column numbered 1, 2, … in file order on import, or empty

    // The six tables of the data-entry dialogs and, for building projects from text, the
    // vertical curve and the chain breaks.
    static const std::vector<YInputTableDef>& All();
    // By table name (with or without brackets) or alias; null when unknown.
    static const YInputTableDef* Find(const QString& name);
    static QStringList Names();
};
