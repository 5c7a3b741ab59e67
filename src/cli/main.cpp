#include "cli/YCliApp.h"
#include "core/platform/YConf.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    YConf::Instance().Init(QString(), QStringLiteral("RavelTF"));
    QCoreApplication::setApplicationName(YConf::Instance().Text(1000));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return YCliApp::Run(args);
}
