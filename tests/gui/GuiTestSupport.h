#pragma once

#include "gui/widgets/YFileChooser.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QDialog>
#include <QEvent>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class CDalvexApp;
class CDalvexDoc;
class CDalvexView;
class CMainFrame;
class QAction;
class QAbstractItemModel;
class QAbstractItemView;
class QWidget;
class YPropertyGrid;

namespace dalvex::test {

// File names answered in order instead of the file dialogs; an empty answer cancels. Keeps
// the filters it was asked with.
class ScriptedChooser : public YFileChooser {
  public:
    QStringList answers;
    QStringList filters;
    QStringList proposed;

    QString SaveFileName(QWidget*, const QString& filter, const QString& proposedName,
                         const QString&) override {
        filters << filter;
        proposed << proposedName;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString OpenFileName(QWidget*, const QString& filter) override {
        filters << filter;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// The desktop program started with a recording user IO, a scripted file chooser and a
// profile of its own in a scratch folder.
class AppHarness {
  public:
    AppHarness();
    ~AppHarness();

    CDalvexApp& App() { return *m_app; }
    YRecordingUserIO& IO() { return *m_io; }
    ScriptedChooser& Chooser() { return *m_chooser; }
    const ScratchDir& Dir() const { return m_dir; }

    // Starts the program with these arguments; false when start-up failed.
    bool Start(const QStringList& files = {});

  private:
    ScratchDir m_dir;
    std::unique_ptr<CDalvexApp> m_app;
    YRecordingUserIO* m_io = nullptr;
    ScriptedChooser* m_chooser = nullptr;
};

// Runs fn on the next modal dialog that opens (of type T), while the caller's code blocks in
// that dialog's exec(). Fails the test when none opens within the timeout.
void OnNextModal(std::function<void(QWidget*)> fn, int timeoutMs = 5000);

// Processes pending events (deferred pane updates, deleteLater).
void Settle();

// Triggers the action and processes what it posted.
void TriggerAndSettle(QAction* action);
// The frame's action for a command after the command states are updated; null when disabled.
QAction* EnabledAction(CMainFrame& frame, int command);

// Triggers the action and hands the modal dialog it opens, of type Dlg, to fn; a dialog fn
// leaves open is cancelled. Fails the test when no such dialog opens.
template <class Dlg> void WithDialog(QAction* action, const std::function<void(Dlg&)>& fn) {
    bool seen = false;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = dynamic_cast<Dlg*>(modal);
        if (dialog == nullptr) {
            ADD_FAILURE() << "unexpected dialog " << modal->metaObject()->className();
            static_cast<QDialog*>(modal)->reject();
            return;
        }
        seen = true;
        fn(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    TriggerAndSettle(action);
    EXPECT_TRUE(seen);
}
// The same for a command of the frame, which must be enabled.
template <class Dlg>
void WithDialog(CMainFrame& frame, int command, const std::function<void(Dlg&)>& fn) {
    QAction* action = EnabledAction(frame, command);
    ASSERT_NE(action, nullptr) << command;
    WithDialog<Dlg>(action, fn);
}

// Creates a project through 新建 with the file chooser answering this name in the scratch
// folder; the active document, or null.
CDalvexDoc* NewProject(AppHarness& h, const QString& name = QStringLiteral("road.dvx"));

// Starts the program on a project file, resizes its frame and starts allocating (开始调配);
// the active view, or null.
CDalvexView* StartAllocating(AppHarness& h, const QString& path, QSize size = {1000, 700});

// StartAllocating on a new project "road.dvx" of this many segments of TestProject::Road.
CDalvexView* StartOnRoad(AppHarness& h, int segments);

// Mouse events sent straight to a widget, as a view's viewport receives them.
void SendMouse(QWidget* target, QEvent::Type type, QPoint pt, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier);
// A left click: press and release at one point.
void ClickOn(QWidget* target, QPoint pt);
// A left-button drag through the midpoint; from == to is a click with the button moved.
void DragOn(QWidget* target, QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier);
// A click on the first cell of a row of a list or table, scrolled into view first.
void ClickRow(QAbstractItemView& view, int row);

// Text typed into a property grid's line or editable list and committed as on leaving it;
// fails the test when the item has neither.
void TypeInGrid(YPropertyGrid& grid, int id, const QString& text);

// The display texts of a model's row, and its column headings.
QStringList RowTexts(const QAbstractItemModel& m, int row);
QStringList Headers(const QAbstractItemModel& m);

} // namespace dalvex::test
