// The allocation diagram on a long road shaped like a real one: 20 000 segments of 20 m whose
// cut and fill runs alternate every 100–2 000 m, with class contents changing along the way.
// Each figure is reported with a baseline measured in the same run: filling the picture
// (the least a repaint can cost) and a raw SQLite read of every row of the project's
// computation table (the least opening a project for the picture can cost).
#include "support/ProjectFixture.h"

#include "core/db/YTransaction.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/model/YSegmentModel.h"
#include "core/station/YStationNumbering.h"
#include "draw/YDiagramPainter.h"
#include "draw/YDiagramPicture.h"
#include "support/YRecordingUserIO.h"

#include <QGuiApplication>
#include <QImage>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

using dalvex::test::SegSpec;
using dalvex::test::TestProject;

namespace {

constexpr int kSegments = 20000;
constexpr double kLength = 20.0;
const QSize kWindow(1280, 640);

// Cut and fill runs of 100–2 000 m, each class share changing every 150–400 m.
std::vector<SegSpec> RoadSpecs() {
    std::mt19937 rng(16);
    std::uniform_real_distribution<double> run(100.0, 2000.0);
    std::uniform_real_distribution<double> stretch(150.0, 400.0);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<SegSpec> specs;
    bool cut = true;
    double runEnd = run(rng);
    double contentEnd = 0.0;
    std::array<double, 6> shares{};
    for (int i = 0; i < kSegments; ++i) {
        const double x = kLength * i;
        if (x >= runEnd) {
            cut = !cut;
            runEnd = x + run(rng);
        }
        if (x >= contentEnd) {
            double left = 1.0;
            for (double& s : shares) {
                s = left * u(rng) * 0.6;
                left -= s;
            }
            shares[1] += left;
            contentEnd = x + stretch(rng);
        }
        SegSpec s;
        s.start = x;
        s.end = x + kLength;
        const double v = 200.0 + 1800.0 * u(rng);
        if (cut) {
            for (size_t k = 0; k < 6; ++k) {
                s.use[k] = v * shares[k];
            }
            s.unuse[0] = 0.05 * v;
        } else {
            s.fill = v;
        }
        specs.push_back(s);
    }
    return specs;
}

YSegmentModel& Model() {
    static YSegmentModel model = [] {
        YSegmentModel m;
        for (const SegSpec& s : RoadSpecs()) {
            YTFItem t;
            t.m_staStart = YStation(s.start);
            t.m_staEnd = YStation(s.end);
            for (size_t k = 0; k < 6; ++k) {
                t.m_dUse[k] = t.m_dRemUse[k] = s.use[k];
                t.m_dUnuse[k] = t.m_dRemUnuse[k] = s.unuse[k];
            }
            t.m_dFill = t.m_dRemFill = s.fill;
            // Half of every third segment is already allocated.
            if (m.m_arrTF.size() % 3 == 0) {
                t.m_dRemUse[1] *= 0.5;
                t.m_dRemFill *= 0.5;
            }
            m.m_arrTF.push_back(t);
        }
        return m;
    }();
    return model;
}

YUint WindowUint(double scaleX) {
    YUint u;
    u.m_dXMin = 0;
    u.m_dXMax = kSegments * kLength;
    u.m_dYRange = 240;
    u.SetScale(scaleX, 0.4);
    u.m_nHalfHeight = kWindow.height() / 2;
    return u;
}

void Paint(QImage& image, const YUint& u) {
    QPainter p(&image);
    YDiagramPainter painter(p, u, 0xFFFFFBFF);
    YDiagramPainter::Options options;
    options.bSmallMarks = true;
    painter.DrawDiagram(Model(), image.rect(), YStationNumbering(), options);
}

void BM_FillBaseline(benchmark::State& state) {
    QImage image(kWindow, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::black);
    }
}
BENCHMARK(BM_FillBaseline)->Unit(benchmark::kMillisecond);

