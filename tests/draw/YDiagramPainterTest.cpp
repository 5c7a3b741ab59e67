#include "draw/YDiagramPainter.h"
#include "core/model/YSegmentModel.h"
#include "core/station/YStationNumbering.h"
#include "draw/YPitStrip.h"

#include <QImage>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

// The program's initial filter: everything shown, stacking swapped (class 6 nearest the axis).
constexpr quint32 kAllShown = 0xFFFFFBFF;
constexpr quint32 kSwap = 512;
constexpr quint32 kRockShown = 256;

YTFItem Seg(double start, double end, std::array<double, 6> use, std::array<double, 6> unuse = {},
            double fill = 0.0) {
    YTFItem s;
    s.m_staStart = YStation(start);
    s.m_staEnd = YStation(end);
    for (size_t k = 0; k < 6; ++k) {
        s.m_dUse[k] = s.m_dRemUse[k] = use[k];
        s.m_dUnuse[k] = s.m_dRemUnuse[k] = unuse[k];
    }
    s.m_dFill = s.m_dRemFill = fill;
    return s;
}

// A picture of the model: 1 m per pixel along x unless told, 0.1 m³/m per pixel along y, the
// axis on row 100.
struct Picture {
    explicit Picture(YSegmentModel& model, quint32 filter = kAllShown, double scaleX = 1.0,
                     bool marks = false, int width = 400)
        : image(width, 200, QImage::Format_RGB32) {
        u.m_dScaleX = scaleX;
        u.m_dScaleY = 0.1;
        u.m_nHalfHeight = 100;
        QPainter p(&image);
        YDiagramPainter painter(p, u, filter);
        YDiagramPainter::Options options;
        options.bSmallMarks = marks;
        painter.DrawDiagram(model, image.rect(), YStationNumbering(), options);
    }
    QColor At(double x, double y) const { return image.pixelColor(u.ToDevice({x, y})); }
    // The colours of the device pixels in a rectangle, or of the whole picture.
    std::set<QRgb> Colours(QRect r = QRect(0, 0, 10000, 10000)) const {
        std::set<QRgb> colours;
        r = r.intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                colours.insert(image.pixel(x, y) & 0xFFFFFF);
            }
        }
        return colours;
    }
    bool Has(const QColor& c) const { return Colours().count(c.rgb() & 0xFFFFFF) != 0; }
    // The colours of an 8×8 block around a diagram point.
    std::set<QRgb> Block(double x, double y) const {
        const QPoint c = u.ToDevice({x, y});
        return Colours(QRect(c.x() - 4, c.y() - 4, 8, 8));
    }
    YUint u;
    QImage image;
};

const QColor kClass1(0, 181, 0);
const QColor kClass6(128, 0, 128);
const QColor kRock4(128, 80, 0);
const QColor kFill(106, 105, 107);

TEST(DiagramBands, StackingOrderFollowsTheSwapFlag) {
    YSegmentModel model;
    // 5 m³/m of class 1 and 3 m³/m of class 6 over 100 m.
    model.m_arrTF.push_back(Seg(0, 100, {500, 0, 0, 0, 0, 300}));
    const Picture normal(model, kAllShown & ~kSwap);
    EXPECT_EQ(normal.At(50, 1), kClass1) << "class 1 lowest";
    EXPECT_EQ(normal.At(50, 6.5), kClass6);
    const Picture swapped(model, kAllShown);
    EXPECT_EQ(swapped.At(50, 1), kClass6) << "class 6 first when swapped";
    EXPECT_EQ(swapped.At(50, 5), kClass1);
}

TEST(DiagramBands, UnusableSitsNearestTheAxisUnderItsHatch) {
    YSegmentModel model;
    model.m_arrTF.push_back(Seg(0, 100, {500}, {300}));
    const Picture pic(model);
    // Unusable class 1: its colour with a black falling diagonal, usable above it plain.
    EXPECT_EQ(pic.Block(50, 1.5), (std::set<QRgb>{kClass1.rgb() & 0xFFFFFF, 0}));
    EXPECT_EQ(pic.Block(50, 5.5), (std::set<QRgb>{kClass1.rgb() & 0xFFFFFF}));
}

TEST(DiagramBands, HiddenRockTakesNoRoomButTheOutlineKeepsTheFullHeight) {
    YSegmentModel model;
    // Unusable rock of class 4 is stacked before the usable soil.
    model.m_arrTF.push_back(Seg(0, 100, {500}, {0, 0, 0, 300}));
    const Picture shown(model);
    EXPECT_TRUE(shown.Block(50, 1.5).count(kRock4.rgb() & 0xFFFFFF));
    EXPECT_EQ(shown.At(50, 5.5), kClass1);
    const Picture hidden(model, kAllShown & ~kRockShown);
    EXPECT_EQ(hidden.At(50, 2.5), kClass1) << "soil drops onto the axis";
    EXPECT_FALSE(hidden.Has(kRock4));
    // The outline still runs to 8 m³/m at the bar's left edge.
    EXPECT_EQ(hidden.At(0, 7.5), QColor(Qt::white));
}

