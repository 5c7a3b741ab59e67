#include "core/process/YUndoTasks.h"

#include <algorithm>

namespace {
std::vector<UndoTask> g_pendingTasks;
std::vector<CDalvexDoc*> g_visitedDocs;
} // namespace

std::vector<UndoTask>& YUndoTasks::Pending() {
    return g_pendingTasks;
}

std::vector<CDalvexDoc*>& YUndoTasks::Visited() {
    return g_visitedDocs;
}

bool YUndoTasks::Queue(Mode mode, const UndoTask& task) {
    for (UndoTask& t : g_pendingTasks) {
        if (t.pDoc != task.pDoc || t.nSegment != task.nSegment) {
            continue;
        }
        const bool moves = (mode == Mode::Undo && task.nStep < t.nStep) ||
                           (mode == Mode::Redo && task.nStep > t.nStep);
        if (moves) {
            t.nStep = task.nStep;
        }
        return moves;
    }
    g_pendingTasks.push_back(task);
    return true;
}

bool YUndoTasks::IsVisited(const CDalvexDoc* doc) {
    return std::find(g_visitedDocs.begin(), g_visitedDocs.end(), doc) != g_visitedDocs.end();
}

void YUndoTasks::Visit(CDalvexDoc* doc) {
    if (!IsVisited(doc)) {
        g_visitedDocs.push_back(doc);
    }
}

void YUndoTasks::Clear() {
    g_pendingTasks.clear();
    g_visitedDocs.clear();
}
