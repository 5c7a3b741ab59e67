// The commands a designer runs on a long road, each timed as the whole `dalvex-cli` command
// (process start, opening, work, commit), next to raw SQLite work of the same size measured in
// the same run on the same files:
//   preprocess             vs a bulk insert of its result rows (C interface, one transaction)
//   info, tasks (each), before allocation
//                          vs a read of every row of every table of the preprocessed project
//   auto --no-finish       (absolute target)
//   finish                 (absolute target)
//   undo --to 0 + redo     (absolute target, together)
//   info, tasks (each), after allocation
//                          vs a read of every row of every table of the allocated project
// and the peak resident memory of the largest command (where GNU time is installed).
// Each figure is the best of DALVEX_BENCH_RUNS runs (default 3); every run starts from a fresh
// copy of the project it needs. `bench_longroad --make <file.dvx> [sections]` only writes the
// road.
#include "RawSqlite.h"
#include "support/LongRoad.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

namespace {

// Copies the rows of the given tables that `after` has beyond `before` into a copy of
// `before`, in one transaction with one prepared statement per table: what preprocessing
// writes, at the raw engine's speed. Returns the time of the inserts and their commit, ms
// (negative when nothing was inserted).
double RawInsertResults(const QString& before, const QString& after, const QString& target,
                        const QStringList& tables) {
    QFile::remove(target);
    QFile::copy(before, target);
    RawDb out(target);
    const std::string attach = "ATTACH '" + after.toStdString() + "' AS src";
    out.Exec(attach.c_str());
    // The rows to copy are read first, as a preprocessing has them in memory before it writes.
    std::vector<std::vector<std::vector<sqlite3_value*>>> data;
    std::vector<std::string> inserts;
    for (const QString& t : tables) {
        const std::string table = t.toStdString();
        sqlite3_stmt* st = nullptr;
        const std::string sql = "SELECT * FROM src.[" + table +
                                "] WHERE rowid NOT IN (SELECT "
                                "rowid FROM main.[" +
                                table + "])";
        sqlite3_prepare_v2(out.Handle(), sql.c_str(), -1, &st, nullptr);
        const int columns = st ? sqlite3_column_count(st) : 0;
        auto& rows = data.emplace_back();
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            auto& row = rows.emplace_back();
            for (int c = 0; c < columns; ++c) {
                row.push_back(sqlite3_value_dup(sqlite3_column_value(st, c)));
            }
        }
        sqlite3_finalize(st);
        std::string marks;
        for (int c = 0; c < columns; ++c) {
            marks += c ? ",?" : "?";
        }
        inserts.push_back("INSERT INTO main.[" + table + "] VALUES (" + marks + ")");
    }
    out.Exec("DETACH src");
    QElapsedTimer clock;
    clock.start();
    qint64 n = 0;
    out.Exec("BEGIN");
    for (size_t t = 0; t < data.size(); ++t) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(out.Handle(), inserts[t].c_str(), -1, &st, nullptr);
        for (const auto& row : data[t]) {
            for (size_t c = 0; c < row.size(); ++c) {
                sqlite3_bind_value(st, int(c) + 1, row[c]);
            }
            sqlite3_step(st);
            sqlite3_reset(st);
            ++n;
        }
        sqlite3_finalize(st);
    }
    out.Exec("COMMIT");
    const double ms = clock.nsecsElapsed() / 1e6;
    for (auto& rows : data) {
        for (auto& row : rows) {
            std::for_each(row.begin(), row.end(), sqlite3_value_free);
        }
    }
    return n > 0 ? ms : -1.0;
}

struct Bench {
    QTemporaryDir dir;
    // DALVEX_BENCH_CLI runs another build's program on the same road, for before/after figures.
    QString cli = qEnvironmentVariable("DALVEX_BENCH_CLI", QStringLiteral(DALVEX_CLI_PATH));
    int runs = qEnvironmentVariableIntValue("DALVEX_BENCH_RUNS") > 0
                   ? qEnvironmentVariableIntValue("DALVEX_BENCH_RUNS")
                   : 3;

    QString Path(const QString& name) const { return dir.filePath(name); }

    // The largest peak resident memory of a command so far, kB (0: not measured). GNU time
    // measures it: a child's own rusage would count the pages it shared with this process
    // between fork and exec.
    mutable qint64 peakKb = 0;
    const QString time = QStringLiteral("/usr/bin/time");

    // Runs dalvex-cli; false (with its output) when it fails.
    bool Cli(const QStringList& args) const {
        const QString rss = dir.filePath(QStringLiteral("rss.txt"));
        QStringList command = QStringList{cli, QStringLiteral("--yes")} + args;
        if (QFile::exists(time)) {
            command = QStringList{time, QStringLiteral("-f"), QStringLiteral("%M"),
                                  QStringLiteral("-o"), rss} +
                      command;
        }
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(command.takeFirst(), command);
        p.waitForFinished(-1);
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            std::fprintf(stderr, "dalvex-cli %s failed:\n%s\n", qPrintable(args.join(u' ')),
                         p.readAll().constData());
            return false;
        }
        QFile kb(rss);
        if (kb.open(QIODevice::ReadOnly)) {
            peakKb = std::max(peakKb, kb.readAll().trimmed().toLongLong());
        }
        return true;
    }

    // A copy on the disk, not only in the page cache: a command's first sync would otherwise
    // write out the whole copy and be timed for it.
    static void Fresh(const QString& from, const QString& to) {
        QFile::remove(to);
        QFile::copy(from, to);
        QFile copy(to);
        if (copy.open(QIODevice::ReadWrite)) {
            ::fsync(copy.handle());
        }
    }

    // The best of `runs` measurements that time themselves (ms; negative: failed).
    double BestOf(const std::function<double()>& measure) const {
        double best = 1e300;
        for (int i = 0; i < runs; ++i) {
            const double ms = measure();
            if (ms < 0) {
                return -1;
            }
            best = std::min(best, ms);
        }
        return best;
    }

    // The best time in ms of `runs` runs of work, each after prepare (not timed).
    double Best(const std::function<void()>& prepare, const std::function<bool()>& work) const {
        return BestOf([&] {
            prepare();
            QElapsedTimer clock;
            clock.start();
            return work() ? clock.nsecsElapsed() / 1e6 : -1.0;
        });
    }
};

