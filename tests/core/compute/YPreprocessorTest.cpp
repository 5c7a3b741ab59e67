#include "PreprocessFixture.h"

#include "core/db/YTransaction.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <random>

namespace {

using Outcome = YPreprocessor::Outcome;
const QString kNoTrough = QStringLiteral("没有路槽数据，将不能扣除路槽土方！");
const std::vector<double> kClassII = {0, 100, 0, 0, 0, 0};
constexpr double kTol = 1e-9;

// Cut, cut, fill over 40 m: cut 10 → 20 → 0 m², fill 0 → 0 → 6 m²; all class II (普通土,
// divisor 1.16 in a new project), all usable.
void ThreeSections(PreprocessFixture& f) {
    f.Section(0, 10, 0, -1);
    f.Section(20, 20, 0, -1);
    f.Section(40, 0, 6, 1);
    f.Contents(40, kClassII);
}

// The named columns of every result row against a table of rows.
void ExpectColumns(const std::vector<PreprocessFixture::Row>& rows,
                   const std::vector<const char*>& columns,
                   const std::vector<std::vector<double>>& want) {
    ASSERT_EQ(rows.size(), want.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        for (size_t c = 0; c < columns.size(); ++c) {
            EXPECT_DOUBLE_EQ(rows[i][QString::fromUtf8(columns[c])], want[i][c])
                << "row " << i << " " << columns[c];
        }
    }
}

TEST(Preprocess, ThreeSectionsGiveTwoRowsComputedByHand) {
    PreprocessFixture f;
    ThreeSections(f);
    const auto result = f.Run();
    ASSERT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(result.nSegments, 2);
    EXPECT_EQ(f.io.Texts(), QStringList{kNoTrough});
    EXPECT_EQ(f.io.ProgressTitles(), QStringList{"数据预处理"});
    EXPECT_EQ(f.io.LastProgressTotal(), 3);
    EXPECT_FALSE(f.io.InProgress());

    const auto rows = f.Rows();
    ASSERT_EQ(rows.size(), 2u);
    // 60 m³ of compacted fill made from class II in the second row: 60 × 1.16 = 69.6 m³
    // natural.
    const struct {
        size_t row;
        const char* column;
        double value;
    } want[] = {{0, "起始桩号", 0},
                {0, "终止桩号", 20},
                {0, "挖方平均面积", 15},
                {0, "距离", 20},
                {0, "挖方总量", 300},
                {0, "2数量", 300},
                {0, "2数量(压实)", 300 / 1.16},
                {0, "2含量", 100},
                {0, "2系数", 1.16},
                {0, "1系数", 1.23},
                {0, "2可用比例", 1},
                {0, "填方总量", 0},
                {0, "挖余土", 300},
                {0, "可用余2", 300},
                {0, "不可用余2", 0},
                {0, "分段编号", -1},
                {1, "挖方平均面积", 10},
                {1, "填方平均面积", 3},
                {1, "填方总量", 60},
                {1, "本桩利用土", 60},
                {1, "填土量", 60},
                {1, "利2", 69.6},
                {1, "利2(压实)", 60},
                {1, "利用土(松方)", 69.6},
                {1, "利用后填方总量", 0},
                {1, "余2", 130.4},
                {1, "挖余土", 130.4},
                {1, "可用挖余土(压实)", 200 / 1.16 - 60}};
    for (const auto& w : want) {
        EXPECT_NEAR(rows[w.row].at(QString::fromUtf8(w.column)), w.value, kTol) << w.column;
    }

    // The intermediate table starts as a copy.
    EXPECT_EQ(f.Rows("土石计算中间表"), rows);
    // Adjusted areas were written back to every cross-section.
    EXPECT_DOUBLE_EQ(f.Value("SELECT [填方面积1] FROM [逐桩断面] WHERE [sta] = 40"), 6);
    EXPECT_DOUBLE_EQ(f.Value("SELECT [挖方面积1] FROM [逐桩断面] WHERE [sta] = 20"), 20);
}

struct CheckCase {
    int sections;
    bool trough, contents, coefRow;
    double coef1;
    Outcome outcome;
    const char* messages; // joined by '|'
};

class PreprocessChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(PreprocessChecks, StopBeforeChangingAnything) {
    const CheckCase& c = GetParam();
    PreprocessFixture f;
    for (int i = 0; i < c.sections; ++i) {
        f.Section(20.0 * i, 5, 5, 1);
    }
    if (c.trough) {
        f.Trough(1000, 0.5, 8);
    }
    if (c.contents) {
        f.Contents(1000, kClassII);
    }
    if (!c.coefRow) {
        f.Exec("DELETE FROM [土石系数]");
    } else {
        f.Exec("UPDATE [土石系数] SET [土方1] = ?", {c.coef1});
    }
    EXPECT_EQ(f.Run().outcome, c.outcome);
    EXPECT_EQ(f.io.Texts().join(u'|'), QString::fromUtf8(c.messages));
    EXPECT_EQ(f.Count("土石计算"), c.outcome == Outcome::Done ? c.sections - 1 : 0);
    if (c.outcome != Outcome::Done) {
        EXPECT_DOUBLE_EQ(f.Value("SELECT TOTAL([填方面积1]) FROM [逐桩断面]"), 0);
    }
}

constexpr Outcome kDone = Outcome::Done, kStop = Outcome::Stopped;
INSTANTIATE_TEST_SUITE_P(
    Cases, PreprocessChecks,
    testing::Values(CheckCase{0, true, true, true, 1.23, Outcome::NoSections, ""},
                    CheckCase{2, true, true, true, 1.23, kStop, "逐桩断面数据太少！"},
                    CheckCase{3, true, true, true, 1.23, kDone, ""},
                    CheckCase{3, false, true, true, 1.23, kDone,
                              "没有路槽数据，将不能扣除路槽土方！"},
                    CheckCase{3, true, false, true, 1.23, kStop, "没有土石含量数据！"},
                    CheckCase{3, false, false, true, 1.23, kStop,
                              "没有路槽数据，将不能扣除路槽土方！|没有土石含量数据！"},
                    CheckCase{3, true, true, false, 1.23, kStop, "没有土石系数数据！"},
                    CheckCase{3, true, true, true, 0.0, kStop, "土石系数数据错误！"},
                    CheckCase{3, true, true, true, -1.0, kStop, "土石系数数据错误！"}));

TEST(Preprocess, ExistingResultsAreReplacedOnlyWhenTheUserAgrees) {
    PreprocessFixture f;
    ThreeSections(f);
    ASSERT_TRUE(f.Run().Ok());
    f.Exec("INSERT INTO [过程] ([GCID]) VALUES (1)");
    f.io.Clear();
    f.io.QueueAnswer(false);
    EXPECT_EQ(f.Run().outcome, Outcome::Declined);
    EXPECT_EQ(f.io.Questions(),
              QStringList{"重新计算，需要删除现有的计算结果、\n调配过程等数据！\n是否继续？"});
    EXPECT_EQ(f.Count("过程"), 1);
    f.io.QueueAnswer(true);
    EXPECT_TRUE(f.Run().Ok());
    EXPECT_EQ(f.Count("过程"), 0);
    EXPECT_EQ(f.Count("土石计算"), 2);
    EXPECT_EQ(f.Count("土石计算中间表"), 2);
}

TEST(Preprocess, StopForMissingContentsRollsEverythingBack) {
    PreprocessFixture f;
    ThreeSections(f);
    ASSERT_TRUE(f.Run().Ok());
    const auto before = f.Rows();
    // A section beyond the last contents row, and a bridge whose ends would be inserted.
    f.Section(60, 4, 0, -1);
    f.Structure(45, 55);
    const auto sectionsBefore = f.Rows("逐桩断面");
    f.io.Clear();
    const auto result = f.Run();
    EXPECT_EQ(result.outcome, Outcome::RolledBack);
    EXPECT_EQ(f.io.Texts(), QStringList({kNoTrough, "土石含量数据不全！"}));
    // The earlier results, the intermediate copy and the cross-sections are as they were.
    EXPECT_EQ(f.Rows(), before);
    EXPECT_EQ(f.Count("土石计算中间表"), 2);
    EXPECT_EQ(f.Rows("逐桩断面"), sectionsBefore); // no bridge sections, no adjusted areas
}

// A cancelled progress rolls back without a message of its own.
TEST(Preprocess, ARepeatedStationAnInfiniteResultOrACancelRollsBack) {
    struct Case {
        double station2, cut2;
        const char* message;
        int cancelAfter;
    };
    const Case cases[] = {
        {20, 20, "断面桩号K0+020.000重复，不能形成计算段落！", -1},
        {30, 1e308, "K0+020.000～K0+030.000段的计算结果不是有限数值，请检查断面数据！", -1},
        {60, 4, "", 1},
    };
    for (const Case& c : cases) {
        PreprocessFixture f;
        ThreeSections(f);
        f.Section(c.station2, c.cut2, 0, -1);
        f.Contents(60, kClassII);
        f.io.CancelAfter(c.cancelAfter);
        EXPECT_EQ(f.Run().outcome, Outcome::RolledBack) << c.message;
        QStringList want{kNoTrough};
        if (*c.message != 0) {
            want << QString::fromUtf8(c.message);
        }
        EXPECT_EQ(f.io.Texts(), want);
        EXPECT_EQ(f.Count("土石计算"), 0);
        EXPECT_EQ(f.Count("土石计算中间表"), 0);
    }
}

TEST(Preprocess, BridgeEndsGetInterpolatedSectionsAndNoEarthwork) {
    PreprocessFixture f;
    f.Section(0, 10, 0, -1);
    f.Section(20, 10, 0, -1);
    f.Section(60, 30, 0, -3);
    f.Section(80, 30, 0, -3);
    f.Contents(80, kClassII);
    f.Structure(30, 50);
    const auto result = f.Run();
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.nInsertedSections, 2);
    const auto sections = f.Rows("逐桩断面");
    ASSERT_EQ(sections.size(), 6u);
    // At 30 m, a quarter of the way from 20 to 60: 10 + 20/4 = 15 m², height −1.5 m.
    EXPECT_DOUBLE_EQ(sections[2]["sta"], 30);
    EXPECT_DOUBLE_EQ(sections[2]["挖方面积"], 15);
    EXPECT_DOUBLE_EQ(sections[2]["中桩填挖"], -1.5);
    EXPECT_DOUBLE_EQ(sections[3]["sta"], 50);
    EXPECT_DOUBLE_EQ(sections[3]["挖方面积"], 25);
    EXPECT_EQ(f.db.QueryValue("SELECT [桩号] FROM [逐桩断面] WHERE [sta] = 30")->toString(),
              "K0+030.000");
    ExpectColumns(f.Rows(), {"起始桩号", "终止桩号", "挖方平均面积", "挖方总量"},
                  {{0, 20, 10, 200},
                   {20, 30, 12.5, 125},
                   {30, 50, 0, 0},
                   {50, 60, 27.5, 275},
                   {60, 80, 30, 600}});
}

