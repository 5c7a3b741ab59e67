// Older project layouts through a whole allocation: a soil-first haul, undo and redo, finish.
// Layout 2 keeps no usable/unusable split and names its statistics by pinyin initials; layout 5
// has everything but the cross-project columns. A road without unusable surplus must allocate
// and finish to the same quantities as at layout 6, in every column both layouts have.
#include "DPLedger.h"

#include "core/allocation/YDPRule.h"
#include "core/db/YDatabase.h"
#include "core/db/YTjtsjSet.h"
#include "core/process/YFinish.h"
#include "core/process/YHistory.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

#include <map>

namespace {

using namespace dalvex::test;

// Every value of a table by column name, row by row in station order.
using Table = std::vector<std::map<QString, double>>;

Table Dump(CDalvexDoc& doc, const QString& table) {
    Table rows;
    QSqlQuery q(doc.GetDatabase().Connection());
    EXPECT_TRUE(q.exec(QStringLiteral("SELECT * FROM [%1] ORDER BY rowid").arg(table)));
    while (q.next()) {
        std::map<QString, double>& row = rows.emplace_back();
        for (int i = 0; i < q.record().count(); ++i) {
            row[q.record().fieldName(i)] = q.value(i).toDouble();
        }
    }
    return rows;
}

// The statistics per stretch as the record set reads them, whatever the layout names them.
std::vector<std::vector<double>> Statistics(CDalvexDoc& doc) {
    std::vector<std::vector<double>> rows;
    YTjtsjSet& set = doc.GetTjtsjSet();
    EXPECT_TRUE(set.Requery());
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        rows.push_back({set.m_staStart.Value(), set.m_dCutTotal, set.m_dCutSoil, set.m_dCutRock,
                        set.m_dFillTotal, set.m_fillC.dSoil, set.m_fillC.dRock, set.m_haulC.dSoil,
                        set.m_haulC.dRock, set.m_haulDist.dSoil, set.m_haulDist.dRock});
    }
    return rows;
}

struct Outcome {
    DPState allocated;
    std::map<QString, Table> tables;
    std::vector<std::vector<double>> statistics;
};

const QStringList kFinishTables = {
    QStringLiteral("土石计算中间表"), QStringLiteral("调配过程表"),
    QStringLiteral("过程"),           QStringLiteral("土石计算2"),
    QStringLiteral("统计扩展"),       QStringLiteral("土方调配扩展记录")};

class DPLayoutTest : public DPSettingsTest, public ::testing::WithParamInterface<int> {
  protected:
    // One cut of 50 soil and 20 rock (compacted) closing two fills of 40 and 30: soil first
    // fills the nearer one with soil, the farther with the last 10 soil and the rock.
    Outcome Allocate(int version) {
        Outcome out;
        TestProject p(dir.Path(QStringLiteral("v%1.dvx").arg(version)), io, version);
        EXPECT_EQ(p->GetVersion(), quint32(version));
        p.AddLine(0, 20, {{.use = {0, 58, 0, 18.4, 0, 0}}, {.fill = 40}, {.fill = 30}});
        if (!p.Load()) {
            return out;
        }
        p.Select(0, 2);
        const DPState s0 = ReadState(p.Doc());
        out.allocated =
            RunConserved(p.Doc(), DPR_SOIL_FIRST, YDPSelection::Haul(&p.Doc(), 0, 0, 1, 2));
        EXPECT_NEAR(out.allocated.fill[1] + out.allocated.fill[2], 0.0, 1e-6);

        EXPECT_TRUE(YHistory::Undo(p.Doc(), 1, 1));
        ExpectSameQuantities(ReadState(p.Doc()), s0);
        EXPECT_TRUE(YHistory::Redo(p.Doc(), 1, 1));
        ExpectSameQuantities(ReadState(p.Doc()), out.allocated);

        EXPECT_TRUE(p.Load());
        EXPECT_TRUE(YFinish::Finish(p.Doc())) << io.Texts().join(u'|').toStdString();
        for (const QString& t : kFinishTables) {
            out.tables[t] = Dump(p.Doc(), t);
        }
        out.statistics = Statistics(p.Doc());
        return out;
    }

    ScratchDir dir;
    YRecordingUserIO io;
};

TEST_P(DPLayoutTest, AllocatesUndoesAndFinishesAsTheCurrentLayout) {
    const Outcome old = Allocate(GetParam());
    ASSERT_FALSE(HasFailure());
    const Outcome now = Allocate(6);
    ASSERT_FALSE(HasFailure());

    ExpectSameQuantities(old.allocated, now.allocated);
    const auto a = old.allocated.Applied();
    const auto b = now.allocated.Applied();
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].src1, b[i].src1) << "process " << i;
        EXPECT_EQ(a[i].dst1, b[i].dst1) << "process " << i;
        for (int k = 0; k < 16; ++k) {
            EXPECT_NEAR(a[i].Moved(k), b[i].Moved(k), 1e-9) << "process " << i << " value " << k;
        }
    }

    for (const QString& t : kFinishTables) {
        const Table& x = old.tables.at(t);
        const Table& y = now.tables.at(t);
        ASSERT_EQ(x.size(), y.size()) << t.toStdString();
        EXPECT_FALSE(x.empty()) << t.toStdString();
        for (size_t r = 0; r < x.size(); ++r) {
            for (const auto& [column, value] : x[r]) {
                const auto other = y[r].find(column);
                if (other == y[r].end() || column == QStringLiteral("分段编号")) {
                    continue; // a column of the older layout only
                }
                EXPECT_NEAR(value, other->second, 1e-6)
                    << t.toStdString() << " row " << r << " [" << column.toStdString() << "]";
            }
        }
    }
    ASSERT_EQ(old.statistics.size(), now.statistics.size());
    for (size_t r = 0; r < old.statistics.size(); ++r) {
        for (size_t k = 0; k < old.statistics[r].size(); ++k) {
            EXPECT_NEAR(old.statistics[r][k], now.statistics[r][k], 1e-6)
                << "statistics row " << r << " value " << k;
        }
    }
    EXPECT_GT(old.statistics.at(1).at(7), 0.0) << "hauled soil reaches the statistics";
}

INSTANTIATE_TEST_SUITE_P(Layouts, DPLayoutTest, ::testing::Values(2, 5),
                         [](const auto& info) { return "Layout" + std::to_string(info.param); });

} // namespace
