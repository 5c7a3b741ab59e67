#include "core/station/YChainBreak.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct BreakRow {
    const char* name;
    QString text;
    double back;
    double ahead;
};

void PrintTo(const BreakRow& row, std::ostream* os) {
    *os << row.name;
}

class ChainBreakReads : public ::testing::TestWithParam<BreakRow> {};

TEST_P(ChainBreakReads, GivesBackAndAhead) {
    const BreakRow& row = GetParam();
    const std::optional<YChainBreak> brk = YChainBreak::Parse(row.text);
    ASSERT_TRUE(brk.has_value()) << row.text.toStdString();
    EXPECT_DOUBLE_EQ(brk->Back(), row.back);
    EXPECT_DOUBLE_EQ(brk->Ahead(), row.ahead);
    EXPECT_DOUBLE_EQ(brk->Jump(), row.ahead - row.back);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChainBreakReads,
    ::testing::Values(BreakRow{"ShortChain", "K1+100.000=K1+120.000", 1100.0, 1120.0},
                      BreakRow{"LongChain", "K1+120=K1+100", 1120.0, 1100.0},
                      BreakRow{"NoJump", "K2+000=K2+000", 2000.0, 2000.0},
                      BreakRow{"MixedPrefixes", "ZK0+950.5=AK1+050", 950.5, 1050.0},
                      BreakRow{"Spaces", "  K1+100 =\tK1+120  ", 1100.0, 1120.0},
                      BreakRow{"PlainNumbers", "1100=1120.25", 1100.0, 1120.25},
                      BreakRow{"Negative", "K-0+100=K0+000", -100.0, 0.0},
                      BreakRow{"FullWidth", "Ｋ１＋１００＝Ｋ１＋１２０", 1100.0, 1120.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChainBreak, RefusesBadTexts) {
    const QString texts[] = {"",
                             " ",
                             "=",
                             "K1+100",
                             "K1+100=",
                             "=K1+120",
                             "K1+100==K1+120",
                             "K1+100=K1+120=K1+130",
                             "K1+100=K1+",
                             "K1+100;K1+120",
                             "K1+100-K1+120",
                             "K1+100=nan",
                             "inf=K1+0",
                             "K1+100=1e400",
                             "K1+100=K1+120 x",
                             "中文=中文",
                             "K1+100=K9999999+000",
                             QString(5000, u'=')};
    for (const QString& text : texts) {
        EXPECT_FALSE(YChainBreak::Parse(text).has_value()) << text.toStdString();
    }
}

TEST(ChainBreak, TextReadsBack) {
    const YChainBreak brk(1099.9996, -12.5);
    EXPECT_EQ(brk.Text(QStringLiteral("AK")), QStringLiteral("AK1+100.000=AK-0+012.500"));
    const std::optional<YChainBreak> back = YChainBreak::Parse(brk.Text(QStringLiteral("K")));
    ASSERT_TRUE(back.has_value());
    EXPECT_NEAR(back->Back(), 1100.0, 1e-9);
    EXPECT_DOUBLE_EQ(back->Ahead(), -12.5);
}

} // namespace
