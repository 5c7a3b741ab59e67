#include "GuiTestSupport.h"

#include "core/platform/YProfile.h"
#include "gui/app/CDalvexApp.h"

#include <QApplication>
#include <QElapsedTimer>
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

} // namespace dalvex::test