TEST(Preprocess, PrismoidalRuleGivesAPyramidAThirdOfItsBase) {
    PreprocessFixture f;
    f.Section(0, 9, 0, -1);
    f.Section(10, 0, 0, -1);
    f.Section(20, 4, 0, -1);
    f.Contents(20, kClassII);
    ASSERT_TRUE(f.Run(YPreprocessOptions::Prismoidal | 7).Ok());
    ExpectColumns(f.Rows(), {"挖方平均面积", "挖方总量"}, {{3, 30}, {4.0 / 3, 40.0 / 3}});
}

struct TroughRunCase {
    const char* name;
    double cut, fill, h;
    quint32 bits;
    double wantCut1, wantFill1;
};
// Names the case in test output.
void PrintTo(const TroughRunCase& c, std::ostream* os) {
    *os << c.name;
}

// The deduction itself is checked on its own; here that every section gets it and that the
// option bits reach it.
class PreprocessTrough : public testing::TestWithParam<TroughRunCase> {};

TEST_P(PreprocessTrough, DeductsAtEverySection) {
    const TroughRunCase& c = GetParam();
    PreprocessFixture f;
    for (double s : {0.0, 10.0, 20.0}) {
        f.Section(s, c.cut, c.fill, c.h);
    }
    f.Contents(20, kClassII);
    f.Trough(500, 0.5, 8); // 4 m² of trough, 0.5 m deep, for every section before 500 m
    ASSERT_TRUE(f.Run(YPreprocessOptions::DefaultWord | c.bits).Ok()) << c.name;
    for (const auto& s : f.Rows("逐桩断面")) {
        EXPECT_DOUBLE_EQ(s.at("挖方面积1"), c.wantCut1) << c.name;
        EXPECT_DOUBLE_EQ(s.at("填方面积1"), c.wantFill1) << c.name;
    }
    EXPECT_DOUBLE_EQ(f.Rows()[0]["填方平均面积"], c.wantFill1) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PreprocessTrough,
                         testing::Values(TroughRunCase{"fill", 0, 10, 1, 0, 0, 6},
                                         TroughRunCase{"shortfall to cut", 2, 3, 1,
                                                       YPreprocessOptions::TroughToCut, 3, 0},
                                         TroughRunCase{"shallow fill is cut by depth", 0, 3, 0.3,
                                                       YPreprocessOptions::TroughByDepth, 4, 3}),
                         [](const testing::TestParamInfo<TroughRunCase>& info) {
                             return std::to_string(info.index);
                         });

