#include "GuiTestSupport.h"

#include "core/platform/YProfile.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/widgets/YPropertyGrid.h"
#include "support/ProjectFixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace dalvex::test {

AppHarness::AppHarness() {
    YProfile::UseFile(m_dir.Path(QStringLiteral("profile.ini")));
    auto io = std::make_unique<YRecordingUserIO>();
    m_io = io.get();
    m_app = std::make_unique<CDalvexApp>(std::move(io));
    auto chooser = std::make_unique<ScriptedChooser>();
    m_chooser = chooser.get();
    m_app->SetFileChooser(std::move(chooser));
}

AppHarness::~AppHarness() {
    m_app.reset();
    Settle();
}

bool AppHarness::Start(const QStringList& files) {
    const bool ok = m_app->InitInstance(files);
    Settle();
    return ok;
}

void OnNextModal(std::function<void(QWidget*)> fn, int timeoutMs) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, fn, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            fn(modal);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            ADD_FAILURE() << "no modal dialog opened";
        }
    });
    timer->start();
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void TriggerAndSettle(QAction* action) {
    action->trigger();
    Settle();
}

QAction* EnabledAction(CMainFrame& frame, int command) {
    frame.UpdateCommandUI();
    QAction* action = frame.Action(command);
    return action->isEnabled() ? action : nullptr;
}

CDalvexDoc* NewProject(AppHarness& h, const QString& name) {
    h.Chooser().answers << h.Dir().Path(name);
    TriggerAndSettle(h.App().MainFrame()->Action(YCmd::FileNew));
    return h.App().MainFrame()->ActiveDocument();
}

CDalvexView* StartAllocating(AppHarness& h, const QString& path, QSize size) {
    if (!h.Start({path})) {
        return nullptr;
    }
    CMainFrame* frame = h.App().MainFrame();
    frame->resize(size);
    TriggerAndSettle(frame->Action(YCmd::StartDP));
    return frame->ActiveView();
}

CDalvexView* StartOnRoad(AppHarness& h, int segments) {
    const QString path = h.Dir().Path(QStringLiteral("road.dvx"));
    {
        YRecordingUserIO io;
        TestProject(path, io).AddSegs(TestProject::Road(segments));
    }
    return StartAllocating(h, path);
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint pt, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    QMouseEvent event(type, pt, target->mapToGlobal(pt), button, buttons, mods);
    QApplication::sendEvent(target, &event);
}

void ClickOn(QWidget* target, QPoint pt) {
    SendMouse(target, QEvent::MouseButtonPress, pt, Qt::LeftButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, pt, Qt::LeftButton, Qt::NoButton);
}

void DragOn(QWidget* target, QPoint from, QPoint to, Qt::KeyboardModifiers mods) {
    SendMouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, mods);
    SendMouse(target, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, mods);
    SendMouse(target, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, mods);
    SendMouse(target, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, mods);
}

void ClickRow(QAbstractItemView& view, int row) {
    const QModelIndex index = view.model()->index(row, 0);
    view.scrollTo(index);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(index).center());
    Settle();
}

void TypeInGrid(YPropertyGrid& grid, int id, const QString& text) {
    QWidget* editor = grid.Editor(id);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setEditText(text);
        emit combo->lineEdit()->editingFinished();
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        emit edit->editingFinished();
    } else {
        ADD_FAILURE() << "item " << id << " has no text editor";
    }
}

QStringList RowTexts(const QAbstractItemModel& m, int row) {
    QStringList out;
    for (int c = 0; c < m.columnCount(); ++c) {
        out << m.index(row, c).data().toString();
    }
    return out;
}

QStringList Headers(const QAbstractItemModel& m) {
    QStringList out;
    for (int c = 0; c < m.columnCount(); ++c) {
        out << m.headerData(c, Qt::Horizontal).toString();
    }
    return out;
}

} // namespace dalvex::test
