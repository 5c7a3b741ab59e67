#include "cli/YCliProject.h"
#include "cli/YCliVerb.h"
#include "core/db/YTdpSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"
#include "core/process/YClearAll.h"
#include "core/process/YFinish.h"
#include "core/process/YHistory.h"
#include "core/process/YRepair.h"

#include <functional>

// dalvex-cli undo | redo <p.dvx> [--to STEP], repair, clear [--yes], finish: the history
// commands of the process list and the allocation menu.
namespace {

using Action = std::function<bool(CDalvexDoc&, YCliContext&, std::optional<int>)>;

int RunAction(YCliContext& c, const QString& usage, bool bTakesTo, const Action& action) {
    QStringList args = c.args;
    bool bad = false;
    const std::optional<int> to =
        bTakesTo ? YCliProject::TakeInt(args, QStringLiteral("--to"), bad) : std::nullopt;
    if (args.size() != 1 || bad) {
        c.io->Error(QStringLiteral("用法：dalvex-cli ") + usage);
        return 2;
    }
    YCliProject project(*c.io);
    CDalvexDoc* doc = project.Open(args.first());
    if (!doc) {
        return 1;
    }
    if (!action(*doc, c, to)) {
        return 1;
    }
    c.out(QStringLiteral("当前步骤: %1\n").arg(doc->GetTdpSet().Steps().nCurrent));
    return 0;
}

bool Undo(CDalvexDoc& doc, YCliContext& c, std::optional<int> to) {
    const int current = doc.GetTdpSet().Steps().nCurrent;
    if (current < 1 || (to && *to >= current)) {
        c.io->Warning(QStringLiteral("没有可以取消的调配步骤"));
        return false;
    }
    return YHistory::Undo(doc, current, to ? std::max(*to + 1, 1) : current);
}

bool Redo(CDalvexDoc& doc, YCliContext& c, std::optional<int> to) {
    const int first = doc.GetTdpSet().Steps().nFirstUndone;
    if (first < 1 || (to && *to < first)) {
        c.io->Warning(QStringLiteral("没有可以恢复的调配步骤"));
        return false;
    }
    return YHistory::Redo(doc, first, to ? *to : first);
}

YCliVerbRegistration
    regUndo({QStringLiteral("undo"), QStringLiteral("undo <file.dvx> [--to STEP]"),
             QStringLiteral("undo the current step, or every step after STEP"), [](YCliContext& c) {
                 return RunAction(c, QStringLiteral("undo <file.dvx> [--to STEP]"), true, Undo);
             }});
YCliVerbRegistration
    regRedo({QStringLiteral("redo"), QStringLiteral("redo <file.dvx> [--to STEP]"),
             QStringLiteral("redo the next undone step, or up to STEP"), [](YCliContext& c) {
                 return RunAction(c, QStringLiteral("redo <file.dvx> [--to STEP]"), true, Redo);
             }});
YCliVerbRegistration regRepair(
    {QStringLiteral("repair"), QStringLiteral("repair <file.dvx>"),
     QStringLiteral("修复所有调配过程: replay the log onto the preprocessing results"),
     [](YCliContext& c) {
         return RunAction(c, QStringLiteral("repair <file.dvx>"), false,
                          [](CDalvexDoc& d, YCliContext&, auto) { return YRepair::Repair(d); });
     }});
YCliVerbRegistration regClear(
    {QStringLiteral("clear"), QStringLiteral("clear <file.dvx> [--yes]"),
     QStringLiteral("清除所有调配及处理: delete the allocation and preprocessing results"),
     [](YCliContext& c) {
         return RunAction(c, QStringLiteral("clear <file.dvx> [--yes]"), false,
                          [](CDalvexDoc& d, YCliContext&, auto) { return YClearAll::ClearAll(d); });
     }});
YCliVerbRegistration regFinish(
    {QStringLiteral("finish"), QStringLiteral("finish <file.dvx>"),
     QStringLiteral("结束调配: check the allocation is complete and write the statistics"),
     [](YCliContext& c) {
         return RunAction(c, QStringLiteral("finish <file.dvx>"), false,
                          [](CDalvexDoc& d, YCliContext&, auto) { return YFinish::Finish(d); });
     }});

} // namespace
