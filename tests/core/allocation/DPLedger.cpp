#include "DPLedger.h"

#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStrategyRegistry.h"
#include "core/db/YDatabase.h"
#include "core/db/YZjTsjsSet.h"
#include "core/model/YClassFilter.h"
#include "support/TestSupport.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace dalvex::test {

namespace {

QStringList AmountColumns(const QString& soil, const QString& soilC, const QString& rock,
                          const QString& rockC, const QString& cls, const QString& compacted) {
    QStringList names{soil, soilC, rock, rockC};
    for (int k = 1; k <= 6; ++k) {
        names << cls + QString::number(k);
    }
    for (int k = 1; k <= 6; ++k) {
        names << cls + QString::number(k) + compacted;
    }
    return names;
}

QStringList UseColumns(const QString& prefix) {
    const QString c = QStringLiteral("(压实)");
    const QString soil = prefix + QStringLiteral("挖余土");
    const QString rock = prefix + QStringLiteral("挖余石");
    return AmountColumns(soil, soil + c, rock, rock + c, prefix + QStringLiteral("余"), c);
}

QString Select(const QStringList& cols) {
    QStringList quoted;
    for (const QString& c : cols) {
        quoted << u'[' + c + u']';
    }
    return quoted.join(QStringLiteral(", "));
}

DpKind DecodeKind(const LoggedProcess& p) {
    const struct {
        const char* code;
        DpKind kind;
    } codes[] = {{"JDQT", DpKind::LocalBorrow},
                 {"JDQF", DpKind::LocalWaste},
                 {"JDFF", DpKind::LocalWasteUnusable},
                 {"QCFF", DpKind::WasteUnusable},
                 {"DC", DpKind::Out},
                 {"DR", DpKind::In}};
    for (const auto& c : codes) {
        if (p.desc.contains(QLatin1String(c.code))) {
            return c.kind;
        }
    }
    if (p.srcPit != 0) {
        return DpKind::Borrow;
    }
    if (p.dstPit != 0) {
        return DpKind::Waste;
    }
    return (p.src1 == p.dst1 && p.src2 == p.dst2) ? DpKind::Reuse : DpKind::Haul;
}

// The recorder rounds every moved value to a grid of 2^-20 m³ on its own, so sums of rounded
// values differ from rounded sums by a few grid steps.
bool Near(double a, double b) {
    return std::fabs(a - b) <= 4e-6 + 1e-9 * (std::fabs(a) + std::fabs(b));
}

int IndexOf(const std::vector<double>& starts, double sta) {
    for (size_t i = 0; i < starts.size(); ++i) {
        if (std::fabs(starts[i] - sta) < 1e-6) {
            return int(i);
        }
    }
    return -1;
}

} // namespace

void DPSettingsTest::SetUp() {
    EnsureCoreApp();
    ResetDPSettings();
    g_nClassFilter = YClassFilter::Initial;
}

void DPSettingsTest::TearDown() {
    ResetDPSettings();
    g_nClassFilter = YClassFilter::Initial;
}

std::vector<LoggedProcess> DPState::Applied() const {
    std::vector<LoggedProcess> out;
    for (const LoggedProcess& p : log) {
        if (p.ok) {
            out.push_back(p);
        }
    }
    return out;
}

