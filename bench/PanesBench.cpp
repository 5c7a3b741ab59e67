// The desktop program's allocation work on a long road (20 000 cross-sections, the thousands of
// steps `auto` makes there), offscreen:
//   the task list built from the segments        vs a raw read of [土石计算中间表]
//   the process list built from the log          vs a raw read of the log [Tmp调配过程表]
//   undo and redo of one step through the process pane (absolute targets)
//   one allocation with the mouse: click a cut run, click a fill run, the strategy runs, the
//   panes and the diagram follow (absolute target)
// Each figure is the best of DALVEX_BENCH_RUNS runs (default 3).
#include "RawSqlite.h"
#include "support/LongRoad.h"
#include "support/YRecordingUserIO.h"

#include "core/document/CDalvexDoc.h"
#include "core/process/YProcessList.h"
#include "core/process/YProcessLog.h"
#include "core/process/YTaskList.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/YTool.h"
#include "gui/panes/YDpGcReactor.h"
#include "gui/panes/YDpGcView.h"
#include "gui/panes/YDpTaskReactor.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const int kRuns = qEnvironmentVariableIntValue("DALVEX_BENCH_RUNS") > 0
                      ? qEnvironmentVariableIntValue("DALVEX_BENCH_RUNS")
                      : 3;

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

bool Cli(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(DALVEX_CLI_PATH), QStringList{QStringLiteral("--yes")} + args);
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "dalvex-cli %s failed:\n%s\n", qPrintable(args.join(u' ')),
                     p.readAll().constData());
        return false;
    }
    return true;
}

