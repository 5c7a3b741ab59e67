#include "core/import/YTfReader.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

// Station in column 1, height 2, cut 3, fill 4: the default layout.
TfFormat Default(int startLine = 1) {
    TfFormat f;
    f.m_strName = "t";
    f.m_nStartLine = startLine;
    return f;
}

YTfReadResult Read(const QByteArray& text, const TfFormat& f = Default()) {
    return YTfReader(f).Read(text);
}

// Station, height, cut and fill of a line.
std::tuple<double, double, double, double> Fields(const YTfLine& line) {
    return {line.dStation, line.dHeight, line.dCut, line.dFill};
}

TEST(TfReader, ReadsDelimitedFieldsAndKeepsSigns) {
    const YTfReadResult r = Read("0, -1.5; 12.0\t3\n"
                                 "  ;,\t20 0.8 -4 -6.25 extra fields ignored\r\n"
                                 "40 0 0 0");
    ASSERT_TRUE(r.Ok());
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(Fields(r.lines[0]), std::tuple(0.0, -1.5, 12.0, 3.0));
    // The import takes absolute values, not the reader.
    EXPECT_EQ(Fields(r.lines[1]), std::tuple(20.0, 0.8, -4.0, -6.25));
    EXPECT_EQ(Fields(r.lines[2]), std::tuple(40.0, 0.0, 0.0, 0.0));
}

TEST(TfReader, CommentsAndBlankLinesDoNotCountTowardsTheStartLine) {
    // Line 1 blank, 2 a comment, 3 "*" comment, 4 header (data line 1), 5 data line 2.
    const QByteArray text = "\n// 土方数据\n* note\n桩号 高 挖 填\n100 1 2 3\n";
    const YTfReadResult skipped = Read(text, Default(2));
    ASSERT_TRUE(skipped.Ok());
    ASSERT_EQ(skipped.lines.size(), 1u);
    EXPECT_DOUBLE_EQ(skipped.lines[0].dStation, 100);
    // Without skipping the header the file fails at its physical line 4.
    const YTfReadResult failed = Read(text, Default(1));
    EXPECT_FALSE(failed.Ok());
    EXPECT_EQ(failed.nFailLine, 4);
}

TEST(TfReader, FailsWhereAFieldIsNoNumberOrTheLineEndsEarly) {
    struct Case {
        QByteArray text;
        int failLine;
    };
    const Case cases[] = {
        {"0 1 2 3\n20 1 x 3\n", 2},
        {"0 1 2 3\n\n20 1 2\n", 3},
        {"0 1 2 nan\n", 1},
        {"0 1 2 inf\n", 1},
        {"0 1 2 -\n", 1},
        {"0 1 2 .5\n", 0},
        {"0 1 2 +5\n", 0},
        {"0 1 2 3.5m\n", 0}, // "%lf" reads the number at the start of
                             // the field
        {"0 1 2 1e2\n", 0},
    };
    for (const Case& c : cases) {
        const YTfReadResult r = Read(c.text);
        EXPECT_EQ(r.nFailLine, c.failLine) << c.text.toStdString();
    }
    EXPECT_DOUBLE_EQ(Read("0 1 2 3.5m\n").lines.at(0).dFill, 3.5);
}

TEST(TfReader, WithoutHeightThreeValuesSuffice) {
    TfFormat f = Default();
    f.m_bReadHeight = 0;
    f.m_nCutCol = 2;
    f.m_nFillCol = 3;
    const YTfReadResult r = Read("10 5 6\n", f);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(Fields(r.lines[0]), std::tuple(10.0, 0.0, 5.0, 6.0));
}

TEST(TfReader, OnlyTheFirstThirtyColumnsCarryData) {
    TfFormat f = Default();
    f.m_bReadHeight = 0;
    f.m_nCutCol = 2;
    f.m_nFillCol = 30;
    QByteArray line = "7 8";
    for (int c = 3; c <= 31; ++c) {
        line += " " + QByteArray::number(c * 100);
    }
    const YTfReadResult r = Read(line, f);
    ASSERT_TRUE(r.Ok());
    EXPECT_DOUBLE_EQ(r.lines[0].dFill, 3000);
}

TEST(TfReader, EncodingOfCommentsAndIgnoredColumnsDoesNotMatter) {
    // "// 逐桩断面 挖方 填方" in GBK, and a GBK name in an ignored column; then the same in
    // UTF-8 with a byte-order mark.
    const QByteArray gbkComment = "// \xd6\xf0\xd7\xae\xb6\xcf\xc3\xe6 \xcd\xda\xb7\xbd\n";
    TfFormat f = Default();
    f.m_nHeightCol = 5; // column 2 holds a name
    const QByteArray gbk = gbkComment + "100 \xb4\xf3\xc7\xc5 12 3 -1\n";
    const YTfReadResult r1 = Read(gbk, f);
    ASSERT_TRUE(r1.Ok());
    ASSERT_EQ(r1.lines.size(), 1u);
    EXPECT_EQ(Fields(r1.lines[0]), std::tuple(100.0, -1.0, 12.0, 3.0));
    const QByteArray utf8 = "\xEF\xBB\xBF// 逐桩断面\n100 大桥 12 3 -1\n";
    const YTfReadResult r2 = Read(utf8, f);
    ASSERT_TRUE(r2.Ok());
    ASSERT_EQ(r2.lines.size(), 1u);
    EXPECT_EQ(Fields(r2.lines[0]), Fields(r1.lines[0]));
    // A byte-order mark in front of a data line does not hide the first field.
    EXPECT_TRUE(Read("\xEF\xBB\xBF"
                     "0 1 2 3\n")
                    .Ok());
}

TEST(TfReader, ALoneCarriageReturnEndsALine) {
    const YTfReadResult r = Read("// old Mac file\r0 1 2 3\r20 1 2 3\r\n40 1 2 3");
    ASSERT_TRUE(r.Ok());
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_DOUBLE_EQ(r.lines[2].dStation, 40);
    EXPECT_EQ(Read("0 1 2 3\r20 x 2 3\r").nFailLine, 2);
}

TEST(TfReader, RefusesValuesNoRoadHasAndStationsThatDoNotAdvance) {
    struct Case {
        QByteArray text;
        int failLine;
        QString reason;
    };
    const QString station = QStringLiteral("桩号超出范围（-1e8～1e8 m）");
    const QString area = QStringLiteral("面积超出范围（须小于1e7 m²）");
    const QString back = QStringLiteral("桩号不大于上一个断面的桩号");
    const Case cases[] = {
        {"0 1 2 3\n100 1 2 3\n100 1 2 3\n", 3, back},
        {"0 1 2 3\n100 1 2 3\n// x\n50 1 2 3\n", 4, back},
        {"0 1 1e308 3\n", 1, area},
        {"0 1 2 -1e7\n", 1, area},
        {"0 1 9999999 -9999999\n", 0, {}},
        {"1e9 1 2 3\n", 1, station},
        {"-100000001 1 2 3\n", 1, station},
        {"100000000 1 2 3\n", 0, {}},
        {"0 1e5 2 3\n", 1, QStringLiteral("高度超出范围（-1e4～1e4 m）")},
    };
    for (const Case& c : cases) {
        const YTfReadResult r = Read(c.text);
        EXPECT_EQ(r.nFailLine, c.failLine) << c.text.toStdString();
        EXPECT_EQ(r.strReason, c.reason) << c.text.toStdString();
    }
}

TEST(TfReader, EmptyFileReadsNoLines) {
    const YTfReadResult r = Read("");
    EXPECT_TRUE(r.Ok());
    EXPECT_TRUE(r.lines.empty());
}

} // namespace
