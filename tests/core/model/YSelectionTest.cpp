// Selection masks: UpdateSel under the class filter, SelectRun in both modes with its backup,
// RestoreSelection, SelectInRect with the diagram hit test, and ToggleClassFilter.
#include "core/model/YSegmentModel.h"

#include <gtest/gtest.h>

namespace {

// Restores the program-wide class filter after every test.
class SelectionTest : public ::testing::Test {
  protected:
    void SetUp() override { g_nClassFilter = YClassFilter::Initial; }
    void TearDown() override { g_nClassFilter = YClassFilter::Initial; }

    // Segment i runs from 10 i to 10 (i + 1). soil/rock: remaining (and first-computed) usable
    // surplus of class 2 / class 5; fill: remaining (and first-computed) fill.
    void Add(double soil, double rock, double fill) {
        YTFItem item;
        const double start = 10.0 * double(m.m_arrTF.size());
        item.m_staStart = start;
        item.m_staEnd = start + 10.0;
        item.m_dUse[1] = item.m_dRemUse[1] = soil;
        item.m_dUse[4] = item.m_dRemUse[4] = rock;
        item.m_dFill = item.m_dRemFill = fill;
        m.m_arrTF.push_back(item);
    }
    qint32 Sel(int i) const { return m.m_arrTF[size_t(i)].m_nSel; }
    // The selection bits of every segment, in road order.
    std::vector<qint32> Sels() const {
        std::vector<qint32> sels;
        for (const YTFItem& item : m.m_arrTF) {
            sels.push_back(item.m_nSel);
        }
        return sels;
    }

