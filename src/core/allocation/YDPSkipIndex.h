#pragma once

#include <vector>

// The indices of a segment range that may still be usable for one search of a strategy
// invocation. Within an invocation remaining quantities only decrease, so a segment found
// unusable for a given test stays unusable: it is skipped from then on (union-find style links
// with path compression), and scanning for the next usable segment costs amortised O(1)
// instead of re-walking everything already used up.
class YDPSkipIndex {
  public:
    // Covers [lo, hi] (inclusive); every index is a candidate again.
    void Reset(int lo, int hi);

    // The smallest candidate j >= i in the range for which usable(j) holds, −1 when none.
    template <class Usable> int FirstUp(int i, Usable usable) {
        for (int j = FindUp(i); j <= m_nHi; j = FindUp(j + 1)) {
            if (usable(j)) {
                return j;
            }
            Drop(j);
        }
        return -1;
    }
    // The largest candidate j <= i in the range for which usable(j) holds, −1 when none.
    template <class Usable> int FirstDown(int i, Usable usable) {
        for (int j = FindDown(i); j >= m_nLo; j = FindDown(j - 1)) {
            if (usable(j)) {
                return j;
            }
            Drop(j);
        }
        return -1;
    }

  private:
    int FindUp(int i);   // smallest candidate >= i, or hi + 1
    int FindDown(int i); // largest candidate <= i, or lo − 1
    void Drop(int j);

    int m_nLo = 0;
    int m_nHi = -1;
    std::vector<int> m_up;   // m_up[j − lo]: a candidate >= j (hi + 1 at the end)
    std::vector<int> m_down; // m_down[j − lo + 1]: a candidate <= j (lo − 1 at the start)
};