TEST(Preprocess, CurrentSegmentOnlyAndEarlierSegmentsKept) {
    PreprocessFixture f;
    for (double s : {0.0, 20.0, 40.0, 60.0, 80.0}) {
        f.Section(s, 10, 0, -1);
    }
    f.Contents(80, kClassII);
    f.Segment(1, 40);
    f.Segment(2, 80);
    f.db.SetCurrentSegment(1);
    ASSERT_TRUE(f.Run().Ok());
    f.db.SetCurrentSegment(2);
    const auto result = f.Run();
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.nSegments, 2);
    EXPECT_TRUE(f.io.Questions().isEmpty()); // segment 2 had no results of its own
    ExpectColumns(f.Rows(), {"分段编号", "起始桩号", "终止桩号"},
                  {{1, 0, 20}, {1, 20, 40}, {2, 40, 60}, {2, 60, 80}});
    EXPECT_EQ(f.Count("土石计算中间表"), 4);
}

TEST(Preprocess, StructuresBehindTheStartAreAllPassed) {
    // Two bridges in segment 1, one in segment 2. Computing segment 2 alone must still find
    // its bridge at once, not one structure per segment later.
    PreprocessFixture f;
    for (double s : {0.0, 50.0, 100.0, 120.0, 140.0, 160.0}) {
        f.Section(s, 10, 0, -1);
    }
    f.Contents(160, kClassII);
    f.Structure(10, 20);
    f.Structure(30, 40);
    f.Structure(110, 130);
    f.Segment(1, 100);
    f.Segment(2, 160);
    f.db.SetCurrentSegment(2);
    ASSERT_TRUE(f.Run().Ok());
    std::vector<std::pair<double, double>> zero;
    for (auto r : f.Rows()) {
        if (r["挖方平均面积"] == 0) {
            zero.emplace_back(r["起始桩号"], r["终止桩号"]);
        }
    }
    const std::vector<std::pair<double, double>> want = {{110, 120}, {120, 130}};
    EXPECT_EQ(zero, want);
}