    YSegmentModel m;
};

TEST_F(SelectionTest, UpdateSelFollowsRemainingAndFilter) {
    YTFItem item;
    item.m_nSel = 0x300; // higher bits are carried through
    item.m_dRemUse[0] = 2.0;
    item.m_dRemUnuse[5] = 1.0;
    item.m_dRemUse[3] = 1e-5; // exactly the threshold: not present
    item.m_dRemFill = 3.0;
    item.UpdateSel(true);
    EXPECT_EQ(item.m_nSel, 0x300 | 1 | 32 | 64);

    g_nClassFilter &= ~YClassFilter::RockAllowed;
    item.UpdateSel(true);
    EXPECT_EQ(item.m_nSel, 0x300 | 1 | 64);

    g_nClassFilter &= ~quint32(YClass::Bit(1) | YClass::FillBit);
    item.UpdateSel(true);
    EXPECT_EQ(item.m_nSel, 0x300);

    g_nClassFilter = YClassFilter::Initial;
    item.UpdateSel(true);
    item.UpdateSel(false);
    EXPECT_EQ(item.m_nSel, 0x300);
}

TEST_F(SelectionTest, HasRemainingThreshold) {
    YTFItem item;
    EXPECT_FALSE(item.HasRemaining());
    item.m_dRemUse[0] = 0.5e-5;
    item.m_dRemUnuse[0] = 0.3e-5;
    item.m_dRemFill = 0.3e-5;
    EXPECT_TRUE(item.HasRemaining()); // the sum counts, "at least" 1e-5
}

TEST_F(SelectionTest, CutRunExtendsBothWaysAndStopsAtEmpty) {
    Add(0, 0, 5);  // 0: fill only
    Add(20, 0, 0); // 1
    Add(10, 5, 0); // 2
    Add(30, 0, 0); // 3
    Add(0, 0, 0);  // 4: nothing
    Add(40, 0, 0); // 5
    bool changed = false;
    const auto run = m.SelectRun(QPointF(25.0, 0.5), YSelectMode::Cut, changed);
    ASSERT_TRUE(run);
    EXPECT_EQ(std::pair(run->nFirst, run->nLast), std::pair(1, 3));
    EXPECT_TRUE(changed);
    EXPECT_EQ(Sels(), (std::vector<qint32>{0, 2, 2 | 16, 2, 0, 0}));
    EXPECT_EQ(m.m_backupSel.size(), 3u);

    EXPECT_TRUE(m.RestoreSelection());
    EXPECT_EQ(Sels(), std::vector<qint32>(6, 0));
    EXPECT_TRUE(m.m_backupSel.empty());
    EXPECT_FALSE(m.RestoreSelection());
}

TEST_F(SelectionTest, ClickOnSelectedRunReportsItUnchanged) {
    Add(20, 0, 0);
    Add(20, 0, 0);
    bool changed = false;
    ASSERT_TRUE(m.SelectRun(QPointF(5.0, 1.0), YSelectMode::Cut, changed));
    m.m_backupSel.clear();
    m.m_arrTF[1].m_nSel = 0; // the run as it stands now: only segment 0
    const auto again = m.SelectRun(QPointF(5.0, 1.0), YSelectMode::Cut, changed);
    ASSERT_TRUE(again);
    EXPECT_FALSE(changed);
    EXPECT_EQ(std::pair(again->nFirst, again->nLast), std::pair(0, 0));
    EXPECT_TRUE(m.m_backupSel.empty());
    EXPECT_EQ(Sel(1), 0);
}

TEST_F(SelectionTest, ClickMustHitTheBar) {
    Add(20, 0, 10); // bar from -1 to +2 m³/m
    bool changed = false;
    EXPECT_FALSE(m.SelectRun(QPointF(5.0, 2.5), YSelectMode::Cut, changed));
    EXPECT_FALSE(m.SelectRun(QPointF(0.0, 1.0), YSelectMode::Cut, changed)); // start excluded
    EXPECT_TRUE(m.SelectRun(QPointF(10.0, 2.0), YSelectMode::Cut, changed)); // end, top included
    // On the line between two bars the click belongs to the bar it ends (found in the
    // diagram: every tenth pixel at 2 m per pixel over 20 m segments picked nothing).
    m.RestoreSelection();
    Add(0, 0, 10);
    Add(0, 0, 10);
    const auto fill = m.SelectRun(QPointF(20.0, -0.5), YSelectMode::Fill, changed);
    ASSERT_TRUE(fill);
    EXPECT_EQ(std::pair(fill->nFirst, fill->nLast), std::pair(0, 2));
    YSegmentModel empty;
    EXPECT_FALSE(empty.SelectRun(QPointF(0.0, 0.0), YSelectMode::Cut, changed));
}

TEST_F(SelectionTest, ExhaustedSegmentUnderClickIsPassedOver) {
    Add(20, 0, 0);
    m.m_arrTF[0].m_dRemUse.fill(0.0); // its bar is still drawn from the first-computed values
    Add(20, 0, 0);
    bool changed = false;
    EXPECT_FALSE(m.SelectRun(QPointF(5.0, 1.0), YSelectMode::Cut, changed));
    EXPECT_EQ(Sels(), (std::vector<qint32>{0, 0}));
}

TEST_F(SelectionTest, FillRunUsesFillBit) {
    Add(10, 0, 0);
    Add(0, 0, 10);
    Add(0, 0, 20);
    Add(5, 0, 0);
    bool changed = false;
    const auto run = m.SelectRun(QPointF(25.0, -0.5), YSelectMode::Fill, changed);
    ASSERT_TRUE(run);
    EXPECT_EQ(std::pair(run->nFirst, run->nLast), std::pair(1, 2));
    EXPECT_EQ(Sels(), (std::vector<qint32>{0, 64, 64, 0}));
    g_nClassFilter &= ~quint32(YClass::FillBit);
    YSegmentModel copy;
    copy.m_arrTF = m.m_arrTF;
    copy.m_arrTF[1].m_nSel = copy.m_arrTF[2].m_nSel = 0;
    EXPECT_FALSE(copy.SelectRun(QPointF(25.0, -0.5), YSelectMode::Fill, changed));
}

TEST_F(SelectionTest, SelectHitVerticalExtentFollowsShownKinds) {
    YTFItem item;
    item.m_staStart = 0;
    item.m_staEnd = 10;
    item.m_dUse[0] = item.m_dRemUse[0] = 30; // soil 3 m³/m
    item.m_dUse[3] = item.m_dRemUse[3] = 50; // rock 5 m³/m
    item.m_dRemFill = 20;                    // bottom -2 m³/m
    auto hit = [&](double x0, double y0, double x1, double y1) {
        return item.SelectHit(QPointF(x0, y0), QPointF(x1, y1));
    };
    EXPECT_TRUE(hit(5, 7.9, 5, 7.9)); // both kinds: top 8
    EXPECT_FALSE(hit(5, 8.1, 5, 9));
    EXPECT_TRUE(hit(5, -3, 5, -1.5));  // covers the bottom
    EXPECT_FALSE(hit(5, -3, 5, -2.5)); // below the bottom
    EXPECT_FALSE(hit(11, 0, 12, 1));   // beside it
    EXPECT_TRUE(hit(10, 0, 12, 1));    // touching the end
    g_nClassFilter &= ~YClassFilter::SoilAllowed;
    EXPECT_TRUE(hit(5, 4.9, 5, 4.9)); // rock only: top 5
    EXPECT_FALSE(hit(5, 5.1, 5, 6));
    g_nClassFilter &= ~YClassFilter::RockAllowed;
    EXPECT_FALSE(hit(5, 0, 5, 1)); // neither kind shown
    g_nClassFilter = YClassFilter::Initial;
    item.m_dRemUse.fill(0.0);
    item.m_dRemFill = 0.0;
    EXPECT_FALSE(hit(5, 0, 5, 1)); // nothing left
}

TEST_F(SelectionTest, SelectInRectClearsOthersUnlessAdding) {
    Add(20, 0, 0);
    Add(20, 0, 0);
    Add(20, 0, 0);
    m.SelectInRect(QPointF(0, 0), QPointF(15, 1), false);
    EXPECT_EQ(Sels(), (std::vector<qint32>{2, 2, 0}));
    m.SelectInRect(QPointF(25, 0), QPointF(25, 1), true);
    EXPECT_EQ(Sels(), (std::vector<qint32>{2, 2, 2}));
    m.SelectInRect(QPointF(25, 0), QPointF(25, 1), false);
    EXPECT_EQ(Sels(), (std::vector<qint32>{0, 0, 2}));
}

TEST_F(SelectionTest, ToggleSoilGroupClearsSoilBitsForGood) {
    Add(20, 10, 5);
    m.m_arrTF[0].m_nSel = 0x1000; // a higher bit is carried through
    m.m_arrTF[0].UpdateSel(true);
    ASSERT_EQ(Sel(0), 0x1000 | 2 | 16 | 64);
    m.ToggleClassFilter(YClassFilter::SoilAllowed);
    EXPECT_EQ(g_nClassFilter & YClassFilter::SoilAllowed, 0u);
    EXPECT_EQ(Sel(0), 0x1000 | 16 | 64);
    m.ToggleClassFilter(YClassFilter::SoilAllowed);
    EXPECT_EQ(g_nClassFilter, YClassFilter::Initial);
    EXPECT_EQ(Sel(0), 0x1000 | 16 | 64); // toggling back does not reselect
    m.m_arrTF[0].UpdateSel(true);
    EXPECT_EQ(Sel(0), 0x1000 | 2 | 16 | 64);
    m.ToggleClassFilter(YClass::RockMask);
    EXPECT_EQ(Sel(0), 0x1000 | 2 | 64);
    m.ToggleClassFilter(YClass::FillBit);
    EXPECT_EQ(Sel(0), 0x1000 | 2);
}

TEST_F(SelectionTest, ToggleSetsWhenOnlySomeBitsSet) {
    g_nClassFilter &= ~quint32(YClass::Bit(2));
    m.ToggleClassFilter(YClass::SoilMask); // not all set: set them
    EXPECT_EQ(g_nClassFilter & quint32(YClass::SoilMask), quint32(YClass::SoilMask));
    m.ToggleClassFilter(YClassFilter::DisplayFlag); // initially set
    EXPECT_EQ(g_nClassFilter & YClassFilter::DisplayFlag, 0u);
    m.ToggleClassFilter(YClassFilter::DisplayFlag);
    EXPECT_EQ(g_nClassFilter, YClassFilter::Initial);
}

} // namespace
