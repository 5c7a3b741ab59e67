#include "CliRunner.h"

#include "core/db/YDatabase.h"
#include "core/db/YSchema.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using dalvex::test::ScratchDir;

namespace {

QJsonObject Info(const QString& path) {
    const CliResult r = RunCli({QStringLiteral("info"), path, QStringLiteral("--json")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

TEST(CliDbVerbs, NewCreatesAProjectThatInfoDescribes) {
    ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("road.dvx"));
    const CliResult made = RunCli({QStringLiteral("new"), path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_TRUE(made.out.contains(path));

    const QJsonObject info = Info(path);
    EXPECT_EQ(info.value(QStringLiteral("version")).toInt(), 6);
    const QJsonArray tables = info.value(QStringLiteral("tables")).toArray();
    ASSERT_EQ(tables.size(), YSchema::Tables(6).size());
    for (const QJsonValue& t : tables) {
        const QString name = t[QStringLiteral("name")].toString();
        const int rows = t[QStringLiteral("rows")].toInt(-1);
        const bool oneRow = name == QStringLiteral("版本") || name == QStringLiteral("土石系数");
        EXPECT_EQ(rows, oneRow ? 1 : 0) << name.toStdString();
    }

    const CliResult plain = RunCli({QStringLiteral("info"), path});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_TRUE(plain.out.contains(QStringLiteral("版本: 6\n")));
    EXPECT_TRUE(plain.out.contains(QStringLiteral("  土石系数  1\n")));
}

TEST(CliDbVerbs, NewAsksBeforeReplacingAFile) {
    ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("road.dvx"));
    WriteFile(path, "keep me");
    const CliResult refused = RunCli({QStringLiteral("new"), path});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("已存在")));
    EXPECT_EQ(FileBytes(path), QByteArray("keep me"));

    const CliResult replaced = RunCli({QStringLiteral("--yes"), QStringLiteral("new"), path});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_EQ(Info(path).value(QStringLiteral("version")).toInt(), 6);
}

TEST(CliDbVerbs, InfoReportsOldLayoutsAndRefusesOtherFiles) {
    dalvex::test::EnsureCoreApp();
    ScratchDir dir;
    const QString v1 = dir.Path(QStringLiteral("v1.dvx"));
    {
        YDatabase db;
        ASSERT_TRUE(YSchema::CreateProject(db, v1, 1));
    }
    const QJsonObject info = Info(v1);
    EXPECT_EQ(info.value(QStringLiteral("version")).toInt(), 1);
    for (const QJsonValue& t : info.value(QStringLiteral("tables")).toArray()) {
        if (t[QStringLiteral("name")].toString() == QStringLiteral("项目分段")) {
            EXPECT_TRUE(t[QStringLiteral("rows")].isNull()); // the table does not exist
        }
    }

    const QString text = WriteFile(dir.Path(QStringLiteral("notes.dvx")), "K0+000 12.5\n");
    const CliResult bad = RunCli({QStringLiteral("info"), text});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("不是项目数据库文件")));
    EXPECT_EQ(RunCli({QStringLiteral("info")}).exitCode, 2);
}

} // namespace
