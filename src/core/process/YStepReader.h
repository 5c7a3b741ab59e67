#pragma once

#include "core/db/YDpLogRow.h"
#include "core/process/YDpStep.h"

#include <array>
#include <optional>
#include <vector>

class YTdpSet;

// 调配过程 reader: reads the process log [Tmp调配过程表] back as merged steps. The log is
// taken as it is sorted in the table (GCID, ID; source row before destination row).
// Consecutive pairs of one step and one kind merge into one YDpStep; a pair of another kind
// starts the next one.
class YStepReader {
  public:
    struct Options {
        // Undone pairs (成败 false) are passed over.
        bool bSkipUndone = true;
        // When set, a pair is not merged into the previous one when that pair's source or
        // destination range runs into another kilometre of this numbering (unless all four
        // stations are equal).
        const YStationNumbering* pSplitKm = nullptr;
    };

    explicit YStepReader(const std::vector<YDpLogPair>& pairs)
        : m_pPairs(&pairs), m_nSize(pairs.size()) {}
    // Straight from the log's record set, pair by pair: a long road's log is never held whole.
    // The log ends early at a row that cannot be read or has no partner.
    explicit YStepReader(YTdpSet& log);

    // The next step, or none at the end of the log. bFirst starts again from the top.
    [[nodiscard]] std::optional<YDpStep> ReadStep(bool bFirst, const Options& opt);

    // Every step of the log in order.
    [[nodiscard]] std::vector<YDpStep> ReadAll(const Options& opt);

  private:
    // Pair i, null past the end. A pair read from the record set stays valid until the pair
    // two further on is asked for.
    const YDpLogPair* At(size_t i);

    const std::vector<YDpLogPair>* m_pPairs = nullptr;
    YTdpSet* m_pLog = nullptr;
    size_t m_nSize = 0;
    std::array<YDpLogPair, 2> m_slots;
    std::array<size_t, 2> m_slotPos{size_t(-1), size_t(-1)};
    size_t m_nPos = 0;
};
