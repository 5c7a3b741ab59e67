#include "core/allocation/YDPSkipIndex.h"

#include <cstddef>
#include <numeric>

void YDPSkipIndex::Reset(int lo, int hi) {
    m_nLo = lo;
    m_nHi = hi;
    const int n = hi >= lo ? hi - lo + 1 : 0;
    m_up.resize(std::size_t(n + 1));
    std::iota(m_up.begin(), m_up.end(), lo); // m_up[n] = hi + 1, the end
    m_down.resize(std::size_t(n + 1));
    std::iota(m_down.begin(), m_down.end(), lo - 1); // m_down[0] = lo − 1, the start
}

int YDPSkipIndex::FindUp(int i) {
    if (i > m_nHi) {
        return m_nHi + 1;
    }
    int root = i < m_nLo ? m_nLo : i;
    while (m_up[std::size_t(root - m_nLo)] != root) {
        root = m_up[std::size_t(root - m_nLo)];
    }
    // Path compression: every link on the way points at the root.
    for (int j = i < m_nLo ? m_nLo : i; j != root;) {
        const int next = m_up[std::size_t(j - m_nLo)];
        m_up[std::size_t(j - m_nLo)] = root;
        j = next;
    }
    return root;
}

int YDPSkipIndex::FindDown(int i) {
    if (i < m_nLo) {
        return m_nLo - 1;
    }
    const int start = i > m_nHi ? m_nHi : i;
    int root = start;
    while (m_down[std::size_t(root - m_nLo + 1)] != root) {
        root = m_down[std::size_t(root - m_nLo + 1)];
    }
    for (int j = start; j != root;) {
        const int next = m_down[std::size_t(j - m_nLo + 1)];
        m_down[std::size_t(j - m_nLo + 1)] = root;
        j = next;
    }
    return root;
}

void YDPSkipIndex::Drop(int j) {
    m_up[std::size_t(j - m_nLo)] = j + 1;
    m_down[std::size_t(j - m_nLo + 1)] = j - 1;
}
