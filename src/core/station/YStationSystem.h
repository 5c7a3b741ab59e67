#pragma once

#include "core/station/YStationNumbering.h"

#include <QString>

// The program-wide station system: chain breaks and station label of the project whose view is
// active. The document reloads its own whenever it becomes active; clearing a document resets.
// All station texts (YStation::Text, YStation::Parse) use it. One user-interface thread only.
class YStationSystem {
  public:
    // Removes every chain break and sets the label back to "K".
    static void Reset();
    // Adds one chain break from a 断链 text "BACK=AHEAD" (two display texts). False, and nothing
    // changed, when the text cannot be read or the break does not follow the earlier ones
    // (its BACK must lie beyond the previous AHEAD).
    [[nodiscard]] static bool AddChainBreak(const QString& text);
    // The label printed before the kilometres; empty means "K". A label that texts could not
    // be read back with (see YStationText::IsValidLabel, e.g. one holding "+" or ending in a
    // digit) is not used: the label becomes "K".
    static void SetLabel(const QString& label);
    static QString Label();
    static int ChainBreakCount();

    // The numbering in force, e.g. for a document that keeps a copy of its own.
    static const YStationNumbering& Numbering();
    static void SetNumbering(const YStationNumbering& numbering);

  private:
    static YStationNumbering& Current();
};
