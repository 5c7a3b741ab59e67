#include "GuiTestSupport.h"

#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPSettingsModel.h"
#include "gui/panes/YDPCtrlBar.h"
#include "gui/widgets/YPropertyGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

struct SettingsPane : ::testing::Test {
    void SetUp() override { ResetDPSettings(); }
    void TearDown() override { ResetDPSettings(); }

    YDPCtrlBar bar;
    YPropertyGrid& grid = bar.Grid();

    void Choose(int index) {
        auto* combo = qobject_cast<QComboBox*>(grid.Editor(1));
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void Tick(int id, bool on) {
        auto* box = qobject_cast<QCheckBox*>(grid.Editor(id));
        ASSERT_NE(box, nullptr);
        box->setChecked(on);
    }
    void Type(int id, const QString& text) { TypeInGrid(grid, id, text); }
    // The grid shows the headless model's values and enable states (its rules are checked on
    // their own): whatever the grid changed, it redrew from the model.
    void ExpectGridShowsTheModel() const {
        const YDPSettingsModel& model = bar.Model();
        for (const YDPSettingsModel::Item& item : YDPSettingsModel::Items()) {
            EXPECT_EQ(grid.IsItemEnabled(item.nId), model.IsEnabled(item.nId)) << item.nId;
            if (item.type == YDPSettingsModel::ItemType::Double) {
                EXPECT_DOUBLE_EQ(grid.Value(item.nId).toDouble(), model.Value(item.nId).toDouble())
                    << item.nId;
            }
        }
    }
};

TEST_F(SettingsPane, ItemsStartWithTheDefaults) {
    auto* combo = qobject_cast<QComboBox*>(grid.Editor(1));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->currentText(), QStringLiteral("优先使用土方"));
    ExpectGridShowsTheModel();
}

TEST_F(SettingsPane, PrincipleSetsItsBitKeepsTheFlagsAndTheGridFollows) {
    Tick(6, true);
    Tick(7, true);
    EXPECT_EQ(g_nDPRule, 1 | 4 | 16);
    ExpectGridShowsTheModel();
    Choose(4);
    EXPECT_EQ(g_nDPRule, 64 | 4 | 16);
    ExpectGridShowsTheModel();
    Tick(8, true);
    EXPECT_EQ(g_nDPRule, 64 | 4 | 16 | 128);
    ExpectGridShowsTheModel();
}

TEST_F(SettingsPane, NumbersAreWrittenAtOnceAndKeptWhileDisabled) {
    Choose(2);
    Type(101, QStringLiteral("70"));
    Type(102, QStringLiteral("30"));
    EXPECT_DOUBLE_EQ(g_dSoilRatio, 70.0);
    EXPECT_DOUBLE_EQ(g_dRockRatio, 30.0);
    Choose(0);
    EXPECT_FALSE(grid.IsItemEnabled(101));
    EXPECT_DOUBLE_EQ(grid.Value(101).toDouble(), 70.0);
    EXPECT_DOUBLE_EQ(g_dSoilRatio, 70.0);
}

TEST_F(SettingsPane, PaneFollowsNoDocumentByHiding) {
    bar.show();
    bar.SetToggleEnabled(true);
    bar.Activate(nullptr);
    Settle();
    EXPECT_FALSE(bar.isVisible());
    EXPECT_FALSE(bar.IsToggleEnabled());
    EXPECT_EQ(bar.ActiveDocument(), nullptr);
}

} // namespace
