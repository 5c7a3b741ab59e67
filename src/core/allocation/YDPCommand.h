#pragma once

#include "core/allocation/YDPSelection.h"
#include "core/model/YSegmentModel.h"

#include <QString>
#include <memory>
#include <optional>

class YDPCalTool;
class YStation;
class YUserIO;

// 调配命令 (one allocation command): turns the user's picks into the selection the strategies
// read and runs the strategy the rule settings and the selection call for. The interactive
// tool of the desktop program and `dalvex-cli allocate` both go through here, so a pick means
// the same in both.
class YDPCommand {
  public:
    // What was picked as source and destination. Runs are whole segments of the project they
    // name; pits are indices (from 0) in the pit arrays of the project that holds them: a
    // borrow pit in the destination project, a waste pit in the source project.
    struct Picks {
        std::optional<YSegRun> cutRun;
        int nBorrowPit = -1;
        std::optional<YSegRun> fillRun;
        int nWastePit = -1;
    };

    // The whole segments inside a "FROM~TO" range of station texts (the project's own
    // numbering) or metres; empty after a message when the text does not read or no segment
    // lies wholly inside.
    [[nodiscard]] static std::optional<YSegRun> RangeRun(CDalvexDoc& doc, const QString& text,
                                                         YUserIO& io);

    // Selects the picked runs (UpdateSel with the class filter) and builds the selection; the
    // ports stay unset. Empty after a message when a pit does not exist.
    [[nodiscard]] static std::optional<YDPSelection> Select(const Picks& picks, CDalvexDoc& cutDoc,
                                                            CDalvexDoc& fillDoc, YUserIO& io);

    // Cross-project ports by their numbers (编号) in the two projects; false after a message
    // when either has no such port.
    [[nodiscard]] static bool UsePorts(YDPSelection& sel, int exitNo, int entryNo, YUserIO& io);
    // A new exit/entry port pair at the given stations and distance between them (m).
    [[nodiscard]] static bool CreatePorts(YDPSelection& sel, const YStation& exitSta, double dist,
                                          const YStation& entrySta);

    // The strategy for the current rule settings and the selection, or null after the conflict
    // message when none accepts them.
    [[nodiscard]] static std::unique_ptr<YDPCalTool> Strategy(const YDPSelection& sel, YUserIO& io);
};
