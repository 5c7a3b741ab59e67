#include "core/process/YStepReader.h"

#include "core/db/YLogCodec.h"
#include "core/db/YTdpSet.h"

YStepReader::YStepReader(YTdpSet& log) : m_pLog(&log), m_nSize(size_t(log.RecordCount() / 2)) {}

const YDpLogPair* YStepReader::At(size_t i) {
    if (i >= m_nSize) {
        return nullptr;
    }
    if (m_pPairs != nullptr) {
        return &(*m_pPairs)[i];
    }
    const size_t slot = i % 2;
    if (m_slotPos[slot] != i) {
        bool paired = true;
        if (!m_pLog->ReadPair(int(2 * i), m_slots[slot], paired) || !paired) {
            m_nSize = i; // the log ends here
            return nullptr;
        }
        m_slotPos[slot] = i;
    }
    return &m_slots[slot];
}

std::optional<YDpStep> YStepReader::ReadStep(bool bFirst, const Options& opt) {
    if (bFirst) {
        m_nPos = 0;
    }
    auto skip = [&] {
        for (const YDpLogPair* p = At(m_nPos); opt.bSkipUndone && p != nullptr && !p->src.ok;
             p = At(++m_nPos)) {
        }
    };
    skip();
    const YDpLogPair* head = At(m_nPos);
    if (head == nullptr) {
        return std::nullopt;
    }
    ++m_nPos;
    const int gcid = head->src.gcid;
    const bool ok = head->src.ok;
    YDpStep step = YDpStep::FromRecord(YLogCodec::Decode(*head));
    step.m_bApplied = ok;
    YDpStep last = step; // the previous pair on its own, for the kilometre rule
    for (;;) {
        skip();
        const YDpLogPair* pair = At(m_nPos);
        if (pair == nullptr) {
            break;
        }
        const YDpLogPair& p = *pair;
        if (p.src.gcid != gcid || p.src.ok != ok) {
            break;
        }
        YDpStep next = YDpStep::FromRecord(YLogCodec::Decode(p));
        if (next.m_nKind != step.m_nKind) {
            break;
        }
        if (opt.pSplitKm && !next.SameStations(last) && last.CrossesKilometre(*opt.pSplitKm)) {
            break;
        }
        step.Merge(next);
        last = next;
        ++m_nPos;
    }
    return step;
}

std::vector<YDpStep> YStepReader::ReadAll(const Options& opt) {
    std::vector<YDpStep> steps;
    for (auto s = ReadStep(true, opt); s; s = ReadStep(false, opt)) {
        steps.push_back(*s);
    }
    return steps;
}
