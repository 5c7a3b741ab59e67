#pragma once

#include "gui/widgets/YFileChooser.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QStringList>
#include <functional>
#include <memory>

class CDalvexApp;
class QWidget;

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

} // namespace dalvex::test
