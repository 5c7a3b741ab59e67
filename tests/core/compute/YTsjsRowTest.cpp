#include "core/compute/YTsjsRow.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList Names(int version) {
    QStringList names;
    for (int c : YTsjsRow::Columns(version)) {
        names.append(YTsjsRow::ColumnName(c));
    }
    return names;
}

TEST(TsjsRow, ColumnCountsPerLayoutVersion) {
    EXPECT_EQ(YTsjsRow::Columns(1).size(), 30u);
    EXPECT_EQ(YTsjsRow::Columns(2).size(), 98u);
    EXPECT_EQ(YTsjsRow::Columns(3).size(), 136u);
    EXPECT_EQ(YTsjsRow::Columns(6).size(), 136u);
    EXPECT_EQ(Names(6).removeDuplicates(), 0);
}

TEST(TsjsRow, OldestLayoutIsTheThirtyColumnsInOrder) {
    const QStringList expected = {
        "起始桩号", "终止桩号", "挖方平均面积", "填方平均面积", "距离",         "挖方总量",
        "1含量",    "2含量",    "3含量",        "4含量",        "5含量",        "6含量",
        "1数量",    "2数量",    "3数量",        "4数量",        "5数量",        "6数量",
        "填方总量", "填土量",   "填石量",       "本桩利用土",   "本桩利用石",   "利用后填方总量",
        "填缺土",   "填缺石",   "挖余土",       "挖余石",       "挖余土(压实)", "挖余石(压实)"};
    EXPECT_EQ(Names(1), expected);
}

TEST(TsjsRow, VersionTwoHasClassColumnsButNoUsableSplit) {
    const QStringList v2 = Names(2);
    EXPECT_TRUE(v2.contains("1系数"));
    EXPECT_TRUE(v2.contains("余6(压实)"));
    EXPECT_TRUE(v2.contains("土方损耗率"));
    EXPECT_FALSE(v2.contains("可用余1"));
    EXPECT_FALSE(v2.contains("1可用比例"));
    // The newest layout appends the usable split after the loss rates.
    const QStringList v3 = Names(3);
    EXPECT_EQ(v3.mid(0, 98), v2);
    EXPECT_EQ(v3.at(98), "可用挖余土");
    EXPECT_EQ(v3.last(), "6可用比例");
    EXPECT_EQ(YTsjsRow::ColumnName(YTsjsRow::Qty + 2), "3数量");
    EXPECT_EQ(YTsjsRow::ColumnName(YTsjsRow::UnusableC + 5), "不可用余6(压实)");
}

TEST(TsjsRow, SqlListQuotesEveryColumn) {
    const QString sql = YTsjsRow::SqlColumnList(1);
    EXPECT_TRUE(sql.startsWith("[起始桩号],[终止桩号],"));
    EXPECT_TRUE(sql.endsWith("[挖余石(压实)]"));
    EXPECT_EQ(sql.count(','), 29);
}

} // namespace
