#include "core/model/YSegmentModel.h"

namespace {
// The selection bits a run of the given mode is made of.
qint32 RunBits(YSelectMode mode) {
    return mode == YSelectMode::Cut ? YClass::AllMask : YClass::FillBit;
}

// Whether a segment still has what a run of the given mode is made of.
bool HasRunMaterial(const YTFItem& item, YSelectMode mode) {
    if (mode == YSelectMode::Cut) {
        return item.RemainingSurplus() > YClass::Present;
    }
    return item.m_dRemFill > YClass::Present;
}

template <class Pit>
void CloseStretches(std::vector<Pit>& pits, const YStation& start, const YStation& end) {
    for (size_t i = 0; i < pits.size(); ++i) {
        Pit& pit = pits[i];
        if (pit.m_staEcoStart != pit.m_staRoad) {
            continue;
        }
        if (i == 0) {
            pit.m_staEcoStart = start;
            continue;
        }
        Pit& prev = pits[i - 1];
        if (prev.m_staEcoEnd != prev.m_staRoad) {
            pit.m_staEcoStart = prev.m_staEcoEnd;
        } else {
            const YStation mid = (prev.m_staRoad + pit.m_staRoad) * 0.5;
            pit.m_staEcoStart = mid;
            prev.m_staEcoEnd = mid;
        }
    }
    if (!pits.empty() && pits.back().m_staEcoEnd == pits.back().m_staRoad) {
        pits.back().m_staEcoEnd = end;
    }
}

template <class Pit> int FindPitIn(const std::vector<Pit>& pits, double a, double b) {
    for (size_t i = 0; i < pits.size(); ++i) {
        if (!(pits[i].m_staEcoStart > YStation(b)) && !(pits[i].m_staEcoEnd < YStation(a))) {
            return int(i);
        }
    }
    return -1;
}
} // namespace

void YSegmentModel::Clear() {
    ClearSegments();
    m_arrGZW.clear();
    m_arrQutuk.clear();
    m_arrQituk.clear();
    m_arrNearPrj.clear();
    m_dMaxArea = 0.0;
}

void YSegmentModel::ClearSegments() {
    // The backup holds addresses of segment items: it must never outlive them.
    m_backupSel.clear();
    m_arrTF.clear();
}

int YSegmentModel::FindSegment(double x) const {
    const int count = GetSegmentCount();
    if (count == 0) {
        return -1;
    }
    const YStation sta(x);
    int lo = 0;
    int hi = count - 1;
    while (hi > 1 && lo + 1 < hi) {
        const int mid = (lo + hi) / 2;
        if (sta < m_arrTF[size_t(mid)].m_staStart) {
            hi = mid;
        } else if (sta <= m_arrTF[size_t(mid)].m_staEnd) {
            return mid;
        } else {
            lo = mid;
        }
    }
    return sta > m_arrTF[size_t(lo)].m_staEnd ? hi : lo;
}

int YSegmentModel::FindSegmentStartingAt(const YStation& sta) const {
    const int i = FindSegment(sta.Value());
    if (i < 0) {
        return -1;
    }
    if (m_arrTF[size_t(i)].m_staStart == sta) {
        return i;
    }
    if (i + 1 < GetSegmentCount() && m_arrTF[size_t(i + 1)].m_staStart == sta) {
        return i + 1;
    }
    return -1;
}

void YSegmentModel::Backup(YTFItem& item, qint32 nOld) {
    if (item.m_nSel != nOld) {
        m_backupSel.push_back({&item, nOld});
    }
}

