#pragma once

#include "core/db/YDpLogRow.h"

#include <QVariant>
#include <vector>

class YTdpSet;

// The process log [Tmp调配过程表] of the current project segment, read through the document's
// record set. Pairs are read in the set's order (GCID, ID; source row first) together with
// their positions in the set, so a walk can flag or delete them without searching.
class YProcessLog {
  public:
    explicit YProcessLog(YTdpSet& set) : m_set(set) {}

    // A pair and the set positions of its two rows.
    struct Entry {
        YDpLogPair pair;
        int nSrcPos = -1;
        int nDstPos = -1;
    };

    // Reads every pair. A trailing row without its partner (a damaged log) is left out.
    [[nodiscard]] bool Read(std::vector<Entry>& entries);
    [[nodiscard]] bool ReadPairs(std::vector<YDpLogPair>& pairs);

    // Appends the two rows of a process.
    [[nodiscard]] bool Append(const YDpLogPair& pair);
    // Sets 成败 of both rows of an entry.
    [[nodiscard]] bool SetApplied(const Entry& e, bool bApplied);
    // Sets 成败 of both rows of many entries.
    [[nodiscard]] bool SetAppliedAll(const std::vector<const Entry*>& entries, bool bApplied);
    // Rewrites 坑 of the source row of an entry.
    [[nodiscard]] bool SetSourcePit(const Entry& e, int pit);
    // Deletes the pairs of the entries (runs of adjacent rows in one statement); the set drops
    // them without re-reading the log.
    [[nodiscard]] bool Delete(const std::vector<Entry>& entries);

  private:
    [[nodiscard]] bool AppendRow(const YDpLogRow& row);
    YTdpSet& m_set;
};
