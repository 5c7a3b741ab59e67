#pragma once

struct DpLogRecord;
class CDalvexDoc;

// The pit side of the allocation log: what a logged process took from a borrow pit or put
// into a waste pit. Here, below the process layer, because preprocessing again deletes the log
// as clearing does, and both must give the pits back what it took.
class YLogPits {
  public:
    // Applies the pit part of a record: dir +1 takes, -1 gives back.
    [[nodiscard]] static bool Apply(CDalvexDoc& doc, const DpLogRecord& r, int dir);
    // Gives back what every applied process of the current segment's log took. Inside the
    // caller's transaction.
    [[nodiscard]] static bool GiveBackAll(CDalvexDoc& doc);
};
