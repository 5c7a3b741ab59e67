#pragma once

#include <vector>

class CDalvexDoc;

// Work an undo, redo or purge has to do in a project because a cross-project process ties its
// steps to those of another: the document, the step bound and the project segment the steps
// belong to.
struct UndoTask {
    CDalvexDoc* pDoc = nullptr;
    int nStep = 0;
    int nSegment = -1;
};

// The program-wide pending-task and visited lists of the operation under way. They live for
// one operation: emptied when it ends or fails.
class YUndoTasks {
  public:
    enum class Mode {
        Undo, // a task keeps the smallest step asked for
        Redo, // the largest
        Purge // steps do not matter
    };

    static std::vector<UndoTask>& Pending();
    static std::vector<CDalvexDoc*>& Visited();

    // Adds a task, or moves the bound of the task of the same document and segment; true when
    // the list changed (the task must be checked again).
    static bool Queue(Mode mode, const UndoTask& task);
    static bool IsVisited(const CDalvexDoc* doc);
    static void Visit(CDalvexDoc* doc);
    static void Clear();
};