std::optional<YSegRun> YSegmentModel::SelectRun(const QPointF& pt, YSelectMode mode,
                                                bool& bChanged) {
    bChanged = false;
    const int count = GetSegmentCount();
    if (count == 0) {
        return std::nullopt;
    }
    const qint32 bits = RunBits(mode);
    int anchor = -1;
    // A bar ends at its end station: on the line between two bars the one before is hit.
    for (int j = std::max(FindSegment(pt.x()) - 1, 0); j < count; ++j) {
        const YTFItem& item = m_arrTF[size_t(j)];
        if (item.m_staStart.Value() > pt.x()) {
            break;
        }
        if (HasRunMaterial(item, mode) && item.HitsBar(pt)) {
            anchor = j;
            break;
        }
    }
    if (anchor < 0) {
        return std::nullopt;
    }
    YTFItem& anchorItem = m_arrTF[size_t(anchor)];
    // An anchor that is already selected reports its existing run and changes nothing.
    const bool bHad = (anchorItem.m_nSel & bits) != 0;
    // Takes one more segment into the run; false where the run ends.
    auto take = [&](int j) {
        YTFItem& item = m_arrTF[size_t(j)];
        if (!HasRunMaterial(item, mode)) {
            return false;
        }
        if (!bHad) {
            const qint32 nOld = item.m_nSel;
            item.UpdateSel(true);
            Backup(item, nOld);
        }
        return (item.m_nSel & bits) != 0;
    };
    if (!take(anchor)) {
        bChanged = !bHad;
        return std::nullopt; // the class filter lets nothing of it be selected
    }
    YSegRun run{anchor, anchor};
    while (run.nFirst > 0 && take(run.nFirst - 1)) {
        --run.nFirst;
    }
    while (run.nLast + 1 < count && take(run.nLast + 1)) {
        ++run.nLast;
    }
    bChanged = !bHad;
    return run;
}

bool YSegmentModel::RestoreSelection() {
    if (m_backupSel.empty()) {
        return false;
    }
    // Newest first, so a segment recorded twice ends with its oldest mask.
    for (auto it = m_backupSel.rbegin(); it != m_backupSel.rend(); ++it) {
        it->pItem->m_nSel = it->nSel;
    }
    m_backupSel.clear();
    return true;
}

void YSegmentModel::SelectInRect(const QPointF& p0, const QPointF& p1, bool bAdd) {
    for (YTFItem& item : m_arrTF) {
        if (item.SelectHit(p0, p1)) {
            item.UpdateSel(true);
        } else if (!bAdd) {
            item.UpdateSel(false);
        }
    }
}

void YSegmentModel::ToggleClassFilter(quint32 bits) {
    if ((g_nClassFilter & bits) == bits) {
        g_nClassFilter &= ~bits;
    } else {
        g_nClassFilter |= bits;
    }
    // A kind that may not be selected takes its class bits with it; the bits above the seven
    // selection bits are not the filter's business.
    quint32 keep = g_nClassFilter;
    if (!(keep & YClassFilter::SoilAllowed)) {
        keep &= ~quint32(YClass::SoilMask);
    }
    if (!(keep & YClassFilter::RockAllowed)) {
        keep &= ~quint32(YClass::RockMask);
    }
    const qint32 mask = qint32(keep | ~quint32(YClass::LowBits));
    for (YTFItem& item : m_arrTF) {
        item.m_nSel &= mask;
    }
}

int YSegmentModel::FindPit(double a, double b, bool bBorrow) const {
    return bBorrow ? FindPitIn(m_arrQutuk, a, b) : FindPitIn(m_arrQituk, a, b);
}

int YSegmentModel::FindBlockingStructure(const YStation& a, const YStation& b) const {
    for (size_t i = 0; i < m_arrGZW.size(); ++i) {
        const YGZWItem& s = m_arrGZW[i];
        if (!s.m_bCross && a <= s.m_staStart && s.m_staEnd <= b) {
            return int(i);
        }
    }
    return -1;
}

void YSegmentModel::ComputeEconomicStretches() {
    // One segment is a project too: its pits serve it from its start to its end.
    if (!m_arrTF.empty()) {
        m_staProjectStart = m_arrTF.front().m_staStart;
        m_staProjectEnd = m_arrTF.back().m_staEnd;
    }
    CloseStretches(m_arrQutuk, m_staProjectStart, m_staProjectEnd);
    CloseStretches(m_arrQituk, m_staProjectStart, m_staProjectEnd);
}
