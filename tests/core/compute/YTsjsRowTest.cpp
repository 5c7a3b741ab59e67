#include "core/compute/YTsjsRow.h"
#include "core/db/YSchema.h"

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

// The preprocessing writes its rows by these columns: they must be the file's, name for name
// and in order, at every layout.
TEST(TsjsRow, ColumnsAreTheFilesAtEveryLayout) {
    for (int v = 1; v <= 6; ++v) {
        QStringList file;
        for (const YColumnDef& c : YSchema::Columns(QStringLiteral("土石计算"), v)) {
            if (c.name != QStringLiteral("分段编号")) {
                file << c.name;
            }
        }
        EXPECT_EQ(Names(v), file) << "layout " << v;
    }
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
