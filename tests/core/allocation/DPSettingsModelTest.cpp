#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPSettingsModel.h"

#include <gtest/gtest.h>
#include <vector>

#include "support/TestSupport.h"

namespace {

using M = YDPSettingsModel;

class DPSettingsModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        ResetDPSettings();
    }
    void TearDown() override { ResetDPSettings(); }
    M model;
};

TEST_F(DPSettingsModelTest, Defaults) {
    EXPECT_EQ(g_nDPRule, 1);
    EXPECT_EQ(model.Value(M::ID_PRINCIPLE).toInt(), 0);
    EXPECT_FALSE(model.Value(M::ID_THICKNESS).toBool());
    EXPECT_DOUBLE_EQ(model.Value(M::ID_SOIL_RATIO).toDouble(), 50.0);
    EXPECT_DOUBLE_EQ(model.Value(M::ID_ROCK_RATIO).toDouble(), 50.0);
    EXPECT_DOUBLE_EQ(model.Value(M::ID_FILL_PER_METRE).toDouble(), 10.0);
    const double contents[6] = {20, 20, 60, 0, 0, 0};
    for (int k = 0; k < 6; ++k) {
        EXPECT_DOUBLE_EQ(model.Value(M::ID_CONTENT_FIRST + k).toDouble(), contents[k]);
    }

    EXPECT_FALSE(model.Value(5).isValid());
}

// Shown index comes from the word masked with 107; anything that is not exactly one
// 首要原则 bit shows entry 0.
TEST_F(DPSettingsModelTest, ShownPrincipleFromRuleWord) {
    struct Row {
        int rule;
        int index;
    };
    const Row rows[] = {{1, 0},          {2, 1},           {8, 2},        {32, 3}, {64, 4},
                        {1 | 4 | 16, 0}, {8 | 128 | 4, 2}, {64 | 128, 4}, {0, 0},  {3, 0},
                        {4, 0},          {8 | 32, 0},      {16 | 2, 1}};
    for (const Row& row : rows) {
        EXPECT_EQ(M::PrincipleIndexOf(row.rule), row.index) << "rule " << row.rule;
    }
}

// Choosing an entry sets its bit, clears the four other principle bits, keeps 4, 16, 128.
TEST_F(DPSettingsModelTest, ChoosingPrincipleKeepsFlags) {
    const int principleBits[5] = {1, 2, 8, 32, 64};
    for (int from = 0; from < 5; ++from) {
        for (int to = 0; to < 5; ++to) {
            g_nDPRule = principleBits[from] | 4 | 16 | 128 | 256;
            ASSERT_TRUE(model.SetValue(M::ID_PRINCIPLE, to));
            EXPECT_EQ(g_nDPRule, principleBits[to] | 4 | 16 | 128 | 256);
            EXPECT_EQ(model.Value(M::ID_PRINCIPLE).toInt(), to);
        }
    }
    EXPECT_FALSE(model.SetValue(M::ID_PRINCIPLE, 5));
    EXPECT_FALSE(model.SetValue(M::ID_PRINCIPLE, -1));
    EXPECT_EQ(M::ApplyPrinciple(1 | 16, 7), 1 | 16);
}

TEST_F(DPSettingsModelTest, FlagsSetAndClearOwnBitOnly) {
    const struct {
        int id;
        int bit;
    } flags[] = {{M::ID_THICKNESS, 4}, {M::ID_UNUSABLE, 16}, {M::ID_FILL_CONTENTS, 128}};
    for (const auto& flag : flags) {
        g_nDPRule = 8;
        ASSERT_TRUE(model.SetValue(flag.id, true));
        EXPECT_EQ(g_nDPRule, 8 | flag.bit);
        EXPECT_TRUE(model.Value(flag.id).toBool());
        ASSERT_TRUE(model.SetValue(flag.id, false));
        EXPECT_EQ(g_nDPRule, 8);
    }
}

TEST_F(DPSettingsModelTest, NumbersAreStoredUnvalidated) {
    ASSERT_TRUE(model.SetValue(M::ID_SOIL_RATIO, -30.5));
    EXPECT_DOUBLE_EQ(g_dSoilRatio, -30.5);
    ASSERT_TRUE(model.SetValue(M::ID_FILL_PER_METRE, 0.0));
    EXPECT_DOUBLE_EQ(g_dFillPerMetre, 0.0);
    ASSERT_TRUE(model.SetValue(M::ID_CONTENT_FIRST + 4, 12.5));
    EXPECT_DOUBLE_EQ(g_dContent[4], 12.5);
    EXPECT_DOUBLE_EQ(g_dContent[3], 0.0);
    EXPECT_FALSE(model.SetValue(M::ID_ROCK_RATIO, QStringLiteral("abc")));
    EXPECT_DOUBLE_EQ(g_dRockRatio, 50.0);
    EXPECT_FALSE(model.SetValue(110, 1.0));
    EXPECT_FALSE(model.SetValue(0, 1));
}

