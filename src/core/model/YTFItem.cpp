#include "core/model/YTFItem.h"

#include "core/db/YTsjsSet.h"

#include <numeric>

namespace {
double Sum(const YTFItem::ClassValues& v) {
    return std::accumulate(v.begin(), v.end(), 0.0);
}

double SumMasked(const YTFItem::ClassValues& v, qint32 classMask) {
    double sum = 0.0;
    for (int k = 1; k <= YClass::Count; ++k) {
        if (classMask & YClass::Bit(k)) {
            sum += v[size_t(k - 1)];
        }
    }
    return sum;
}
} // namespace

bool YTFItem::HasRemaining() const {
    return Sum(m_dRemUse) + m_dRemFill + Sum(m_dRemUnuse) >= YClass::Present;
}

double YTFItem::RemainingSurplus() const {
    return Sum(m_dRemUse) + Sum(m_dRemUnuse);
}

double YTFItem::SurplusTotal(qint32 classMask) const {
    return SumMasked(m_dUse, classMask) + SumMasked(m_dUnuse, classMask);
}

qint32 YTFItem::SelectableBits() const {
    const quint32 f = g_nClassFilter;
    qint32 bits = 0;
    auto pick = [&](int kFirst) {
        for (int k = kFirst; k < kFirst + 3; ++k) {
            const size_t i = size_t(k - 1);
            const bool present = m_dRemUse[i] > YClass::Present || m_dRemUnuse[i] > YClass::Present;
            if ((f & quint32(YClass::Bit(k))) && present) {
                bits |= YClass::Bit(k);
            }
        }
    };
    if (f & YClassFilter::SoilAllowed) {
        pick(1);
    }
    if (f & YClassFilter::RockAllowed) {
        pick(4);
    }
    if ((f & quint32(YClass::FillBit)) && m_dRemFill > YClass::Present) {
        bits |= YClass::FillBit;
    }
    return bits;
}

void YTFItem::UpdateSel(bool bEnable) {
    m_nSel &= ~YClass::LowBits;
    if (bEnable) {
        m_nSel |= SelectableBits();
    }
}

bool YTFItem::SelectHit(const QPointF& p0, const QPointF& p1) const {
    if (RemainingSurplus() + m_dRemFill < YClass::Present) {
        return false;
    }
    const double start = m_staStart.Value();
    const double end = m_staEnd.Value();
    if (end < p0.x() || start > p1.x()) {
        return false;
    }
    const double len = Length();
    if (len <= 0.0) {
        return false; // a degenerate segment has no bar to hit
    }
    const bool soil = g_nClassFilter & YClassFilter::SoilAllowed;
    const bool rock = g_nClassFilter & YClassFilter::RockAllowed;
    qint32 shown = 0;
    if (soil) {
        shown |= YClass::SoilMask;
    }
    if (rock) {
        shown |= YClass::RockMask;
    }
    if (shown == 0) {
        return false;
    }
    const double bottom = -m_dRemFill / len;
    const double top = SurplusTotal(shown) / len;
    return (p0.y() <= bottom && bottom <= p1.y()) || (bottom < p0.y() && p0.y() <= top);
}

bool YTFItem::HitsBar(const QPointF& pt) const {
    const double len = Length();
    if (len <= 0.0) {
        return false;
    }
    if (!(m_staStart.Value() < pt.x() && pt.x() <= m_staEnd.Value())) {
        return false;
    }
    return -m_dFill / len < pt.y() && pt.y() <= SurplusTotal() / len;
}

void YTFItem::ReadClassValues(const YTsjsSet& row, ClassValues& use, ClassValues& unuse) {
    unuse.fill(0.0);
    if (row.HasUsableColumns()) {
        for (int i = 0; i < YClass::Count; ++i) {
            use[size_t(i)] = row.m_usable.d[i];
            unuse[size_t(i)] = row.m_unusable.d[i];
        }
        return;
    }
    if (row.HasClassColumns()) {
        for (int i = 0; i < YClass::Count; ++i) {
            use[size_t(i)] = row.m_rem.d[i];
        }
        return;
    }
    // Oldest layout: only the soil and rock totals; split them by the class contents. A kind
    // without any content share has nothing to split (and must not divide by zero).
    const double* c = row.m_dContent;
    const double soilShares = c[0] + c[1] + c[2];
    const double rockShares = c[3] + c[4] + c[5];
    for (int i = 0; i < 3; ++i) {
        use[size_t(i)] = soilShares != 0.0 ? row.m_rem.dSoil * c[i] / soilShares : 0.0;
        use[size_t(i + 3)] = rockShares != 0.0 ? row.m_rem.dRock * c[i + 3] / rockShares : 0.0;
    }
}

void YTFItem::LoadComputed(const YTsjsSet& row) {
    m_staStart = row.m_staStart;
    m_staEnd = row.m_staEnd;
    ReadClassValues(row, m_dUse, m_dUnuse);
    m_dFill = row.m_dFillAfterLocal;
}

void YTFItem::LoadRemaining(const YTsjsSet& row) {
    ReadClassValues(row, m_dRemUse, m_dRemUnuse);
    m_dRemFill = row.m_dFillAfterLocal;
}