DPState ReadState(CDalvexDoc& doc) {
    DPState s;
    QSqlQuery q(doc.GetDatabase().Connection());
    // Layouts before 3 keep no unusable surplus: all that is left is usable.
    const bool split = doc.GetZjTsjsSet().HasUsableColumns();
    const QStringList rem = UseColumns(QString());
    const QStringList use = split ? UseColumns(QStringLiteral("可用")) : rem;
    const QStringList unuse = split ? UseColumns(QStringLiteral("不可用")) : rem;
    EXPECT_TRUE(q.exec(QStringLiteral("SELECT [起始桩号], [利用后填方总量], %1, %2, %3 FROM "
                                      "[土石计算中间表] ORDER BY [起始桩号]")
                           .arg(Select(use), Select(unuse), Select(rem))))
        << q.lastError().text().toStdString();
    while (q.next()) {
        s.segStart.push_back(q.value(0).toDouble());
        s.fill.push_back(q.value(1).toDouble());
        Amounts a{}, b{}, c{};
        for (int i = 0; i < 16; ++i) {
            a[size_t(i)] = q.value(2 + i).toDouble();
            b[size_t(i)] = split ? q.value(18 + i).toDouble() : 0.0;
            c[size_t(i)] = q.value(34 + i).toDouble();
        }
        s.usable.push_back(a);
        s.unusable.push_back(b);
        s.surplus.push_back(c);
    }
    EXPECT_TRUE(
        q.exec(QStringLiteral("SELECT [土方总量], [石方总量] FROM [取土坑] ORDER BY rowid")));
    while (q.next()) {
        s.borrowSoil.push_back(q.value(0).toDouble());
        s.borrowRock.push_back(q.value(1).toDouble());
    }
    EXPECT_TRUE(q.exec(QStringLiteral("SELECT [总容量] FROM [弃土坑] ORDER BY rowid")));
    while (q.next()) {
        s.wasteCapacity.push_back(q.value(0).toDouble());
    }
    const QString c = QStringLiteral("(压实)");
    const QStringList before = AmountColumns(
        QStringLiteral("调配前土数量"), QStringLiteral("前土") + c, QStringLiteral("调配前石数量"),
        QStringLiteral("前石") + c, QStringLiteral("前"), c);
    const QStringList after = AmountColumns(
        QStringLiteral("调配后土数量"), QStringLiteral("后土") + c, QStringLiteral("调配后石数量"),
        QStringLiteral("后石") + c, QStringLiteral("后"), c);
    EXPECT_TRUE(
        q.exec(QStringLiteral("SELECT [GCID], [ID], [描述], [桩号1], [桩号2], [坑], [成败], "
                              "[调配前总数量], [调配后总数量], %1, %2 FROM [Tmp调配过程表] "
                              "ORDER BY [GCID], [ID], rowid")
                   .arg(Select(before), Select(after))))
        << q.lastError().text().toStdString();
    std::vector<LoggedProcess> rows;
    while (q.next()) {
        LoggedProcess r;
        r.step = q.value(0).toInt();
        r.seq = q.value(1).toInt();
        r.desc = q.value(2).toString();
        r.src1 = q.value(3).toDouble();
        r.src2 = q.value(4).toDouble();
        r.srcPit = q.value(5).toInt();
        r.ok = q.value(6).toBool();
        r.fillBefore = q.value(7).toDouble();
        r.fillAfter = q.value(8).toDouble();
        for (int i = 0; i < 16; ++i) {
            r.before[size_t(i)] = q.value(9 + i).toDouble();
            r.after[size_t(i)] = q.value(25 + i).toDouble();
        }
        rows.push_back(r);
    }
    EXPECT_EQ(rows.size() % 2, 0u);
    for (size_t i = 0; i + 1 < rows.size(); i += 2) {
        LoggedProcess p = rows[i];
        const LoggedProcess& d = rows[i + 1];
        p.dst1 = d.src1;
        p.dst2 = d.src2;
        p.dstPit = d.srcPit;
        p.fillBefore = d.fillBefore;
        p.fillAfter = d.fillAfter;
        p.kind = DecodeKind(p);
        s.log.push_back(p);
    }
    return s;
}

void ExpectSameQuantities(const DPState& a, const DPState& b) {
    ASSERT_EQ(a.segStart.size(), b.segStart.size());
    for (size_t i = 0; i < a.segStart.size(); ++i) {
        EXPECT_TRUE(Near(a.fill[i], b.fill[i])) << "fill of segment " << i;
        for (size_t k = 0; k < 16; ++k) {
            EXPECT_TRUE(Near(a.usable[i][k], b.usable[i][k])) << "usable " << i << "/" << k;
            EXPECT_TRUE(Near(a.unusable[i][k], b.unusable[i][k])) << "unusable " << i << "/" << k;
            EXPECT_TRUE(Near(a.surplus[i][k], b.surplus[i][k])) << "surplus " << i << "/" << k;
        }
    }
    ASSERT_EQ(a.borrowSoil.size(), b.borrowSoil.size());
    for (size_t i = 0; i < a.borrowSoil.size(); ++i) {
        EXPECT_TRUE(Near(a.borrowSoil[i], b.borrowSoil[i]));
        EXPECT_TRUE(Near(a.borrowRock[i], b.borrowRock[i]));
    }
    ASSERT_EQ(a.wasteCapacity.size(), b.wasteCapacity.size());
    for (size_t i = 0; i < a.wasteCapacity.size(); ++i) {
        EXPECT_TRUE(Near(a.wasteCapacity[i], b.wasteCapacity[i]));
    }
}

