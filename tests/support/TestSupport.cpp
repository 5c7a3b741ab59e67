#include "support/TestSupport.h"

#include "core/station/YStationNumbering.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
// Every test process draws offscreen and keeps Qt's runtime files in a private folder.
struct TestEnvironment {
    TestEnvironment() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QString dir = QDir::temp().filePath(QStringLiteral("dalvex-runtime"));
            QDir().mkpath(dir);
            QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
        }
    }
};
const TestEnvironment environment;
} // namespace

namespace dalvex::test {

QString StaText(double metres) {
    return YStationNumbering().Text(YStation(metres));
}

ScratchDir::ScratchDir() {
    EXPECT_TRUE(m_dir.isValid());
}

QString ScratchDir::Path(const QString& name) const {
    return QDir(m_dir.path()).filePath(name);
}

void EnsureCoreApp() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "dalvex-tests";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv); // lives for the whole test process
    }
}

} // namespace dalvex::test
