#include "core/platform/YConf.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(YConf::Instance().Text(1000));
    QApplication::setApplicationVersion(QString::fromLatin1(DALVEX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(YConf::Instance().Text(1000));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption quitAfter(QStringLiteral("quit-after"),
                                       QStringLiteral("close after <ms> milliseconds (tests)"),
                                       QStringLiteral("ms"));
    parser.addOption(quitAfter);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("project file (*.dvx)"));
    parser.process(app);

    CDalvexApp dalvex;
    if (!dalvex.InitInstance(parser.positionalArguments())) {
        return 1;
    }
    if (parser.isSet(quitAfter)) {
        QTimer::singleShot(parser.value(quitAfter).toInt(), dalvex.MainFrame(), &QWidget::close);
    }
    return QApplication::exec();
}
