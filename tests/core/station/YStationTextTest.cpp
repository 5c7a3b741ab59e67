#include "core/station/YStationText.h"

#include "StationReference.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

using Form = YStationText::Form;

struct GoodText {
    const char* name;
    QString text;
    Form form;
    double metres;
};

void PrintTo(const GoodText& row, std::ostream* os) {
    *os << row.name;
}

class StationTextReads : public ::testing::TestWithParam<GoodText> {};

TEST_P(StationTextReads, GivesTheNumber) {
    const GoodText& row = GetParam();
    const std::optional<YStationText::Reading> reading = YStationText::Read(row.text);
    ASSERT_TRUE(reading.has_value()) << row.text.toStdString();
    EXPECT_EQ(reading->form, row.form);
    EXPECT_NEAR(reading->metres, row.metres, 1e-9);
    EXPECT_FALSE(std::signbit(reading->metres) && reading->metres == 0.0) << "no negative zero";
}

INSTANTIATE_TEST_SUITE_P(
    Table, StationTextReads,
    ::testing::Values(GoodText{"Plain", "K12+045.600", Form::Display, 12045.6},
                      GoodText{"PaddedKm", "K0012+345.678", Form::Display, 12345.678},
                      GoodText{"TwoLetters", "AK1+000", Form::Display, 1000.0},
                      GoodText{"LowerCase", "zk3+5", Form::Display, 3005.0},
                      GoodText{"LetterDigitLetter", "A1K2+010.5", Form::Display, 2010.5},
                      GoodText{"ChineseLetters", "匝道K0+100", Form::Display, 100.0},
                      GoodText{"NoPrefix", "7+001.25", Form::Display, 7001.25},
                      GoodText{"ManyDecimals", "K0+000.0001", Form::Display, 0.0001},
                      GoodText{"JustBelowNextKm", "K0+999.9999", Form::Display, 999.9999},
                      GoodText{"Negative", "K-1+012.500", Form::Display, -1012.5},
                      GoodText{"NegativeZeroKm", "K-0+012.5", Form::Display, -12.5},
                      GoodText{"NegativeZero", "K-0+000", Form::Display, 0.0},
                      GoodText{"Surrounded", "  \tK1+000.000 \n", Form::Display, 1000.0},
                      GoodText{"FullWidth", "ＫＤ１２＋０４５．６", Form::Display, 12045.6},
                      GoodText{"IdeographicSpace", "\u3000K1+1\u3000", Form::Display, 1001.0},
                      GoodText{"MinusSign", "K\u22121+0", Form::Display, -1000.0},
                      GoodText{"Largest", "K1000000+000", Form::Display, 1e9},
                      GoodText{"PlainNumber", "12045.6", Form::Plain, 12045.6},
                      GoodText{"PlainInteger", "0012", Form::Plain, 12.0},
                      GoodText{"PlainNegative", "-3.25", Form::Plain, -3.25},
                      GoodText{"PlainNegativeZero", "-0", Form::Plain, 0.0},
                      GoodText{"PlainFullWidth", "１２３．５", Form::Plain, 123.5},
                      GoodText{"PlainLargest", "1000000000", Form::Plain, 1e9}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StationText, RefusesGarbage) {
    const QString longDigits(300, u'9');
    const QString tooLong = QStringLiteral("K1+") + QString(70, u'0');
    const QString withNul = QStringLiteral("K1+000") + QChar(u'\0');
    // Split on '|'; the first entry is the empty text.
    QStringList texts =
        QStringLiteral("| |\t\n|\u3000|K|K+|K1+|+5|+|K+5|K1+2+3|1+2+3|1e400|1e3|1E3|nan|NaN|inf|"
                       "-inf|infinity|K1+nan|K1+inf|0x10|K1+0x1|K1+000.|K1+.5|K.5+0|K1.5+0|1.|.5|-|"
                       "--1|1-|+-1|K1+-5|K-+5|K--1+0|-K1+0|K1-2+0|1K+000|K1 +000|K 1+000|K1+ 000|"
                       "K1+0 0|K1+1000|K1+1000.000|K1+999999|K1+000.000.0|K1+0,5|1,5|K1+000=K1+100|"
                       "K1+000 x|x K1+000|K_1+000|K1_+000|K1+000m|中文|桩号|K一+000|١+٠٠٠|K١+000|"
                       "K1000001+000|K99999999999+000|1000000000.001|-1000000000.5|\u00e9+1|"
                       "K\U0001F600+1")
            .split(u'|');
    texts << longDigits << tooLong << withNul << QString(10000, u'K');
    for (const QString& text : texts) {
        EXPECT_FALSE(YStationText::Read(text).has_value()) << text.toStdString();
    }
}

struct FormatRow {
    const char* name;
    double metres;
    const char* label;
    const char* text;
};

void PrintTo(const FormatRow& row, std::ostream* os) {
    *os << row.name;
}

class StationTextFormats : public ::testing::TestWithParam<FormatRow> {};

TEST_P(StationTextFormats, GivesTheText) {
    const FormatRow& row = GetParam();
    EXPECT_EQ(YStationText::Format(row.metres, QString::fromUtf8(row.label)),
              QString::fromUtf8(row.text));
}

INSTANTIATE_TEST_SUITE_P(
    Table, StationTextFormats,
    ::testing::Values(FormatRow{"Zero", 0.0, "K", "K0+000.000"},
                      FormatRow{"Padded", 12045.6, "K", "K12+045.600"},
                      FormatRow{"Label", 345.678, "AK", "AK0+345.678"},
                      FormatRow{"ChineseLabel", 1000.0, "匝道K", "匝道K1+000.000"},
                      FormatRow{"RoundsDown", 7.0004, "K", "K0+007.000"},
                      FormatRow{"RoundsUp", 7.0006, "K", "K0+007.001"},
                      FormatRow{"CarriesIntoKm", 999.9996, "K", "K1+000.000"},
                      FormatRow{"CarriesThroughMetres", 12999.99951, "K", "K13+000.000"},
                      FormatRow{"StaysBelowKm", 999.9994, "K", "K0+999.999"},
                      FormatRow{"Negative", -1012.5, "K", "K-1+012.500"},
                      FormatRow{"NegativeBelowKm", -12.5, "K", "K-0+012.500"},
                      FormatRow{"NegativeCarry", -999.9996, "K", "K-1+000.000"},
                      FormatRow{"NegativeRoundsToZero", -0.0004, "K", "K0+000.000"},
                      FormatRow{"NegativeZero", -0.0, "K", "K0+000.000"},
                      FormatRow{"Largest", 1e9, "K", "K1000000+000.000"},
                      FormatRow{"TooLarge", 1e12, "K", "1000000000000"},
                      FormatRow{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "K", "nan"},
                      FormatRow{"Infinite", -std::numeric_limits<double>::infinity(), "K", "-inf"}),
    [](const auto& info) { return std::string(info.param.name); });

// Format against printf rounding, and Read of the text back within half a millimetre.
TEST(StationText, FormatMatchesReferenceAndReadsBack) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> metres(-5e6, 5e6);
    std::uniform_real_distribution<double> small(-3000.0, 3000.0);
    for (int i = 0; i < 20000; ++i) {
        const double value = i % 2 == 0 ? metres(rng) : small(rng);
        const QString text = YStationText::Format(value, QStringLiteral("K"));
        ASSERT_EQ(text, station_ref::Text(value)) << value;
        const std::optional<YStationText::Reading> reading = YStationText::Read(text);
        ASSERT_TRUE(reading.has_value()) << text.toStdString();
        EXPECT_EQ(reading->form, Form::Display);
        EXPECT_NEAR(reading->metres, value, 0.0005 + 1e-9) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("+1000."))) << text.toStdString();
    }
}

TEST(StationText, LabelsThatReadBack) {
    for (const char* good : {"K", "AK", "zk", "A1K", "匝道K", "ＡＫ"}) {
        EXPECT_TRUE(YStationText::IsValidLabel(QString::fromUtf8(good))) << good;
        const QString text = YStationText::Format(1234.5, QString::fromUtf8(good));
        const std::optional<YStationText::Reading> reading = YStationText::Read(text);
        ASSERT_TRUE(reading.has_value()) << text.toStdString();
        EXPECT_DOUBLE_EQ(reading->metres, 1234.5);
    }
    for (const char* bad : {"", "K1", "1K", "K+", "K=", "K-", "K.", "K K", "K_", "+", "9"}) {
        EXPECT_FALSE(YStationText::IsValidLabel(QString::fromUtf8(bad))) << bad;
    }
    EXPECT_FALSE(YStationText::IsValidLabel(QString(40, u'K'))) << "too long";
}

} // namespace
