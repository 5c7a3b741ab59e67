#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStrategyRegistry.h"
#include "core/document/CDalvexDoc.h"
#include "support/YRecordingUserIO.h"

#include <QStringEncoder>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The strategies' rule names in the order of the strategy table.
const QStringList kTableOrder = QStringLiteral("借方比例|借方填方比例|借方填方比例厚度|"
                                               "借方土方优先|借方土方优先厚度|借方土石齐用|"
                                               "借方土石齐用厚度|借方挖方比例厚度|"
                                               "就地弃除不可利用方|就地弃方|就地取土|"
                                               "跨项目填方比例|跨项目填方比例厚度|跨项目土方优先|"
                                               "跨项目土方优先厚度|跨项目土石齐用|"
                                               "跨项目土石齐用厚度|跨项目挖方比例|"
                                               "跨项目挖方比例厚度|弃除不可利用方|弃方|"
                                               "远运利用填方比例|远运利用填方比例厚度|"
                                               "远运利用土方优先|远运利用土方优先厚度|"
                                               "远运利用土石齐用|远运利用土石齐用厚度|"
                                               "远运利用挖方比例|远运利用挖方比例厚度")
                                    .split(u'|');

TEST(DPRegistry, TwentyNineInGbkOrder) {
    const auto& records = YDPStrategyRegistry::Records();
    ASSERT_EQ(records.size(), 29u);
    QStringEncoder gbk("GBK");
    ASSERT_TRUE(gbk.isValid());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i]->name, kTableOrder[qsizetype(i)]) << i;
        EXPECT_EQ(records[i]->schema, 1u);
        EXPECT_EQ(records[i]->base, &YDPCalTool::BaseRecord());
        if (i > 0) {
            const QByteArray prev = gbk(records[i - 1]->name);
            const QByteArray cur = gbk(records[i]->name);
            EXPECT_LT(prev, cur) << "GBK order at " << i;
        }
        // Every record creates an instance that names itself by its record.
        std::unique_ptr<YObject> obj = records[i]->CreateObject();
        auto* tool = dynamic_cast<YDPCalTool*>(obj.get());
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->GetClassInfo(), records[i]);
    }
    // Registering again adds nothing.
    YDPStrategyRegistry::RegisterAll();
    EXPECT_EQ(YDPStrategyRegistry::Records().size(), 29u);
    EXPECT_EQ(YDPCalTool::BaseRecord().name, QStringLiteral("调配计算工具"));
    EXPECT_FALSE(YDPCalTool::BaseRecord().create);
}

// Which strategy the registry picks for a rule word and a selection shape.
class DPAcceptTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetDPSettings(); }
    void TearDown() override { ResetDPSettings(); }

    QString Pick(int rule, const YDPSelection& sel) {
        g_nDPRule = rule;
        std::unique_ptr<YDPCalTool> s = YDPStrategyRegistry::FindStrategy(sel);
        return s ? s->RuleName() : QStringLiteral("-");
    }

    YRecordingUserIO io;
    CDalvexDoc a{io};
    CDalvexDoc b{io};
};

TEST_F(DPAcceptTest, Table) {
    const YDPSelection haul = YDPSelection::Haul(&a, 0, 2, 3, 5);
    const YDPSelection borrow = YDPSelection::Borrow(&a, 0, 3, 5);
    const YDPSelection waste = YDPSelection::Waste(&a, 0, 2, 1);
    const YDPSelection cross = YDPSelection::Cross(&a, 0, 2, 0, &b, 1, 4, 0);
    const YDPSelection localCut = YDPSelection::LocalCut(&a, 0, 2);
    const YDPSelection localFill = YDPSelection::LocalFill(&a, 3, 5);
    struct Row {
        int rule;
        const YDPSelection* sel;
        const char* expect;
    };
    const Row rows[] = {
        {1, &haul, "远运利用土方优先"},
        {1 | 16 | 128, &haul, "远运利用土方优先"}, // flags 16 and 128 never hide a haul
        {5, &haul, "远运利用土方优先厚度"},
        {2, &haul, "远运利用土石齐用"},
        {6, &haul, "远运利用土石齐用厚度"},
        {8, &haul, "远运利用挖方比例"},
        {12, &haul, "远运利用挖方比例厚度"},
        {32, &haul, "远运利用填方比例"},
        {36 | 16, &haul, "远运利用填方比例厚度"},
        {1, &borrow, "借方土方优先"},
        {5 | 128, &borrow, "借方土方优先厚度"},
        {2, &borrow, "借方土石齐用"},
        {6, &borrow, "借方土石齐用厚度"},
        {8, &borrow, "借方比例"},
        {12, &borrow, "借方挖方比例厚度"},
        {32, &borrow, "借方填方比例"},
        {36, &borrow, "借方填方比例厚度"},
        {1, &cross, "跨项目土方优先"},
        {5, &cross, "跨项目土方优先厚度"},
        {2, &cross, "跨项目土石齐用"},
        {6, &cross, "跨项目土石齐用厚度"},
        {8, &cross, "跨项目挖方比例"},
        {12, &cross, "跨项目挖方比例厚度"},
        {32, &cross, "跨项目填方比例"}, // served instead of a conflict
        {36, &cross, "跨项目填方比例厚度"},
        // Waste ignores the 首要原则 bits other than 64.
        {1, &waste, "弃方"},
        {8 | 4, &waste, "弃方"},
        {1 | 16, &waste, "弃除不可利用方"},
        {64, &waste, "就地弃方"}, // a waste pick under 就地取弃 wastes the cut run locally
        // 就地取弃: a cut run is wasted in place even when a fill run is given too.
        {64, &localCut, "就地弃方"},
        {64 | 16, &localCut, "就地弃除不可利用方"},
        {64, &haul, "就地弃方"},
        {64 | 16 | 128, &haul, "就地弃除不可利用方"},
        {64, &localFill, "就地取土"},
        {64 | 128, &localFill, "就地取土"},
        // Conflicts.
        {64, &cross, "就地弃方"},
        {1, &localCut, "-"},
        {1, &localFill, "-"},
        {3, &haul, "-"}, // two principle bits
        {0, &haul, "-"}, // none
        {4, &haul, "-"}, // thickness alone
        {64 | 4, &borrow, "就地取土"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Pick(row.rule, *row.sel), QString::fromUtf8(row.expect)) << "rule " << row.rule;
    }
}

TEST_F(DPAcceptTest, AcceptCopiesTheSelection) {
    g_nDPRule = 8;
    std::unique_ptr<YDPCalTool> s =
        YDPStrategyRegistry::FindStrategy(YDPSelection::Cross(&a, 3, 7, 2, &b, 1, 4, 5));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->m_pCutDoc, &a);
    EXPECT_EQ(s->m_nCutFirst, 3);
    EXPECT_EQ(s->m_nCutLast, 7);
    EXPECT_EQ(s->m_pFillDoc, &b);
    EXPECT_EQ(s->m_nFillFirst, 1);
    EXPECT_EQ(s->m_nFillLast, 4);
    EXPECT_EQ(s->m_nOutPort, 2);
    EXPECT_EQ(s->m_nInPort, 5);
    YDPCalTool base;
    EXPECT_TRUE(base.Accept(YDPSelection{}));
    EXPECT_FALSE(base.Compute());
    EXPECT_EQ(base.GetClassInfo(), &YDPCalTool::BaseRecord());
}

} // namespace