TEST(DiagramBands, AllocatedShareStaysBlackAndFillHangsBelowTheAxis) {
    YSegmentModel model;
    YTFItem seg = Seg(0, 100, {}, {}, 800);
    seg.m_dRemFill = 300; // 5 of the 8 m³/m were delivered
    model.m_arrTF.push_back(seg);
    const Picture pic(model);
    EXPECT_EQ(pic.At(50, -2), kFill);
    EXPECT_EQ(pic.At(50, -6), QColor(Qt::black));
    EXPECT_EQ(pic.At(50, -8), QColor(Qt::white)) << "the band's bottom line";
}

TEST(DiagramBands, SelectedBandsUseTheSelectedBrushUnusableNever) {
    YSegmentModel model;
    YTFItem seg = Seg(0, 100, {300}, {0, 0, 0, 0, 0, 200});
    seg.m_nSel = YClass::Bit(1) | YClass::Bit(6);
    model.m_arrTF.push_back(seg);
    const Picture pic(model);
    EXPECT_TRUE(pic.Has(QColor(223, 255, 0))) << "class 1 selected";
    EXPECT_FALSE(pic.Has(QColor(255, 0, 255))) << "unusable class 6 is never drawn selected";
}

TEST(DiagramBands, ASegmentWithNothingLeftLosesItsSelection) {
    YSegmentModel model;
    YTFItem seg = Seg(0, 100, {1000});
    seg.m_dRemUse = {};
    seg.m_nSel = YClass::Bit(1) | 1024; // a higher bit is carried along
    model.m_arrTF.push_back(seg);
    const Picture pic(model);
    EXPECT_EQ(model.m_arrTF[0].m_nSel, 1024);
}

TEST(DiagramBands, NarrowSegmentsShowOnlyTheirOutline) {
    YSegmentModel model;
    for (int i = 0; i < 400; ++i) {
        model.m_arrTF.push_back(Seg(i, i + 1, {500, 0, 0, 400}, {}, i % 2 ? 300 : 0));
    }
    const Picture pic(model, kAllShown, 2.0); // two segments per pixel
    EXPECT_EQ(pic.Colours(), (std::set<QRgb>{0x000000, 0xFFFFFF}));
    EXPECT_EQ(pic.At(100, 5), QColor(Qt::white)) << "outline up to 900 m³/m";
}