TEST_F(DPSettingsModelTest, EnableRules) {
    struct Row {
        const char* name;
        int rule;
        bool fillContents, ratios, thickness, contents;
    };
    const Row rows[] = {
        {"soil first", 1, false, false, false, false},
        {"together + thickness", 2 | 4, false, false, true, false},
        {"cut ratio", 8, false, true, false, false},
        {"fill ratio", 32 | 16, false, true, false, false},
        {"local", 64, true, false, false, true},
        {"local with fill contents", 64 | 128, true, false, false, false},
        {"fill contents flag without local", 1 | 128, false, false, false, false},
    };
    for (const Row& row : rows) {
        g_nDPRule = row.rule;
        EXPECT_EQ(model.IsEnabled(M::ID_FILL_CONTENTS), row.fillContents) << row.name;
        EXPECT_EQ(model.IsEnabled(M::ID_SOIL_RATIO), row.ratios) << row.name;
        EXPECT_EQ(model.IsEnabled(M::ID_ROCK_RATIO), row.ratios) << row.name;
        EXPECT_EQ(model.IsEnabled(M::ID_FILL_PER_METRE), row.thickness) << row.name;
        for (int id = M::ID_CONTENT_FIRST; id <= M::ID_CONTENT_LAST; ++id) {
            EXPECT_EQ(model.IsEnabled(id), row.contents) << row.name << " id " << id;
        }
        EXPECT_TRUE(model.IsEnabled(M::ID_PRINCIPLE));
        EXPECT_TRUE(model.IsEnabled(M::ID_THICKNESS));
        EXPECT_TRUE(model.IsEnabled(M::ID_UNUSABLE));
    }
    EXPECT_FALSE(model.IsEnabled(42));
}

// The pane's edge cases, walked through the model as the grid would.
TEST_F(DPSettingsModelTest, PaneScenario) {
    std::vector<int> values; // ids in the order they were reported
    int enables = 0;
    QObject::connect(&model, &M::ValueChanged, [&](int id) { values.push_back(id); });
    QObject::connect(&model, &M::EnableChanged, [&] { ++enables; });

    ASSERT_TRUE(model.SetValue(M::ID_PRINCIPLE, 4)); // 就地取弃
    EXPECT_TRUE(model.IsEnabled(M::ID_FILL_CONTENTS));
    EXPECT_TRUE(model.IsEnabled(M::ID_CONTENT_FIRST));
    ASSERT_TRUE(model.SetValue(M::ID_FILL_CONTENTS, true));
    EXPECT_FALSE(model.IsEnabled(M::ID_CONTENT_FIRST));
    EXPECT_EQ(static_cast<int>(values.size()), 2);
    EXPECT_EQ(enables, 2);
    EXPECT_EQ(values.at(1), M::ID_FILL_CONTENTS);

    // A number change tells its value but leaves the enable states alone.
    ASSERT_TRUE(model.SetValue(M::ID_SOIL_RATIO, 70.0));
    EXPECT_EQ(static_cast<int>(values.size()), 3);
    EXPECT_EQ(enables, 2);

    ASSERT_TRUE(model.SetValue(M::ID_PRINCIPLE, 2)); // 单过程土石比例控制
    EXPECT_TRUE(model.IsEnabled(M::ID_SOIL_RATIO));
    ASSERT_TRUE(model.SetValue(M::ID_THICKNESS, true));
    ASSERT_TRUE(model.SetValue(M::ID_UNUSABLE, true));
    ASSERT_TRUE(model.SetValue(M::ID_PRINCIPLE, 0)); // 优先使用土方
    EXPECT_FALSE(model.IsEnabled(M::ID_SOIL_RATIO));
    EXPECT_DOUBLE_EQ(model.Value(M::ID_SOIL_RATIO).toDouble(), 70.0); // value kept
    EXPECT_EQ(g_nDPRule, 1 | 4 | 16 | 128);
    EXPECT_TRUE(model.Value(M::ID_THICKNESS).toBool());
    EXPECT_TRUE(model.Value(M::ID_UNUSABLE).toBool());

    // A failed write tells nobody.
    const int before = static_cast<int>(values.size());
    EXPECT_FALSE(model.SetValue(M::ID_PRINCIPLE, 9));
    EXPECT_EQ(static_cast<int>(values.size()), before);

    model.Refresh();
    EXPECT_EQ(static_cast<int>(values.size()), before + static_cast<int>(M::Items().size()));
}

} // namespace
