#pragma once

#include "core/process/DpProcess.h"

#include <QString>
#include <array>
#include <memory>

class CDalvexDoc;
class YTransaction;

// One document's share of a strategy invocation: the step number from NextStep, the running
// sequence number, and the transaction that makes the step's writes reach the project file all
// together. Every process goes through Prepare (record initialised, TakeBefore) and Record
// (RecordProcess). A record that moves nothing is not stored, so an invocation never leaves
// empty processes behind.
class YDPStepRun {
  public:
    explicit YDPStepRun(CDalvexDoc& doc);
    ~YDPStepRun();
    YDPStepRun(const YDPStepRun&) = delete;
    YDPStepRun& operator=(const YDPStepRun&) = delete;

    // Opens the transaction and asks for a step number; false when the document cannot start a
    // step (its message was shown).
    [[nodiscard]] bool Begin();
    int Step() const { return m_nStep; }
    int NextSeq() const { return m_nSeq; }
    int Recorded() const { return m_nSeq - 1; }
    CDalvexDoc& Doc() const { return m_doc; }

    // A record of the given kind for the next sequence number, with TakeBefore applied.
    DpProcess Prepare(DpKind kind, DpEnd source, DpEnd destination, int pit);
    // Records the process when it moves anything (source amounts or destination quantity);
    // returns whether it was recorded. The sequence number advances only when it was.
    bool Record(DpProcess& p);
    // Records without the emptiness test (one half of a cross-project pair, whose other half
    // moved something); false when the document could not record it.
    bool RecordAlways(DpProcess& p);
    // Ends the step (EndStep) when anything was recorded and commits; returns whether anything
    // was recorded.
    bool Finish();

    // Sets after values and fillAfter that are within arithmetic noise of 0 to exactly 0.
    static void SnapResidues(DpProcess& p);
    // Whether a process moves anything at all.
    static bool MovesAnything(const DpProcess& p);
    // The project's six class coefficients (natural / compacted) from [土石系数].
    static std::array<double, 6> Coefficients(CDalvexDoc& doc);

    // Shown when a step (or an automatic allocation) could not be written; %1 is the reason.
    static const QString kNotWritten;

  private:
    CDalvexDoc& m_doc;
    std::unique_ptr<YTransaction> m_pTransaction;
    int m_nStep = -1;
    int m_nSeq = 1;
    bool m_bFinished = false;
};
