#pragma once

#include <QString>
#include <array>
#include <optional>

class YUserIO;

// A named layout of earthwork text files: which column holds the station, the cut area, the
// fill area and (optionally) the centre-line fill/cut height, from which data line on, and
// the usual file suffix. Up to ten formats live in the user's profile, slot 0–9, in section
// "土方格式/格式<n>"; the name is the section's default value (the entry with an empty name).
//
// Column numbers count from 1. The start line counts data lines only (blank and comment lines
// do not count), from 1.
struct TfFormat {
    static constexpr int SlotCount = 10;
    static constexpr int MaxColumns = 30;

    // Roles in the column map.
    enum Role : int { Ignore = 0, Station = 1, FillArea = 2, CutArea = 3, Height = 4 };
    using ColumnMap = std::array<int, MaxColumns>;

    QString m_strName = Placeholder();
    QString m_strSuffix;
    int m_nStartLine = 1;
    int m_nStationCol = 1;
    int m_nCutCol = 3;
    int m_nFillCol = 4;
    int m_bReadHeight = 1; // a flag stored as an integer ("包含填挖高")
    int m_nHeightCol = 2;

    // The name of an undefined slot; it can never be stored.
    static QString Placeholder();
    static QString Section(int slot);

    // The record of a slot, with the defaults for missing entries.
    static TfFormat Load(int slot);
    // The stored name of a slot, empty when the slot is not defined.
    static QString SlotName(int slot);
    // The slot a format of this name is stored in (equal name first, then the first free
    // slot); empty when ten other formats fill the profile.
    static std::optional<int> SlotFor(const QString& name);
    // Writes the record into its slot, chosen by its name. Nothing is written, and the result
    // is empty, for the placeholder or an empty name or when no slot is free.
    std::optional<int> Store() const;

    bool ReadsHeight() const { return m_bReadHeight != 0; }
    // Values a data line must provide: 3, or 4 with the height.
    int NeededValues() const { return ReadsHeight() ? 4 : 3; }

    // Column map for the reader: one role per column 1–30 (index 0 for column 1); station,
    // fill, cut, then height, a later role overwriting an earlier one on the same column.
    // Columns outside 1–30 are left out.
    ColumnMap BuildColumnMap() const;

    // The checks of the format dialog's OK, in order: a real name ("请先输入文件类型!"),
    // columns within 1–30 and a start line of at least 1, one role per column
    // ("输入数据列重复！"). Shows the first failure and returns false.
    [[nodiscard]] bool CheckOnOk(YUserIO& io) const;
};
