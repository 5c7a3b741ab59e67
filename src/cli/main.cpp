#include "cli/YCliApp.h"
#include "core/platform/YConf.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

namespace {
// Pictures need fonts, hence a GUI application; on the offscreen platform it needs no display.
bool DrawsPictures(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-') {
            // The earthwork table carries the diagram on a sheet of its own.
            return qstrcmp(argv[i], "diagram") == 0 || qstrcmp(argv[i], "report") == 0 ||
                   qstrcmp(argv[i], "masshaul") == 0;
        }
    }
    return false;
}
} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
    if (DrawsPictures(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    YConf::Instance().Init(QString(), QStringLiteral("RavelTF"));
    QCoreApplication::setApplicationName(YConf::Instance().Text(1000));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return YCliApp::Run(args);
}
