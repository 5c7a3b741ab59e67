#pragma once

#include "core/db/DpKind.h"
#include "core/station/YStationNumbering.h"

#include <QString>
#include <vector>

class CDalvexDoc;
struct YDpLogPair;
class YHaulExtras;

// One entry of the process list: a step of the log with everything it moved merged together.
struct YProcessEntry {
    int nStep = 0;
    DpKind nKind = DpKind::Haul; // the step's kind (the first kind other than local reuse)
    bool bApplied = true;        // false once undone
    YStation staSrcStart;
    YStation staSrcEnd;
    YStation staDstStart;
    YStation staDstEnd;
    double dSoil = 0.0; // natural m³
    double dRock = 0.0;
    double dDistance = 0.0; // m, weighted by the compacted amounts, with the kind's extras
    QString strNeighbour;   // kinds 7 and 8: the neighbouring project's name

    QString Label() const;
    // "start~end" in display texts.
    static QString Range(const YStationNumbering& numbering, const YStation& a, const YStation& b);
};

// The steps of a log as the process list (the pane "调配过程") shows them, one entry per step
// number.
class YProcessList {
  public:
    [[nodiscard]] static std::vector<YProcessEntry> Build(const std::vector<YDpLogPair>& pairs,
                                                          const YHaulExtras* extras);
    // The same for a document's log, with port names and haul extras from its tables.
    [[nodiscard]] static std::vector<YProcessEntry> Build(CDalvexDoc& doc);
    // The same for some pairs of a document's log (the pairs of one step as it is recorded).
    [[nodiscard]] static std::vector<YProcessEntry> Build(CDalvexDoc& doc,
                                                          const std::vector<YDpLogPair>& pairs);
    // The last applied step (0 when none) and the first undone one (0 when none).
    static int CurrentStep(const std::vector<YProcessEntry>& entries);
    static int FirstUndoneStep(const std::vector<YProcessEntry>& entries);
};
