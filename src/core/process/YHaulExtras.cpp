#include "core/process/YHaulExtras.h"

#include "core/process/YDpStep.h"

double YHaulExtras::Extra(const YDpStep& step) const {
    double extra = 0.0;
    const int index = step.m_nPit - 1;
    if (step.IsBorrow()) {
        if (index >= 0 && index < static_cast<int>(borrowBranch.size())) {
            extra = borrowBranch[index];
        }
    } else if (step.IsWaste()) {
        if (index >= 0 && index < static_cast<int>(wasteBranch.size())) {
            extra = wasteBranch[index];
        }
    } else if (step.IsIn() || step.IsOut()) {
        const auto it = linkDistance.find(index);
        if (it != linkDistance.end()) {
            extra = it->second / 2.0;
        }
    }
    return extra +
           Detours(step.m_staSrcStart, step.m_staSrcEnd, step.m_staDstStart, step.m_staDstEnd);
}

double YHaulExtras::Detours(YStation aStart, YStation aEnd, YStation bStart, YStation bEnd) const {
    YStation gapStart;
    YStation gapEnd;
    if (aEnd < bStart) {
        gapStart = aEnd;
        gapEnd = bStart;
    } else if (bEnd < aStart) {
        gapStart = bEnd;
        gapEnd = aStart;
    } else {
        return 0.0; // the ranges overlap or touch: nothing lies between them
    }
    double sum = 0.0;
    for (const Structure& s : structures) {
        if (s.start > gapEnd) {
            break; // stored by ascending start: the rest lie beyond the gap
        }
        if (s.start >= gapStart && s.end <= gapEnd && s.bCross && s.detour) {
            sum += *s.detour;
        }
    }
    return sum;
}
