#pragma once

class CDalvexDoc;

// Undo (撤消), redo (重新执行) and purge along the process log. A step is all pairs of one
// GCID; undo walks back from the end over applied pairs, redo forward from the first undone
// pair, purge deletes the undone tail. Processes of kinds 7 and 8 tie a step to a step of a
// neighbouring project, whose log is moved along with it (in its own segment). Every project
// takes part in one transaction of its own; they are committed together at the end, so a
// failure anywhere leaves every project as it was.
class YHistory {
  public:
    // Undoes the steps from the end of the log down to lowestStep. lastStep is the current
    // step (for the progress window "取消操作", shown when more than one step goes). False,
    // without doing anything, when lastStep is below 1 or a partner project is missing.
    [[nodiscard]] static bool Undo(CDalvexDoc& doc, int lastStep, int lowestStep);
    // Redoes undone steps from the first undone pair up to lastStep (progress "恢复操作").
    [[nodiscard]] static bool Redo(CDalvexDoc& doc, int firstStep, int lastStep);
    // Deletes the undone tail of the log (and of the partners' logs).
    [[nodiscard]] static bool Purge(CDalvexDoc& doc);
};
