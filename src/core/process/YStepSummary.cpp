#include "core/process/YStepSummary.h"

bool YStepSummary::Touch(const YStation& aStart, const YStation& aEnd, const YStation& bStart,
                         const YStation& bEnd) {
    return aStart <= bEnd && bStart <= aEnd;
}

std::vector<YStepSummary> YStepSummary::Summarize(const std::vector<YDpStep>& steps,
                                                  const YStationNumbering& numbering) {
    std::vector<YStepSummary> out;
    bool afterReuse = false;
    for (const YDpStep& s : steps) {
        if (s.m_nKind == DpKind::Reuse) {
            afterReuse = true;
            continue;
        }
        if (!out.empty() && !afterReuse) {
            YStepSummary& last = out.back();
            const YDpStep& p = last.step;
            if (p.m_nKind == s.m_nKind &&
                Touch(p.m_staSrcStart, p.m_staSrcEnd, s.m_staSrcStart, s.m_staSrcEnd) &&
                Touch(p.m_staDstStart, p.m_staDstEnd, s.m_staDstStart, s.m_staDstEnd)) {
                YDpStep joined = p;
                joined.Merge(s);
                if (!joined.CrossesKilometre(numbering)) {
                    last.step = joined;
                    last.nGCID = s.TaskNumber();
                    continue;
                }
            }
        }
        out.push_back({s, s.TaskNumber()});
        afterReuse = false;
    }
    return out;
}