// The best time in ms of kRuns runs of work, each after prepare (not timed).
double Best(const std::function<void()>& prepare, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        work();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

void Row(const char* what, double ms, double target) {
    std::printf("%-44s %7.1f ms   target <= %.0f ms %s\n", what, ms, target,
                ms <= target ? "" : "  MISSED");
}

void RatioRow(const char* what, double ms, double base, const char* baseName, double target) {
    std::printf("%-44s %7.1f ms   %5.2f x %s (%.1f ms)   target <= %.0f ms %s\n", what, ms,
                ms / base, baseName, base, target, ms <= target ? "" : "  MISSED");
}

void Click(QWidget* target, QPoint pt) {
    for (const auto& [type, buttons] :
         {std::pair{QEvent::MouseButtonPress, Qt::MouseButtons(Qt::LeftButton)},
          std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons(Qt::NoButton)}}) {
        QMouseEvent event(type, pt, target->mapToGlobal(pt), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

// The last step of the log that hauled from one run of cut to one run of fill.
const YProcessEntry* LastHaul(const std::vector<YProcessEntry>& entries) {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->bApplied && it->nKind == DpKind::Haul) {
            return &*it;
        }
    }
    return nullptr;
}

int Run() {
    QTemporaryDir dir;
    const QString road = dir.filePath(QStringLiteral("road.dvx"));
    if (!dalvex::test::WriteLongRoad(road) || !Cli({QStringLiteral("preprocess"), road}) ||
        !Cli({QStringLiteral("auto"), road, QStringLiteral("--no-finish")})) {
        return 1;
    }
    const double rawLog = Best([] {}, [&] { (void)RawReadAll(road, {"Tmp调配过程表"}); });
    const double rawSegments = Best([] {}, [&] { (void)RawReadAll(road, {"土石计算中间表"}); });

    CDalvexApp app(std::make_unique<YRecordingUserIO>());
    if (!app.InitInstance({road})) {
        return 1;
    }
    CMainFrame& frame = *app.MainFrame();
    frame.resize(1280, 800);
    frame.Action(YCmd::StartDP)->trigger();
    Settle();
    CDalvexView* view = frame.ActiveView();
    auto* gc = frame.findChild<YDpGcView*>();
    if (view == nullptr || gc == nullptr) {
        return 1;
    }
    CDalvexDoc& doc = view->Document();
    const int steps = int(YProcessList::Build(doc).size());

    const double tasks = Best([] {}, [&] { (void)YTaskList::Build(doc.Segments()); });
    const double taskPane = Best([] {}, [&] { doc.FindReactor<YDpTaskReactor>()->OnReload(); });
    const double processes = Best([] {}, [&] { (void)YProcessList::Build(doc); });
    const double processPane = Best([] {}, [&] { doc.FindReactor<YDpGcReactor>()->OnReload(); });
    Settle();
    // The last haul undone, then done again with two clicks at 1 m per pixel.
    const std::vector<YProcessEntry> before = YProcessList::Build(doc);
    const YProcessEntry* haul = LastHaul(before);
    if (haul == nullptr) {
        std::fprintf(stderr, "no haul step on the road\n");
        return 1;
    }
    const double cut = (haul->staSrcStart.Value() + haul->staSrcEnd.Value()) / 2;
    const double fill = (haul->staDstStart.Value() + haul->staDstEnd.Value()) / 2;
    frame.Action(YCmd::ToolDP)->trigger();
    const int haulStep = haul->nStep;
    const auto lastApplied = [&doc] {
        int last = 0;
        for (const YProcessEntry& e : YProcessList::Build(doc)) {
            last = e.bApplied ? std::max(last, e.nStep) : last;
        }
        return last;
    };
    // Back to before the haul (the steps after it too), the diagram at 1 m per pixel there.
    const auto undoHaul = [&] {
        while (lastApplied() >= haulStep && gc->CanUndo()) {
            gc->Undo();
            Settle();
        }
        view->Uint().SetScale(1.0, view->Uint().m_dScaleY);
        view->SetOrigin({std::min(cut, fill) - 50.0, 0.0});
        Settle();
    };
    // The last step is a local take or dump over the whole road: undone and redone through the
    // pane too, for the record. Then the last haul alone.
    const auto processesOf = [&doc](int step) {
        std::vector<YDpLogPair> pairs;
        (void)YProcessLog(doc.GetTdpSet()).ReadPairs(pairs);
        return std::count_if(pairs.begin(), pairs.end(),
                             [step](const YDpLogPair& p) { return p.src.gcid == step; });
    };
    const int lastStep = lastApplied();
    const qint64 lastProcesses = processesOf(lastStep);
    const double undoLast = Best([&] { gc->Redo(), Settle(); }, [&] { gc->Undo(), Settle(); });
    const double redoLast = Best([&] { gc->Undo(), Settle(); }, [&] { gc->Redo(), Settle(); });
    // Moves the history one step at a time until `step` is the last one done.
    const auto goTo = [&](int step) {
        while (lastApplied() > step && gc->CanUndo()) {
            gc->Undo(), Settle();
        }
        while (lastApplied() < step && gc->CanRedo()) {
            gc->Redo(), Settle();
        }
    };
    const double undo = Best([&] { goTo(haulStep); }, [&] { gc->Undo(), Settle(); });
    const double redo = Best([&] { goTo(haulStep - 1); }, [&] { gc->Redo(), Settle(); });
    const double allocate = Best(undoHaul, [&] {
        Click(view->viewport(), view->Uint().ToDevice({cut, 0.5}));
        Click(view->viewport(), view->Uint().ToDevice({fill, -0.5}));
        Settle();
    });
    const bool recorded = lastApplied() == haulStep;

    std::printf("\nlong road: %d cross-sections, %d steps\n", dalvex::test::kLongRoadSections,
                steps);
    RatioRow("task list built from the segments", tasks, rawSegments, "raw read", 50);
    RatioRow("task pane rebuilt", taskPane, rawSegments, "raw read", 50);
    RatioRow("process list built from the log", processes, rawLog, "raw read", 50);
    RatioRow("process pane rebuilt", processPane, rawLog, "raw read", 50);
    Row("undo one haul step through the process pane", undo, 100);
    Row("redo one haul step through the process pane", redo, 100);
    std::printf("%-44s %7.1f ms   (step %d, %lld processes)\n",
                "undo the last step (local, whole road)", undoLast, lastStep,
                static_cast<long long>(lastProcesses));
    std::printf("%-44s %7.1f ms\n", "redo the last step (local, whole road)", redoLast);
    Row(recorded ? "one allocation with the mouse" : "one allocation with the mouse (NOT MADE)",
        allocate, 200);
    YToolState::SetCurrentTool(nullptr);
    return recorded ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return Run();
}