void Row(const char* what, double ms, double target) {
    std::printf("%-38s %9.0f ms   target <= %.0f ms %s\n", what, ms, target,
                ms >= 0 && ms <= target ? "" : "  MISSED");
}

void RatioRow(const char* what, double ms, double base, const char* baseName, double target) {
    std::printf("%-38s %9.0f ms   %5.2f x %s (%.0f ms)   target <= %.0f x %s\n", what, ms,
                ms / base, baseName, base, target,
                ms >= 0 && ms / base <= target ? "" : "  MISSED");
}

int Run() {
    Bench b;
    const QString input = b.Path(QStringLiteral("input.dvx"));
    const QString pre = b.Path(QStringLiteral("pre.dvx"));
    const QString alloc = b.Path(QStringLiteral("alloc.dvx"));
    const QString work = b.Path(QStringLiteral("work.dvx"));
    if (!dalvex::test::WriteLongRoad(input)) {
        return 1;
    }
    const auto cliOn = [&b, &work](QStringList args) {
        return [&b, &work, args] {
            QStringList a = args;
            a.insert(1, work);
            return b.Cli(a);
        };
    };
    const auto none = [] {};

    const double preprocess =
        b.Best([&] { Bench::Fresh(input, work); }, cliOn({QStringLiteral("preprocess")}));
    Bench::Fresh(work, pre);
    const QString raw = b.Path(QStringLiteral("raw.dvx"));
    const QStringList results = {QStringLiteral("逐桩断面"), QStringLiteral("土石计算"),
                                 QStringLiteral("土石计算中间表"), QStringLiteral("项目分段")};
    const double insert = b.BestOf([&] { return RawInsertResults(input, pre, raw, results); });

    // Opening is timed by the two read-only verbs that do little else.
    const auto open = [&](const QString& project, const QString& verb) {
        return b.Best([&] { Bench::Fresh(project, work); }, cliOn({verb}));
    };
    const double infoBefore = open(pre, QStringLiteral("info"));
    const double tasksBefore = open(pre, QStringLiteral("tasks"));
    const double readBefore = b.Best(none, [&] { return RawReadAll(pre) > 0; });

    const double autoMs = b.Best([&] { Bench::Fresh(pre, work); },
                                 cliOn({QStringLiteral("auto"), QStringLiteral("--no-finish")}));
    Bench::Fresh(work, alloc);
    const double finish =
        b.Best([&] { Bench::Fresh(alloc, work); }, cliOn({QStringLiteral("finish")}));
    const double undoRedo = b.Best(
        [&] { Bench::Fresh(alloc, work); },
        [&] {
            return cliOn({QStringLiteral("undo"), QStringLiteral("--to"), QStringLiteral("0")})() &&
                   cliOn({QStringLiteral("redo"), QStringLiteral("--to"),
                          QStringLiteral("1000000")})();
        });
    const double infoAfter = open(alloc, QStringLiteral("info"));
    const double tasksAfter = open(alloc, QStringLiteral("tasks"));
    const double readAfter = b.Best(none, [&] { return RawReadAll(alloc) > 0; });

    std::printf("\nlong road: %d cross-sections, %s\n", dalvex::test::kLongRoadSections,
                qPrintable(b.cli));
    RatioRow("preprocess", preprocess, insert, "raw insert", 3);
    RatioRow("info, before allocation", infoBefore, readBefore, "raw read", 3);
    RatioRow("tasks, before allocation", tasksBefore, readBefore, "raw read", 3);
    Row("auto --no-finish", autoMs, 5000);
    Row("finish", finish, 2000);
    Row("undo --to 0 + redo", undoRedo, 3000);
    RatioRow("info, after allocation", infoAfter, readAfter, "raw read", 3);
    RatioRow("tasks, after allocation", tasksAfter, readAfter, "raw read", 3);
    if (b.peakKb > 0) {
        const double mb = b.peakKb / 1024.0;
        std::printf("%-38s %9.0f MB   target <= 300 MB %s\n", "peak resident of any command", mb,
                    mb <= 300 ? "" : "  MISSED");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if ((argc == 3 || argc == 4) && qstrcmp(argv[1], "--make") == 0) {
        const int sections = argc == 4 ? QByteArray(argv[3]).toInt() : 0;
        return dalvex::test::WriteLongRoad(QString::fromLocal8Bit(argv[2]),
                                           sections > 1 ? sections
                                                        : dalvex::test::kLongRoadSections)
                   ? 0
                   : 1;
    }
    return Run();
}
