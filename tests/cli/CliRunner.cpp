#include "CliRunner.h"

#include <QProcess>

QString CliPath() {
    // Another build's program may stand in, to compare its results with this one's.
    return qEnvironmentVariable("DALVEX_TEST_CLI", QString::fromUtf8(DALVEX_CLI_PATH));
}

CliResult RunCli(const QStringList& args, const QByteArray& stdinData) {
    QProcess process;
    process.start(CliPath(), args);
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
