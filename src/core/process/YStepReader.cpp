#include "core/process/YStepReader.h"

#include "core/db/YLogCodec.h"

std::optional<YDpStep> YStepReader::ReadStep(bool bFirst, const Options& opt) {
    if (bFirst) {
        m_nPos = 0;
    }
    auto skip = [&] {
        while (opt.bSkipUndone && m_nPos < m_pairs.size() && !m_pairs[m_nPos].src.ok) {
            ++m_nPos;
        }
    };
    skip();
    if (m_nPos >= m_pairs.size()) {
        return std::nullopt;
    }
    const YDpLogPair& head = m_pairs[m_nPos++];
    YDpStep step = YDpStep::FromRecord(YLogCodec::Decode(head));
    step.m_bApplied = head.src.ok;
    YDpStep last = step; // the previous pair on its own, for the kilometre rule
    for (;;) {
        skip();
        if (m_nPos >= m_pairs.size()) {
            break;
        }
        const YDpLogPair& p = m_pairs[m_nPos];
        if (p.src.gcid != head.src.gcid || p.src.ok != head.src.ok) {
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