TEST(Preprocess, EveryLayoutVersionReusesLocallyInItsOwnWay) {
    for (int v = 1; v <= 6; ++v) {
        PreprocessFixture f(v);
        ThreeSections(f);
        ASSERT_TRUE(f.Run().Ok()) << v << " " << f.io.Texts().join("|").toStdString();
        auto r = f.Rows()[1];
        const size_t columns = v < 2 ? 30 : (v == 2 ? 98 : 136);
        EXPECT_EQ(r.size(), columns + (v >= 5 ? 1 : 0)) << v;
        EXPECT_NEAR(r["本桩利用土"], 60, kTol) << v;
        EXPECT_NEAR(r["利用后填方总量"], 0, kTol) << v;
        EXPECT_NEAR(r["挖余土"], 130.4, kTol) << v;
        EXPECT_NEAR(r["挖余土(压实)"], 200 / 1.16 - 60, kTol) << v;
        if (v >= 2) {
            EXPECT_NEAR(r["余2"], 130.4, kTol) << v;
        }
        if (v >= 3) {
            EXPECT_NEAR(r["可用余2"], 130.4, kTol) << v;
        }
    }
}

TEST(Preprocess, VersionThreeReusesOnlyTheUsableShare) {
    for (int v : {2, 3}) {
        PreprocessFixture f(v);
        f.Section(0, 10, 10, 1);
        f.Section(20, 10, 10, 1);
        f.Section(40, 10, 10, 1);
        f.Contents(40, kClassII, 25); // a quarter usable; 200 m³ cut and fill per segment
        ASSERT_TRUE(f.Run().Ok());
        auto r = f.Rows()[0];
        // Version 3: 50 m³ usable → 50/1.16 compacted into the fill. Version 2 knows no
        // usability: all 200/1.16 compacted go in.
        const double used = v >= 3 ? 50 / 1.16 : 200 / 1.16;
        EXPECT_NEAR(r["本桩利用土"], used, kTol) << v;
        EXPECT_NEAR(r["利用后填方总量"], 200 - used, kTol) << v;
    }
}

