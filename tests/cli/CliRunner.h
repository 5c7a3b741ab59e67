#pragma once

#include <QString>
#include <QStringList>

// Runs dalvex-cli with arguments and collects exit code, stdout and stderr.
struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// The program run: this build's, or the one DALVEX_TEST_CLI names.
QString CliPath();
CliResult RunCli(const QStringList& args, const QByteArray& stdinData = {});
// The same as a user without privileges: run by root (who may write any file), the program runs
// as "nobody", so file permissions hold for it as for a designer.
CliResult RunCliUnprivileged(const QStringList& args);

// The bytes of a file (none when it cannot be read), to show that a refused verb left it alone.
QByteArray FileBytes(const QString& path);
// Writes bytes to a new file at path (a failure fails the test); returns path.
QString WriteFile(const QString& path, const QByteArray& bytes);
// Every row of a query on a project file opened read-only, columns joined by "|" (numbers in
// their shortest exact form).
QStringList ProjectRows(const QString& path, const QString& sql);