namespace {

// The checks every single process must pass on its own.
void ExpectProcessSound(const LoggedProcess& p) {
    const std::string where = QStringLiteral("step %1 seq %2 kind %3")
                                  .arg(p.step)
                                  .arg(p.seq)
                                  .arg(int(p.kind))
                                  .toStdString();
    const bool localTake = p.kind == DpKind::LocalBorrow;
    auto moved = [&](int i) { return localTake ? p.before[size_t(i)] : p.Moved(i); };
    double soil = 0, soilC = 0, rock = 0, rockC = 0;
    for (int k = 1; k <= 6; ++k) {
        const double nat = moved(4 + k - 1);
        const double com = moved(10 + k - 1);
        EXPECT_GE(nat, -1e-9) << where << " class " << k;
        EXPECT_GE(com, -1e-9) << where << " class " << k;
        // Natural and compacted amounts of a class shrink together. Both columns carry the
        // recorder's grid rounding separately, so their ratio drifts by a few grid steps over
        // many processes.
        EXPECT_NEAR(nat, com * kCoef[size_t(k - 1)], 2e-5 + 1e-9 * nat) << where << " class " << k;
        (k <= 3 ? soil : rock) += nat;
        (k <= 3 ? soilC : rockC) += com;
    }
    EXPECT_TRUE(Near(moved(0), soil)) << where;
    EXPECT_TRUE(Near(moved(1), soilC)) << where;
    EXPECT_TRUE(Near(moved(2), rock)) << where;
    EXPECT_TRUE(Near(moved(3), rockC)) << where;
    EXPECT_GE(p.FillMoved(), -1e-9) << where;
    switch (p.kind) {
    case DpKind::Haul:
    case DpKind::Borrow:
    case DpKind::LocalBorrow:
    case DpKind::In:
    case DpKind::Out:
    case DpKind::Reuse:
        // Into a fill (or out through a port): compacted material equals the fill it closes.
        EXPECT_TRUE(Near(soilC + rockC, p.FillMoved())) << where;
        break;
    case DpKind::Waste:
    case DpKind::WasteUnusable:
        // Into a waste pit: natural volume equals the capacity used.
        EXPECT_TRUE(Near(soil + rock, p.FillMoved())) << where;
        break;
    default:
        EXPECT_EQ(p.FillMoved(), 0.0) << where; // local waste touches no fill
    }
}

// The ledger keeps its own list of what each kind touches rather than asking the code.
using K = DpKind;
bool OneOf(DpKind k, std::initializer_list<DpKind> kinds) {
    return std::find(kinds.begin(), kinds.end(), k) != kinds.end();
}

bool SameProcess(const LoggedProcess& a, const LoggedProcess& b) {
    return a.step == b.step && a.seq == b.seq && a.src1 == b.src1 && a.dst1 == b.dst1;
}

} // namespace

