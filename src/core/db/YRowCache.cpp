#include "core/db/YRowCache.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

namespace {

// NULL (NaN) sorts before every number.
double SortValue(double v) {
    return std::isnan(v) ? -std::numeric_limits<double>::infinity() : v;
}

int CompareNumbers(double a, double b) {
    const double x = SortValue(a);
    const double y = SortValue(b);
    return x < y ? -1 : (y < x ? 1 : 0);
}

// UTF-16 code units ordered as code points: surrogates (D800–DFFF, code points above FFFF)
// go after E000–FFFF.
int CodePointRank(char16_t c) {
    if (c >= 0xE000) {
        return c - 0x800;
    }
    if (c >= 0xD800) {
        return c + 0x2000;
    }
    return c;
}

} // namespace

int YRowCache::CompareText(const QString& a, const QString& b) {
    if (a.isNull() || b.isNull()) {
        return int(b.isNull()) - int(a.isNull());
    }
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x != y) {
            return CodePointRank(x) < CodePointRank(y) ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool YRowCache::Less(const YRow& a, const YRow& b) const {
    for (const Key& k : m_keys) {
        const int c = k.bText ? CompareText(a.text[size_t(k.slot)], b.text[size_t(k.slot)])
                              : CompareNumbers(a.num[size_t(k.slot)], b.num[size_t(k.slot)]);
        if (c != 0) {
            return c < 0;
        }
    }
    return a.nRowId < b.nRowId;
}

int YRowCache::InsertSorted(YRow row) {
    if (m_rows.empty() || !Less(row, m_rows.back())) {
        m_rows.push_back(std::move(row));
        return Size() - 1;
    }
    // Binary search needs a sorted cache: an unsorted one would put the row anywhere.
    assert(IsSorted());
    const auto it = std::upper_bound(m_rows.begin(), m_rows.end(), row,
                                     [this](const YRow& a, const YRow& b) { return Less(a, b); });
    return int(m_rows.insert(it, std::move(row)) - m_rows.begin());
}

bool YRowCache::InOrderAt(int i) const {
    const YRow& row = m_rows[size_t(i)];
    if (i > 0 && Less(row, m_rows[size_t(i - 1)])) {
        return false;
    }
    return i + 1 >= Size() || !Less(m_rows[size_t(i + 1)], row);
}

void YRowCache::Sort() {
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](const YRow& a, const YRow& b) { return Less(a, b); });
    assert(IsSorted());
}

bool YRowCache::IsSorted() const {
    return std::is_sorted(m_rows.begin(), m_rows.end(),
                          [this](const YRow& a, const YRow& b) { return Less(a, b); });
}

int YRowCache::IndexOfRowId(qint64 rowid) const {
    for (int i = 0; i < Size(); ++i) {
        if (m_rows[size_t(i)].nRowId == rowid) {
            return i;
        }
    }
    return -1;
}

int YRowCache::CompareToKeys(const YRow& row, const std::vector<double>& keys, double tol) const {
    for (size_t i = 0; i < keys.size() && i < m_keys.size(); ++i) {
        const double v = SortValue(row.num[size_t(m_keys[i].slot)]);
        if (v < keys[i] - tol) {
            return -1;
        }
        if (v > keys[i] + tol) {
            return 1;
        }
    }
    return 0;
}

int YRowCache::LowerBound(const std::vector<double>& keys, double tol) const {
    const auto it = std::partition_point(m_rows.begin(), m_rows.end(), [&](const YRow& r) {
        return CompareToKeys(r, keys, tol) < 0;
    });
    return int(it - m_rows.begin());
}

bool YRowCache::KeysEqual(int i, const std::vector<double>& keys, double tol) const {
    return i >= 0 && i < Size() && CompareToKeys(m_rows[size_t(i)], keys, tol) == 0;
}

int YRowCache::LowerBoundText(const QString& text) const {
    const int slot = m_keys.front().slot;
    const auto it = std::partition_point(m_rows.begin(), m_rows.end(), [&](const YRow& r) {
        return CompareText(r.text[size_t(slot)], text) < 0;
    });
    return int(it - m_rows.begin());
}
