#include "CliRunner.h"

#include "core/db/YDatabase.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

QString CliPath() {
    // Another build's program may stand in, to compare its results with this one's.
    return qEnvironmentVariable("DALVEX_TEST_CLI", QString::fromUtf8(DALVEX_CLI_PATH));
}

namespace {

CliResult Run(QProcess& process, const QStringList& args, const QByteArray& stdinData) {
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

} // namespace

CliResult RunCli(const QStringList& args, const QByteArray& stdinData) {
    QProcess process;
    return Run(process, args, stdinData);
}

CliResult RunCliUnprivileged(const QStringList& args) {
    QProcess process;
    if (geteuid() == 0) {
        constexpr uid_t nobody = 65534;
        process.setChildProcessModifier([] {
            if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) {
                _exit(127);
            }
        });
    }
    return Run(process, args, {});
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
    return path;
}

QStringList ProjectRows(const QString& path, const QString& sql) {
    YDatabase db;
    db.SetReadOnly(true);
    EXPECT_TRUE(db.Open(path)) << path.toStdString();
    QSqlQuery q(db.Connection());
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    QStringList rows;
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < q.record().count(); ++c) {
            cells << q.value(c).toString();
        }
        rows << cells.join(u'|');
    }
    return rows;
}
