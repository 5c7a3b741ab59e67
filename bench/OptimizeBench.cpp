// The optimiser on the long road (tests/support/LongRoad): optimize with its recording and the
// cost model, against raw SQLite writing as many log rows as the plan records, measured in the
// same run; and auto's cost against the optimum.
#include "RawSqlite.h"
#include "core/allocation/YDPOptimizer.h"
#include "core/allocation/YDPRule.h"
#include "core/db/YQitkSet.h"
#include "core/document/CDalvexDoc.h"
#include "support/LongRoad.h"
#include "support/YRecordingUserIO.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Inserts rows of 40 numbers in one transaction with one prepared statement; ms.
double RawInsert(const QString& path, int rows) {
    RawDb db(path);
    db.Exec("CREATE TABLE t (" // the width of a log row
            "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t2,u,v,w,x,y,z,"
            "a1,b1,c1,d1,e1,f1,g1,h1,i1,j1,k1,l1,m1,n1)");
    QElapsedTimer clock;
    clock.start();
    db.Exec("BEGIN");
    sqlite3_stmt* st = nullptr;
    std::string sql = "INSERT INTO t VALUES (?";
    for (int c = 1; c < 40; ++c) {
        sql += ",?";
    }
    sql += ")";
    sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &st, nullptr);
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c <= 40; ++c) {
            sqlite3_bind_double(st, c, r * 0.5 + c);
        }
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    db.Exec("COMMIT");
    return clock.nsecsElapsed() / 1e6;
}

// Small waste pits beside the line every 10 km, which the plan fills: the optimiser then settles
// the pits' shares by its linear programme. False when they could not be written.
bool AddFullPits(CDalvexDoc& doc) {
    YQitkSet& set = doc.GetQitkSet();
    const double end = (dalvex::test::kLongRoadSections - 1) * 20.0;
    for (double s = 5000.0; s < end; s += 10000.0) {
        set.AddNew();
        set.m_staRoad = s;
        set.m_strRoad = doc.Numbering().Text(YStation(s));
        set.m_staFront = s;
        set.m_strFront = set.m_strRoad;
        set.m_staBack = s;
        set.m_strBack = set.m_strRoad;
        set.m_dBranch = 80.0;
        set.m_dCapacity = 3000.0;
        if (!set.Update()) {
            return false;
        }
    }
    return doc.ReloadModel();
}

// optimize on a fresh copy of the road with pits that fill; ms, -1 when it failed.
double OptimizeWithFullPits(const QString& path, int rule) {
    YRecordingUserIO io;
    CDalvexDoc doc(io);
    if (!doc.OnOpenDocument(path) || !doc.ReloadModel() || !AddFullPits(doc)) {
        return -1.0;
    }
    g_nDPRule = rule;
    YDPOptimizer::Options opt;
    opt.bFinish = false;
    QElapsedTimer clock;
    clock.start();
    const bool ok = YDPOptimizer::Run(doc, opt).bWritten;
    return ok ? clock.nsecsElapsed() / 1e6 : -1.0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("road.dvx"));
    if (!dalvex::test::WriteLongRoad(path)) {
        return 1;
    }
    QProcess pre;
    pre.start(QStringLiteral(DALVEX_CLI_PATH),
              {QStringLiteral("--yes"), QStringLiteral("preprocess"), path});
    pre.waitForFinished(-1);
    if (pre.exitCode() != 0) {
        return 1;
    }
    const QString pitted[2] = {dir.filePath(QStringLiteral("pits1.dvx")),
                               dir.filePath(QStringLiteral("pits2.dvx"))};
    for (const QString& copy : pitted) {
        if (!QFile::copy(path, copy)) {
            return 1;
        }
    }
    YRecordingUserIO io;
    CDalvexDoc doc(io);
    if (!doc.OnOpenDocument(path) || !doc.ReloadModel()) {
        return 1;
    }
    g_nDPRule = DPR_SOIL_FIRST;
    YDPOptimizer::Options opt;
    opt.bFinish = false;
    YDPCostModel::Figures autoCost;
    const bool autoOk = YDPOptimizer::PriceAuto(doc, opt.cost, autoCost);

    QElapsedTimer clock;
    clock.start();
    const YDPOptimizer::Summary sum = YDPOptimizer::Run(doc, opt);
    const double optimizeMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    const YDPCostModel::Figures after = YDPCostModel::Price(doc, opt.cost);
    const double costMs = clock.nsecsElapsed() / 1e6;
    const double raw = RawInsert(dir.filePath(QStringLiteral("raw.db")), 2 * sum.nProcesses);

    std::printf("long road: %d cross-sections, %d steps, %d processes\n",
                dalvex::test::kLongRoadSections, sum.nSteps, sum.nProcesses);
    std::printf("%-28s %8.0f ms  %5.2f x raw insert of its log rows (%.0f ms)  target <= 2000 ms\n",
                "optimize (with recording)", optimizeMs, optimizeMs / raw, raw);
    std::printf("%-28s %8.0f ms  %5.2f x raw insert  target <= 500 ms\n", "cost", costMs,
                costMs / raw);
    std::printf("cost: optimize %.0f, auto %.0f m³·m (%s), %.1f %% lower\n", after.dTotal,
                autoCost.dTotal, autoOk ? "priced" : "not priced",
                autoOk ? 100.0 * (1.0 - after.dTotal / autoCost.dTotal) : 0.0);
    const double soilFirstMs = OptimizeWithFullPits(pitted[0], DPR_SOIL_FIRST);
    const double togetherMs = OptimizeWithFullPits(pitted[1], DPR_TOGETHER);
    std::printf("%-28s %8.0f ms (优先使用土方), %.0f ms (土方石齐用)  %5.2f x raw insert\n",
                "optimize, waste pits full", soilFirstMs, togetherMs, soilFirstMs / raw);
    return sum.bWritten && soilFirstMs > 0 && togetherMs > 0 ? 0 : 1;
}