TEST(Preprocess, TotalsMatchTheDirectFormulaOnALongRandomRoad) {
    PreprocessFixture f;
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> area(0, 80);
    std::uniform_real_distribution<double> step(5, 25);
    std::vector<std::array<double, 3>> sections;
    double s = 0;
    YTransaction tr(f.db);
    for (int i = 0; i < 300; ++i) {
        sections.push_back({s, area(rng), area(rng)});
        f.Section(s, sections.back()[1], sections.back()[2], -1);
        s = std::round((s + step(rng)) * 1000) / 1000; // stations are read back to the mm
    }
    f.Contents(s, {10, 20, 30, 15, 15, 10}, 80);
    ASSERT_TRUE(tr.Commit());
    // No local reuse; loss rates of 10 % (soil) and 5 % (rock) scale the class quantities.
    ASSERT_TRUE(f.Run(YPreprocessOptions::AverageArea, 10, 5).Ok());
    double cut = 0;
    double fill = 0;
    for (size_t i = 1; i < sections.size(); ++i) {
        const double d = sections[i][0] - sections[i - 1][0];
        cut += (sections[i][1] + sections[i - 1][1]) / 2 * d;
        fill += (sections[i][2] + sections[i - 1][2]) / 2 * d;
    }
    EXPECT_NEAR(f.Value("SELECT SUM([挖方总量]) FROM [土石计算]"), cut, 1e-6);
    EXPECT_NEAR(f.Value("SELECT SUM([填方总量]) FROM [土石计算]"), fill, 1e-6);
    EXPECT_NEAR(f.Value("SELECT SUM([4数量]) FROM [土石计算]"), cut * 0.15 * 0.95, 1e-6);
    EXPECT_NEAR(f.Value("SELECT SUM([可用余1]) FROM [土石计算]"), cut * 0.10 * 0.8 * 0.9, 1e-6);
    EXPECT_EQ(f.Value("SELECT COUNT(*) FROM [土石计算] WHERE ABS([土方损耗率] - 0.1) > 1e-12 "
                      "OR ABS([石方损耗率] - 0.05) > 1e-12"),
              0.0);
    EXPECT_NEAR(f.Value("SELECT SUM([利用后填方总量]) FROM [土石计算]"), fill, 1e-6);
}

} // namespace
