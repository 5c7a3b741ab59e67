#pragma once

#include "core/process/YDpStep.h"

#include <vector>

// The step summaries of a finished allocation, as [过程] and [调配过程表] hold them: the merged
// steps of the log without local reuse (kind 9), where a step joins the summary before it
// when it is of the same kind, both its ranges touch or overlap the summary's, and the joined
// ranges stay within one kilometre each. A kind-9 step in between always starts a new summary.
struct YStepSummary {
    YDpStep step;
    int nGCID = 0; // the task number of the last step merged in (step, or -1 … -4)

    [[nodiscard]] static std::vector<YStepSummary> Summarize(const std::vector<YDpStep>& steps,
                                                             const YStationNumbering& numbering);
    // Whether two station ranges touch or overlap.
    static bool Touch(const YStation& aStart, const YStation& aEnd, const YStation& bStart,
                      const YStation& bEnd);
};
