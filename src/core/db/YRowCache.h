#pragma once

#include <QString>
#include <vector>

// One row of a record set as read from the file: its rowid, its numeric columns (doubles; a
// NULL is a NaN, which SQLite itself never stores) and its text columns (NULL is a null
// QString). Integers and yes/no values fit a double exactly.
struct YRow {
    qint64 nRowId = 0;
    std::vector<double> num;
    std::vector<QString> text;
};

// The rows of a record set in the order of its query, "ORDER BY <sort columns>, rowid", with
// searches over that order. Comparisons follow SQLite's: NULL first, numbers by value, texts
// by code point (the BINARY collation of UTF-8).
class YRowCache {
  public:
    struct Key {
        int slot = 0; // index into YRow::num or YRow::text
        bool bText = false;
    };

    void SetKeys(std::vector<Key> keys) { m_keys = std::move(keys); }
    const std::vector<Key>& Keys() const { return m_keys; }

    int Size() const { return int(m_rows.size()); }
    bool Empty() const { return m_rows.empty(); }
    YRow& operator[](int i) { return m_rows[size_t(i)]; }
    const YRow& operator[](int i) const { return m_rows[size_t(i)]; }
    void Clear() { m_rows.clear(); }
    void Append(YRow row) { m_rows.push_back(std::move(row)); }
    void Erase(int i) { m_rows.erase(m_rows.begin() + i); }
    // Removes every row i with gone[i], keeping the order of the rest; O(n).
    void EraseMarked(const std::vector<bool>& gone) {
        size_t kept = 0;
        for (size_t i = 0; i < m_rows.size(); ++i) {
            if (!gone[i]) {
                if (kept != i) { // a row moved onto itself would be emptied
                    m_rows[kept] = std::move(m_rows[i]);
                }
                ++kept;
            }
        }
        m_rows.resize(kept);
    }

    // The query's order: sort keys, then rowid.
    bool Less(const YRow& a, const YRow& b) const;
    // Inserts where the query would place the row; returns its index. O(log n) to find the
    // place; appending (rows written in sort order) costs no move.
    int InsertSorted(YRow row);
    // Whether row i still sorts between its neighbours (after an edit of its keys).
    bool InOrderAt(int i) const;
    // Restores the query's order after edits moved keys.
    void Sort();
    // Whether the rows are in sort order (checked by assertions after sorts and before binary
    // searches).
    bool IsSorted() const;
    int IndexOfRowId(qint64 rowid) const;

    // Index of the first row whose leading numeric keys are not below keys (each within tol),
    // Size() when there is none. Requires numeric leading keys.
    int LowerBound(const std::vector<double>& keys, double tol) const;
    // Whether the leading numeric keys of row i equal keys within tol.
    bool KeysEqual(int i, const std::vector<double>& keys, double tol) const;
    // Index of the first row whose first (text) key is not below text.
    int LowerBoundText(const QString& text) const;

    // SQLite's BINARY order of two texts (code points), NULL before everything.
    static int CompareText(const QString& a, const QString& b);

  private:
    int CompareToKeys(const YRow& row, const std::vector<double>& keys, double tol) const;

    std::vector<YRow> m_rows;
    std::vector<Key> m_keys;
};
