#include "CliRunner.h"

#include <QProcess>

CliResult RunCli(const QStringList& args, const QByteArray& stdinData) {
    QProcess process;
    process.start(QString::fromUtf8(DALVEX_CLI_PATH), args);
    process.write(stdinData);
    process.closeWriteChannel();
    CliResult result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
