#include "GuiTestSupport.h"

#include "core/allocation/YDPRule.h"
#include "gui/panes/YDPCtrlBar.h"
#include "gui/widgets/YPropertyGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
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
    void Type(int id, const QString& text) {
        auto* edit = qobject_cast<QLineEdit*>(grid.Editor(id));
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        emit edit->editingFinished();
    }
    // Enabled states of 8, 101, 102, 103, 104 … 109 as a string of 0/1.
    std::string Enabled() const {
        std::string s;
        for (int id : {8, 101, 102, 103, 104, 105, 106, 107, 108, 109}) {
            s += grid.IsItemEnabled(id) ? '1' : '0';
        }
        return s;
    }
};

// The pane starts from the allocation defaults, every parameter disabled until a rule needs it.
TEST_F(SettingsPane, ItemsStartWithTheDefaults) {
    auto* combo = qobject_cast<QComboBox*>(grid.Editor(1));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->currentText(), QStringLiteral("优先使用土方"));
    const double defaults[] = {50, 50, 10, 20, 20, 60, 0, 0, 0};
    for (int i = 0; i < 9; ++i) {
        EXPECT_DOUBLE_EQ(grid.Value(101 + i).toDouble(), defaults[i]) << 101 + i;
    }
    EXPECT_EQ(Enabled(), "0000000000");
}

TEST_F(SettingsPane, PrincipleSetsItsBitKeepsTheFlagsAndDrivesTheEnableRules) {
    Tick(6, true);
    Tick(7, true);
    EXPECT_EQ(g_nDPRule, 1 | 4 | 16);
    EXPECT_EQ(Enabled(), "0001000000"); // thickness: 每米最大填方量
    const struct {
        int index;
        int bit;
        const char* enabled;
    } rows[] = {
        {0, 1, "0001000000"},  {1, 2, "0001000000"},  {2, 8, "0111000000"},
        {3, 32, "0111000000"}, {4, 64, "1001111111"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        Choose(row.index);
        EXPECT_EQ(g_nDPRule, row.bit | 4 | 16);
        EXPECT_EQ(Enabled(), row.enabled);
    }
    // With 就地取弃, using the fill's contents disables the six contents again.
    Tick(8, true);
    EXPECT_EQ(g_nDPRule, 64 | 4 | 16 | 128);
    EXPECT_EQ(Enabled(), "1001000000");
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
    // Any number is accepted; text that is no number is not.
    Choose(4);
    Type(104, QStringLiteral("-5"));
    EXPECT_DOUBLE_EQ(g_dContent[0], -5.0);
    Type(105, QStringLiteral("viel"));
    EXPECT_DOUBLE_EQ(g_dContent[1], 20.0);
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