void ExpectConserved(CDalvexDoc& doc, const DPState& s0, const DPState& s1) {
    ASSERT_EQ(s0.segStart.size(), s1.segStart.size());
    const size_t n = s0.segStart.size();
    std::vector<Amounts> expUse(n), expUnuse(n);
    std::vector<double> expFill(n, 0.0);
    std::vector<double> expBorrowSoil(s0.borrowSoil.size(), 0.0);
    std::vector<double> expBorrowRock(s0.borrowSoil.size(), 0.0);
    std::vector<double> expWaste(s0.wasteCapacity.size(), 0.0);
    const std::vector<LoggedProcess> old = s0.Applied();
    for (const LoggedProcess& p : s1.Applied()) {
        if (std::any_of(old.begin(), old.end(),
                        [&](const LoggedProcess& o) { return SameProcess(o, p); })) {
            continue;
        }
        ExpectProcessSound(p);
        const int src = IndexOf(s0.segStart, p.src1);
        const int dst = IndexOf(s0.segStart, p.dst1);
        if (OneOf(p.kind, {K::Haul, K::Waste, K::LocalWaste, K::Out, K::Reuse, K::WasteUnusable,
                           K::LocalWasteUnusable})) {
            ASSERT_GE(src, 0);
            const bool unusable = OneOf(p.kind, {K::WasteUnusable, K::LocalWasteUnusable});
            Amounts& e = unusable ? expUnuse[size_t(src)] : expUse[size_t(src)];
            for (size_t i = 0; i < 16; ++i) {
                e[i] += p.Moved(int(i));
            }
        }
        if (OneOf(p.kind, {K::Haul, K::Borrow, K::LocalBorrow, K::In, K::Reuse})) {
            ASSERT_GE(dst, 0);
            expFill[size_t(dst)] += p.FillMoved();
        }
        if (p.kind == DpKind::Borrow) {
            expBorrowSoil[size_t(p.srcPit - 1)] += p.Moved(0);
            expBorrowRock[size_t(p.srcPit - 1)] += p.Moved(2);
        }
        if (OneOf(p.kind, {K::Waste, K::WasteUnusable})) {
            expWaste[size_t(p.dstPit - 1)] += p.FillMoved();
        }
    }
    for (size_t i = 0; i < n; ++i) {
        EXPECT_TRUE(Near(s0.fill[i] - s1.fill[i], expFill[i])) << "fill of segment " << i;
        EXPECT_GE(s1.fill[i], -1e-9) << "segment " << i;
        for (size_t k = 0; k < 16; ++k) {
            EXPECT_TRUE(Near(s0.usable[i][k] - s1.usable[i][k], expUse[i][k]))
                << "usable of segment " << i << " value " << k;
            EXPECT_TRUE(Near(s0.unusable[i][k] - s1.unusable[i][k], expUnuse[i][k]))
                << "unusable of segment " << i << " value " << k;
            EXPECT_TRUE(Near(s0.surplus[i][k] - s1.surplus[i][k], expUse[i][k] + expUnuse[i][k]))
                << "surplus of segment " << i << " value " << k;
            EXPECT_GE(s1.usable[i][k], -1e-9);
            EXPECT_GE(s1.unusable[i][k], -1e-9);
        }
        // The model matches the file.
        const YTFItem& seg = doc.Segments()[i];
        EXPECT_TRUE(Near(seg.m_dRemFill, s1.fill[i])) << "model fill " << i;
        for (int k = 0; k < 6; ++k) {
            EXPECT_TRUE(Near(seg.m_dRemUse[size_t(k)], s1.usable[i][size_t(4 + k)]));
            EXPECT_TRUE(Near(seg.m_dRemUnuse[size_t(k)], s1.unusable[i][size_t(4 + k)]));
        }
    }
    for (size_t i = 0; i < expBorrowSoil.size(); ++i) {
        EXPECT_TRUE(Near(s0.borrowSoil[i] - s1.borrowSoil[i], expBorrowSoil[i])) << "pit " << i;
        EXPECT_TRUE(Near(s0.borrowRock[i] - s1.borrowRock[i], expBorrowRock[i])) << "pit " << i;
        EXPECT_GE(s1.borrowSoil[i], -1e-9);
        EXPECT_GE(s1.borrowRock[i], -1e-9);
    }
    for (size_t i = 0; i < expWaste.size(); ++i) {
        EXPECT_TRUE(Near(s0.wasteCapacity[i] - s1.wasteCapacity[i], expWaste[i])) << "pit " << i;
        EXPECT_GE(s1.wasteCapacity[i], -1e-9);
    }
}

RunResult RunRule(int rule, const YDPSelection& sel) {
    g_nDPRule = rule;
    std::unique_ptr<YDPCalTool> s = YDPStrategyRegistry::FindStrategy(sel);
    if (!s) {
        return {QStringLiteral("-"), false};
    }
    return {s->RuleName(), s->Compute()};
}

DPState RunConserved(CDalvexDoc& doc, int rule, const YDPSelection& sel, const char* strategy) {
    const DPState before = ReadState(doc);
    const RunResult r = RunRule(rule, sel);
    if (strategy != nullptr) {
        EXPECT_EQ(r.strategy, QString::fromUtf8(strategy));
    }
    EXPECT_TRUE(r.recorded) << "rule " << rule;
    DPState after = ReadState(doc);
    ExpectConserved(doc, before, after);
    return after;
}

void OpenLinkedProjects(YDocManager& mgr, const ScratchDir& dir, YUserIO& io,
                        const std::vector<SegSpec>& roadA, const std::vector<SegSpec>& roadB,
                        std::unique_ptr<TestProject>& a, std::unique_ptr<TestProject>& b) {
    const QString pa = dir.Path(QStringLiteral("a.dvx"));
    const QString pb = dir.Path(QStringLiteral("b.dvx"));
    TestProject::CreateFile(pa, io, QStringLiteral("{a0000000-0000-0000-0000-00000000000a}"),
                            QStringLiteral("甲线"));
    TestProject::CreateFile(pb, io, QStringLiteral("{b0000000-0000-0000-0000-00000000000b}"),
                            QStringLiteral("乙线"));
    a = std::make_unique<TestProject>(mgr, pa, true);
    b = std::make_unique<TestProject>(mgr, pb, true);
    a->AddLine(0, 20, roadA);
    b->AddLine(0, 20, roadB);
    const double exit = 20.0 * double(roadA.size());
    a->AddLink(1, exit, 0, 15, *b);
    b->AddLink(1, 0, exit, 15, *a);
}

} // namespace dalvex::test
