#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

TEST(CliBasics, VersionHelpAndUnknownVerb) {
    const CliResult version = RunCli({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("dalvex-cli ")));
    EXPECT_TRUE(version.out.contains(QStringLiteral("土石方调配")));

    const CliResult help = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("Verbs:")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("  version\n")));

    const CliResult none = RunCli({});
    EXPECT_EQ(none.exitCode, 2); // no verb: usage, and a failure code for scripts
    EXPECT_TRUE(none.out.contains(QStringLiteral("usage")));

    const CliResult unknown = RunCli({QStringLiteral("frobnicate")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("unknown verb frobnicate")));

    const CliResult badOption = RunCli({QStringLiteral("--nope")});
    EXPECT_EQ(badOption.exitCode, 2);
}

} // namespace