// The whole road zoomed out to fit the window: ~16 segments per pixel column.
void BM_RepaintWholeRoad(benchmark::State& state) {
    QImage image(kWindow, QImage::Format_RGB32);
    const YUint u = WindowUint(kSegments * kLength / (kWindow.width() - 10));
    for (auto _ : state) {
        Paint(image, u);
    }
}
BENCHMARK(BM_RepaintWholeRoad)->Unit(benchmark::kMillisecond);

void BM_RepaintOneMetrePerPixel(benchmark::State& state) {
    QImage image(kWindow, QImage::Format_RGB32);
    YUint u = WindowUint(1.0);
    u.m_dOrgX = 200000;
    for (auto _ : state) {
        Paint(image, u);
    }
}
BENCHMARK(BM_RepaintOneMetrePerPixel)->Unit(benchmark::kMillisecond);

// A page step along the road at 20 m per pixel: the whole window is drawn again.
void BM_ScrollStep(benchmark::State& state) {
    QImage image(kWindow, QImage::Format_RGB32);
    YUint u = WindowUint(20.0);
    for (auto _ : state) {
        u.m_dOrgX += u.m_dStepX[2];
        if (u.m_dOrgX > u.m_dXMax) {
            u.m_dOrgX = 0;
        }
        Paint(image, u);
    }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond);

// What dalvex-cli diagram does for the whole road, without starting the process: open the
// project, load its model, draw and write the PNG; against a raw read of its computation table.
struct Project {
    QTemporaryDir dir;
    QString path;
    Project() : path(dir.filePath(QStringLiteral("long.dvx"))) {
        YRecordingUserIO io;
        TestProject p(path, io);
        YTransaction tr(p->GetDatabase());
        for (const SegSpec& s : RoadSpecs()) {
            p.AddSeg(s);
        }
        (void)tr.Commit();
    }
};

Project& LongRoad() {
    static Project project;
    return project;
}

void BM_RawReadBaseline(benchmark::State& state) {
    const QString path = LongRoad().path;
    for (auto _ : state) {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        db.open();
        double sum = 0;
        for (const char* table : {"土石计算", "土石计算中间表"}) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(QStringLiteral("SELECT * FROM [%1]").arg(QString::fromUtf8(table)));
            const int columns = q.record().count();
            while (q.next()) {
                for (int c = 0; c < columns; ++c) {
                    sum += q.value(c).toDouble();
                }
            }
        }
        benchmark::DoNotOptimize(sum);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }
}
BENCHMARK(BM_RawReadBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WholeRoadPicture(benchmark::State& state) {
    const QString path = LongRoad().path;
    const QString png = LongRoad().dir.filePath(QStringLiteral("road.png"));
    YRecordingUserIO io;
    for (auto _ : state) {
        YDocManager manager(io);
        CDalvexDoc* doc = manager.OpenDocumentFile(path);
        if (doc == nullptr || !doc->ReloadModel()) {
            state.SkipWithError("the project did not open");
            return;
        }
        YDiagramPicture::Content c;
        c.pModel = &doc->Model();
        c.pNumbering = &doc->Numbering();
        c.dTo = kSegments * kLength;
        QString error;
        if (!YDiagramPicture(c).Save(png, QSize(1600, 600), error)) {
            state.SkipWithError("the picture was not written");
            return;
        }
    }
}
BENCHMARK(BM_WholeRoadPicture)->Unit(benchmark::kMillisecond)->Iterations(3);

// The drawing and PNG encoding alone, the model already in memory.
void BM_PictureOfTheModel(benchmark::State& state) {
    const QString png = LongRoad().dir.filePath(QStringLiteral("model.png"));
    YStationNumbering numbering;
    for (auto _ : state) {
        YDiagramPicture::Content c;
        c.pModel = &Model();
        c.pNumbering = &numbering;
        c.dTo = kSegments * kLength;
        QString error;
        if (!YDiagramPicture(c).Save(png, QSize(1600, 600), error)) {
            state.SkipWithError("the picture was not written");
            return;
        }
    }
}
BENCHMARK(BM_PictureOfTheModel)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