// The merged outlines of a long road must draw exactly what drawing every bar on its own
// draws: random segments of every width, random quantities, shares and selections.
TEST(DiagramBands, MergedDrawingMatchesBarByBarDrawing) {
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> len(0.2, 40.0);
    std::uniform_real_distribution<double> q(0.0, 3000.0);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    for (int round = 0; round < 6; ++round) {
        YSegmentModel model;
        double x = 0;
        for (int i = 0; i < 300; ++i) {
            const double l = len(rng);
            YTFItem seg = Seg(x, x + l, {}, {}, share(rng) < 0.5 ? q(rng) : 0.0);
            for (size_t k = 0; k < 6; ++k) {
                seg.m_dUse[k] = share(rng) < 0.4 ? q(rng) : 0.0;
                seg.m_dRemUse[k] = seg.m_dUse[k] * share(rng);
                seg.m_dUnuse[k] = share(rng) < 0.2 ? q(rng) : 0.0;
                seg.m_dRemUnuse[k] = seg.m_dUnuse[k];
            }
            seg.m_dRemFill = seg.m_dFill * share(rng);
            seg.m_nSel = int(rng() % 128);
            model.m_arrTF.push_back(seg);
            x += l;
        }
        const quint32 filter = round % 2 ? kAllShown : kAllShown & ~(kSwap | kRockShown);
        YSegmentModel reference = model;
        const Picture merged(model, filter, 0.5 + round * 3.0, false, 600);

        QImage expected(merged.image.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter p(&expected);
        p.setPen(QPen(Qt::white, 0));
        YDiagramPainter painter(p, merged.u, filter);
        for (YTFItem& seg : reference.m_arrTF) {
            painter.DrawBar(seg);
        }
        p.end();
        ASSERT_EQ(merged.image, expected) << "round " << round;
    }
}

TEST(DiagramMarks, ArrowsOnlyBelowFourMetresPerPixelAndOnlyForThinShares) {
    YSegmentModel model;
    YTFItem seg = Seg(0, 200, {600, 0, 0, 40}); // class 4 remaining: 0.2 m³/m, 2 pixels
    model.m_arrTF.push_back(seg);
    const QColor yellow(255, 255, 0);
    EXPECT_TRUE(Picture(model, kAllShown, 1.0, true).Has(yellow));
    EXPECT_FALSE(Picture(model, kAllShown, 4.0, true).Has(yellow));
    EXPECT_FALSE(Picture(model, kAllShown, 1.0, false).Has(yellow));
    model.m_arrTF[0].m_dRemUse[3] = 0.0;
    EXPECT_FALSE(Picture(model, kAllShown, 1.0, true).Has(yellow)) << "nothing left to mark";
}

TEST(DiagramStructures, ColourDepthAndPiersTellTheKindsApart) {
    YSegmentModel model;
    model.m_arrTF.push_back(Seg(0, 400, {400}, {}, 400));
    YGZWItem bridge;
    bridge.m_staStart = YStation(100);
    bridge.m_staEnd = YStation(150); // (50 + 5) / 10 = 5 spans: 4 piers
    bridge.m_bCross = false;
    bridge.m_strName = QStringLiteral("大桥");
    model.m_arrGZW.push_back(bridge);
    YGZWItem culvert = bridge;
    culvert.m_staStart = YStation(250);
    culvert.m_staEnd = YStation(260);
    culvert.m_bCross = true;
    model.m_arrGZW.push_back(culvert);
    const Picture pic(model);
    const QColor red(255, 0, 0);
    const QColor green(0, 255, 0);
    // Not crossable: red, 5 m³/m deep (50 rows); crossable: green, 20 m³/m deep.
    EXPECT_EQ(pic.At(101, -4), red);
    EXPECT_NE(pic.At(101, -6), red);
    EXPECT_EQ(pic.At(251, -9.5), green);
    int piers = 0;
    const int row = pic.u.DeviceY(-2.5);
    for (int x = pic.u.DeviceX(100) + 3; x < pic.u.DeviceX(150) - 3; ++x) {
        const bool here = pic.image.pixelColor(x, row) == red;
        const bool before = pic.image.pixelColor(x - 1, row) == red;
        piers += here && !before ? 1 : 0;
    }
    EXPECT_EQ(piers, 4);
}

TEST(PitStrip, AnIconStaysInTheVisiblePartOfItsStretch) {
    YSegmentModel model;
    YQutukItem pit;
    pit.m_staRoad = YStation(-100); // off screen to the left
    pit.m_staEcoStart = YStation(-500);
    pit.m_staEcoEnd = YStation(300);
    model.m_arrQutuk.push_back(pit);
    YQitukItem far;
    far.m_staRoad = far.m_staEcoStart = far.m_staEcoEnd = YStation(5000);
    model.m_arrQituk.push_back(far);
    YUint u; // 1 m per pixel from station 0
    QImage image(400, YPitStrip::Height, QImage::Format_RGB32);
    QPainter p(&image);
    YPitStrip::DrawAtStations(p, u, model, image.width());
    p.end();
    const int pos = model.m_arrQutuk[0].m_nStripPos;
    EXPECT_GE(pos - 13, 0);
    EXPECT_LE(pos + 13, 300);
    EXPECT_EQ(model.m_arrQituk[0].m_nStripPos, -1) << "outside the view: not drawn";
    EXPECT_EQ(YPitStrip::PitNear(u, model, 200, true), 0);
    EXPECT_EQ(YPitStrip::PitNear(u, model, 350, true), -1);
}

TEST(PitStrip, FixedStripScrollsWithItsButtonsWhenPitsDoNotFit) {
    YSegmentModel model;
    model.m_arrQutuk.resize(30);
    YPitScroll scroll(true);
    scroll.Layout(model, 0, 200);
    ASSERT_TRUE(scroll.HasButtons());
    EXPECT_EQ(scroll.ButtonAt(5), YPitScroll::Button::First);
    EXPECT_EQ(scroll.ButtonAt(15), YPitScroll::Button::Prev);
    EXPECT_EQ(scroll.ButtonAt(180), YPitScroll::Button::Next);
    EXPECT_EQ(scroll.ButtonAt(195), YPitScroll::Button::Last);
    EXPECT_EQ(scroll.ButtonAt(100), YPitScroll::Button::None);
    EXPECT_FALSE(scroll.Step(YPitScroll::Button::Prev));
    EXPECT_TRUE(scroll.Step(YPitScroll::Button::Next));
    EXPECT_EQ(scroll.PitAt(30), 1) << "the first shown pit is the second";
    EXPECT_TRUE(scroll.Step(YPitScroll::Button::Last));
    EXPECT_EQ(scroll.FirstVisible(), 29);
    scroll.Layout(model, 0, 5000);
    EXPECT_FALSE(scroll.HasButtons());
    EXPECT_EQ(scroll.FirstVisible(), 0);
}

} // namespace
