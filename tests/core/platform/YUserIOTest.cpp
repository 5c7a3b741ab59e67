#include "core/platform/YConsoleUserIO.h"
#include "core/platform/YProgressThrottle.h"
#include "support/YRecordingUserIO.h"

#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

QString ReadAll(std::FILE* f) {
    std::rewind(f);
    QByteArray bytes;
    char buf[256];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        bytes.append(buf, static_cast<qsizetype>(n));
    }
    return QString::fromUtf8(bytes);
}

TEST(RecordingUserIO, ScopesBalanceWaitAndProgressAndCancelIsReported) {
    YRecordingUserIO io;
    io.CancelAfter(2);
    {
        YWaitScope wait(io);
        YProgressScope progress(io, QStringLiteral("修复所有操作…"), 10);
        EXPECT_EQ(io.WaitDepth(), 1);
        EXPECT_TRUE(progress.Advance(1));
        EXPECT_TRUE(progress.Advance(2));
        EXPECT_FALSE(progress.Advance(3));
    }
    EXPECT_EQ(io.WaitDepth(), 0);
    EXPECT_FALSE(io.InProgress());
    EXPECT_EQ(io.ProgressTitles(), QStringList{QStringLiteral("修复所有操作…")});
    EXPECT_EQ(io.LastProgressTotal(), 10);
}

TEST(ProgressThrottle, FirstReportPassesThenAtMostOncePerInterval) {
    YProgressThrottle throttle(50);
    EXPECT_TRUE(throttle.Due());
    int passed = 0;
    for (int i = 0; i < 1000; ++i) {
        passed += throttle.Due() ? 1 : 0;
    }
    EXPECT_EQ(passed, 0); // a tight loop finishes well inside 50 ms
    QThread::msleep(60);
    EXPECT_TRUE(throttle.Due());
    EXPECT_FALSE(throttle.Due());
}

TEST(ConsoleUserIO, WritesMessagesWithKindAndAnswersYesOnlyWhenAsked) {
    std::FILE* err = std::tmpfile();
    std::FILE* in = std::tmpfile(); // not a terminal: questions must not block
    {
        YConsoleUserIO io(false, err, in);
        io.Warning(QStringLiteral("已经有相同位置的调出调入口"));
        EXPECT_FALSE(io.Ask(QStringLiteral("是否继续?")));
    }
    {
        YConsoleUserIO io(true, err, in);
        EXPECT_TRUE(io.Ask(QStringLiteral("是否继续?")));
    }
    const QString text = ReadAll(err);
    EXPECT_TRUE(text.contains(QStringLiteral("警告: 已经有相同位置的调出调入口\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("是否继续? [y/N] n")));
    EXPECT_TRUE(text.contains(QStringLiteral("是否继续? [y/N] y")));
    std::fclose(err);
    std::fclose(in);
}

TEST(ConsoleUserIO, ProgressLineIsBoundedAndRounded) {
    EXPECT_EQ(YConsoleUserIO::ProgressLine(QStringLiteral("t"), 5, 10, 10),
              QStringLiteral("t [#####     ] 50%"));
    EXPECT_EQ(YConsoleUserIO::ProgressLine(QStringLiteral("t"), 20, 10, 4),
              QStringLiteral("t [####] 100%"));
    EXPECT_EQ(YConsoleUserIO::ProgressLine(QStringLiteral("t"), 3, 0, 4),
              QStringLiteral("t [    ] 0%"));
}

} // namespace
