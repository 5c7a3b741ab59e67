#include "support/LongRoad.h"

#include "core/db/YDatabase.h"
#include "core/db/YSchema.h"
#include "core/db/YTransaction.h"
#include "core/station/YStation.h"

#include <QSqlQuery>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>

namespace dalvex::test {

namespace {

constexpr double kStep = 20.0; // m between cross-sections

void WriteSections(YDatabase& db, std::mt19937& rng, int sections) {
    std::uniform_real_distribution<double> run(100.0, 2000.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    QSqlQuery q(db.Connection());
    q.prepare(QStringLiteral("INSERT INTO [逐桩断面] ([桩号],[挖方面积],[填方面积],[中桩填挖],"
                             "[sta]) VALUES (?,?,?,?,?)"));
    bool cut = true;
    double runStart = 0.0;
    double runEnd = run(rng);
    double depth = 3.0 + 6.0 * unit(rng); // of the current run, m
    for (int i = 0; i < sections; ++i) {
        const double s = i * kStep;
        if (s >= runEnd) {
            cut = !cut;
            runStart = runEnd;
            runEnd = s + run(rng);
            depth = 3.0 + 6.0 * unit(rng);
        }
        // A run rises from the grade line and falls back to it, with ground noise.
        const double shape =
            std::sin(M_PI * std::clamp((s - runStart) / (runEnd - runStart), 0.0, 1.0));
        const double h = depth * (0.15 + 0.85 * shape) * (0.8 + 0.4 * unit(rng));
        const double area = 12.0 * h + 0.8 * h * h; // subgrade 12 m, slopes 1:0.8
        q.bindValue(0, db.Numbering().Text(YStation(s)));
        q.bindValue(1, cut ? area : 0.3 * unit(rng));
        q.bindValue(2, cut ? 0.3 * unit(rng) : area);
        q.bindValue(3, cut ? -h : h);
        q.bindValue(4, s);
        q.exec();
    }
}

void WriteTrough(YDatabase& db, std::mt19937& rng, double end) {
    std::uniform_real_distribution<double> stretch(60.0, 200.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (double s = stretch(rng);; s += stretch(rng)) {
        const double at = std::min(s, end);
        (void)db.Exec(QStringLiteral("INSERT INTO [路槽] ([桩号],[高度],[宽度],[sta]) "
                                     "VALUES (?,?,9,?)"),
                      {db.Numbering().Text(YStation(at)), 0.6 + 0.2 * unit(rng), at});
        if (at >= end) {
            return;
        }
    }
}

void WriteContents(YDatabase& db, std::mt19937& rng, double end) {
    std::uniform_real_distribution<double> stretch(150.0, 400.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (double s = stretch(rng);; s += stretch(rng)) {
        const double at = std::min(s, end);
        std::array<double, 6> share{};
        double left = 100.0;
        for (double& c : share) {
            c = std::round(left * unit(rng) * 0.6);
            left -= c;
        }
        share[1] += left;
        const double loose = 40.0 + 60.0 * unit(rng); // usable rate of topsoil, %
        (void)db.Exec(QStringLiteral("INSERT INTO [土石含量] ([桩号],[sta],[松土],[普通土],"
                                     "[硬土],[软石],[次坚石],[坚石],[松土利用率],"
                                     "[普通土利用率],[硬土利用率],[软石利用率],[次坚石利用率],"
                                     "[坚石利用率]) VALUES (?,?,?,?,?,?,?,?,?,100,100,100,"
                                     "90,80)"),
                      {db.Numbering().Text(YStation(at)), at, share[0], share[1], share[2],
                       share[3], share[4], share[5], loose});
        if (at >= end) {
            return;
        }
    }
}

void WriteBridges(YDatabase& db, double end) {
    for (double s = 50010.0; s < end; s += 50000.0) {
        (void)db.Exec(QStringLiteral("INSERT INTO [构造物] ([起始桩号],[终止桩号],[名称],[跨径],"
                                     "[能否跨越],[ssta]) VALUES (?,?,'桥',60,1,?)"),
                      {db.Numbering().Text(YStation(s)), db.Numbering().Text(YStation(s + 60)), s});
    }
}

} // namespace

bool WriteLongRoad(const QString& path, int sections) {
    YDatabase db;
    if (!YSchema::CreateProject(db, path, YSchema::CurrentVersion)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        return false;
    }
    std::mt19937 rng(400);
    const double end = (sections - 1) * kStep;
    YTransaction tr(db);
    WriteSections(db, rng, sections);
    WriteTrough(db, rng, end);
    WriteContents(db, rng, end);
    WriteBridges(db, end);
    return tr.Commit();
}

} // namespace dalvex::test
