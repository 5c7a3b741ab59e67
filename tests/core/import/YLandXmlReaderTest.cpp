#include "core/import/YLandXmlReader.h"
#include "core/import/YCrossSectionArea.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using Line = std::vector<YOffsetPoint>;

// A LandXML document around body: the 1.2 namespace and metric units unless told otherwise.
QByteArray Doc(const QByteArray& body,
               const QByteArray& units = "<Units><Metric linearUnit=\"meter\" "
                                         "areaUnit=\"squareMeter\"/></Units>\n",
               const QByteArray& ns = "http://www.landxml.org/schema/LandXML-1.2") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LandXML xmlns=\"" + ns +
           "\" version=\"1.2\">\n" + units + "<Alignments>\n" + body +
           "</Alignments>\n</LandXML>\n";
}

// Cut and fill worked by hand; tolerance 1e-9 m².
struct AreaCase {
    const char* name;
    Line ground;
    Line design;
    double cut;
    double fill;
};

TEST(CrossSectionArea, HandWorkedSections) {
    const AreaCase cases[] = {
        // Flat ground at 10, a cutting 2 m deep, 8 m wide at the bottom, 1:1 side slopes:
        // (12 + 8) / 2 × 2 = 20 m² of cut.
        {"trapezoidal cut",
         {{-10, 10}, {10, 10}},
         {{-10, 10}, {-6, 10}, {-4, 8}, {4, 8}, {6, 10}, {10, 10}},
         20,
         0},
        // Ground falls 0.2 per metre across a flat design at 10: they cross at offset 0 inside
        // one segment of each; two triangles of 10 × 2 / 2.
        {"mixed, crossing inside a segment", {{-10, 12}, {10, 8}}, {{-10, 10}, {10, 10}}, 10, 10},
        // Only the common offsets -5..15 count: 20 m × 1 m.
        {"design narrower", {{-20, 10}, {20, 10}}, {{-5, 9}, {15, 9}}, 20, 0},
        {"ground narrower", {{-3, 10}, {3, 10}}, {{-10, 11}, {10, 11}}, 0, 6},
        // A vertical step in the design at offset 0.
        {"vertical step", {{-10, 10}, {10, 10}}, {{-10, 9}, {0, 9}, {0, 11}, {10, 11}}, 10, 10},
        // Crossing exactly at a vertex, then touching without crossing.
        {"touching", {{0, 0}, {2, 2}, {4, 0}}, {{0, 2}, {2, 2}, {4, 2}}, 0, 4},
        {"no common offsets", {{-10, 10}, {-5, 10}}, {{5, 9}, {10, 9}}, 0, 0},
        {"a single point", {{0, 10}}, {{-1, 9}, {1, 9}}, 0, 0},
    };
    for (const AreaCase& c : cases) {
        const YCutFill r = YCrossSectionArea::Compute(c.ground, c.design);
        EXPECT_NEAR(r.cut, c.cut, 1e-9) << c.name;
        EXPECT_NEAR(r.fill, c.fill, 1e-9) << c.name;
        // Swapping the lines swaps cut and fill.
        const YCutFill s = YCrossSectionArea::Compute(c.design, c.ground);
        EXPECT_NEAR(s.cut, c.fill, 1e-9) << c.name;
        EXPECT_NEAR(s.fill, c.cut, 1e-9) << c.name;
    }
}

// Random polylines against the midpoint rule on a fine grid, which needs no crossing logic.
TEST(CrossSectionArea, AgreesWithNumericIntegrationOnRandomLines) {
    QRandomGenerator rng(20261207);
    const auto randomLine = [&](double from, double to) {
        Line line;
        double x = from;
        while (x < to) {
            line.push_back({x, 100.0 + rng.bounded(10.0)});
            x += 0.5 + rng.bounded(4.0);
        }
        line.push_back({to, 100.0 + rng.bounded(10.0)});
        return line;
    };
    for (int round = 0; round < 20; ++round) {
        const Line ground = randomLine(-30.0 + rng.bounded(10.0), 20.0 + rng.bounded(10.0));
        const Line design = randomLine(-25.0 + rng.bounded(10.0), 15.0 + rng.bounded(10.0));
        const double lo = std::max(ground.front().offset, design.front().offset);
        const double hi = std::min(ground.back().offset, design.back().offset);
        const int n = 200000;
        const double w = (hi - lo) / n;
        double cut = 0.0;
        double fill = 0.0;
        for (int i = 0; i < n; ++i) {
            const double x = lo + (i + 0.5) * w;
            const double h = *YCrossSectionArea::ElevationAt(ground, x) -
                             *YCrossSectionArea::ElevationAt(design, x);
            (h > 0 ? cut : fill) += std::abs(h) * w;
        }
        const YCutFill r = YCrossSectionArea::Compute(ground, design);
        EXPECT_NEAR(r.cut, cut, 1e-4) << round;
        EXPECT_NEAR(r.fill, fill, 1e-4) << round;
    }
}

TEST(CrossSectionArea, ElevationAtAnOffset) {
    const Line line = {{-10, 1}, {0, 3}, {0, 5}, {10, 5}};
    EXPECT_EQ(YCrossSectionArea::ElevationAt(line, -5), 2.0);
    EXPECT_EQ(YCrossSectionArea::ElevationAt(line, 0), 3.0); // the first point of the step
    EXPECT_EQ(YCrossSectionArea::ElevationAt(line, 10), 5.0);
    EXPECT_FALSE(YCrossSectionArea::ElevationAt(line, 10.001));
    EXPECT_FALSE(YCrossSectionArea::ElevationAt({}, 0));
}

const QByteArray kSection = "<Alignment name=\"A1\" length=\"100\" staStart=\"0\">\n"
                            "<CrossSects>\n"
                            "<CrossSect areaFill=\"2.5\" sta=\"20\" areaCut=\"1.5\" name=\"s\">\n"
                            "<CrossSectSurf name=\"EG\"><PntList2D>-5 10 0 10.5 5 11"
                            "</PntList2D></CrossSectSurf>\n"
                            "<DesignCrossSectSurf name=\"Top\">\n"
                            "<CrossSectPnt code=\"L\">-4 10.2</CrossSectPnt>\n"
                            "<CrossSectPnt>4 10.2</CrossSectPnt>\n"
                            "</DesignCrossSectSurf>\n"
                            "</CrossSect>\n"
                            "</CrossSects>\n"
                            "</Alignment>\n";

TEST(LandXmlReader, EveryNamespaceAndPrefixReadsAlike) {
    const QByteArray prefixed =
        "<lx:LandXML xmlns:lx=\"http://www.landxml.org/schema/LandXML-1.1\"><lx:Alignments>" +
        QByteArray(kSection).replace("<", "<lx:").replace("<lx:/", "</lx:") +
        "</lx:Alignments></lx:LandXML>";
    const std::pair<const char*, QByteArray> docs[] = {
        {"1.0", Doc(kSection, {}, "http://www.landxml.org/schema/LandXML-1.0")},
        {"1.1", Doc(kSection, {}, "http://www.landxml.org/schema/LandXML-1.1")},
        {"1.2", Doc(kSection)},
        {"1.2 after a byte-order mark", "\xEF\xBB\xBF" + Doc(kSection)},
        {"no namespace", Doc(kSection, {}, "")},
        {"prefixed 1.1", prefixed},
    };
    for (const auto& [name, doc] : docs) {
        const YLandXmlReadResult r = YLandXmlReader::Read(doc);
        ASSERT_TRUE(r.Ok()) << name << " " << r.strReason.toStdString();
        ASSERT_EQ(r.AlignmentNames(), QStringList{"A1"}) << name;
        const YLxAlignment& a = r.alignments[0];
        ASSERT_EQ(a.sections.size(), 1u) << name;
        const YLxSection& s = a.sections[0];
        EXPECT_EQ(s.station, 20.0) << name;
        EXPECT_EQ(s.cut, 1.5) << name;
        EXPECT_EQ(s.fill, 2.5) << name;
        EXPECT_EQ(a.SurfaceNames(), QStringList({"EG", "Top"})) << name;
        ASSERT_EQ(s.surfaces.size(), 2u) << name;
        EXPECT_FALSE(s.surfaces[0].design) << name;
        EXPECT_TRUE(s.surfaces[1].design) << name;
        EXPECT_EQ(s.surfaces[0].points.size(), 3u) << name;
        EXPECT_EQ(s.surfaces[1].points[1].offset, 4.0) << name;
        EXPECT_EQ(s.surfaces[1].points[1].elevation, 10.2) << name;
    }
}

TEST(LandXmlReader, EquationsProfileAndSeveralAlignments) {
    const QByteArray body =
        "<Alignment name=\"Main\">\n"
        "<StaEquation staAhead=\"1120\" staBack=\"1100\" staInternal=\"1100\"/>\n"
        "<StaEquation staBack=\"2000\" staAhead=\"1950\"/>\n"
        "<Profile name=\"p\">\n"
        "<ProfSurf name=\"EG\"><PntList2D>0 100 1000 100</PntList2D></ProfSurf>\n"
        "<ProfAlign name=\"FG\">\n"
        "<PVI>0 100</PVI>\n<ParaCurve length=\"200\">500 110</ParaCurve>\n"
        "<UnsymParaCurve lengthIn=\"50\" lengthOut=\"70\">700 105</UnsymParaCurve>\n"
        "<CircCurve radius=\"3000\">800 103</CircCurve>\n<PVI>1000 100</PVI>\n"
        "</ProfAlign>\n"
        "<ProfAlign name=\"second\"><PVI>0 1</PVI></ProfAlign>\n"
        "</Profile>\n"
        "</Alignment>\n" +
        QByteArray(kSection).replace("A1", "匝道A");
    const YLandXmlReadResult r = YLandXmlReader::Read(Doc(body));
    ASSERT_TRUE(r.Ok()) << r.strReason.toStdString();
    EXPECT_EQ(r.AlignmentNames(), QStringList({"Main", "匝道A"}));
    ASSERT_NE(r.Find("匝道A"), nullptr);
    EXPECT_EQ(r.Find("B"), nullptr);
    const YLxAlignment& a = r.alignments[0];
    ASSERT_EQ(a.equations.size(), 2u);
    const YLxEquation& e = a.equations[0];
    EXPECT_EQ(std::tuple(e.back, e.ahead, e.internal, e.line),
              std::tuple(1100.0, 1120.0, std::optional(1100.0), 6));
    EXPECT_FALSE(a.equations[1].internal);
    using Kind = YLxProfilePoint::Kind;
    ASSERT_EQ(a.profile.size(), 5u); // the first ProfAlign only
    const YLxProfilePoint& p = a.profile[1];
    EXPECT_EQ(std::tuple(p.kind, p.length, p.station, p.elevation),
              std::tuple(Kind::ParaCurve, 200.0, 500.0, 110.0));
    EXPECT_EQ(a.profile[2].length, 120.0);
    EXPECT_EQ(std::pair(a.profile[3].kind, a.profile[3].radius),
              std::pair(Kind::CircCurve, 3000.0));
    EXPECT_EQ(a.profile[4].line, 15);
}

TEST(LandXmlReader, ImperialUnitsBecomeMetres) {
    const QByteArray body = "<Alignment name=\"A\"><CrossSects>"
                            "<CrossSect sta=\"1000\" areaCut=\"100\" areaFill=\"0\">"
                            "<CrossSectSurf name=\"EG\"><PntList2D>-10 300</PntList2D>"
                            "</CrossSectSurf></CrossSect></CrossSects>"
                            "<StaEquation staBack=\"3000\" staAhead=\"3100\"/></Alignment>";
    const struct {
        const char* unit;
        double foot; // metres
    } cases[] = {{"USSurveyFoot", 1200.0 / 3937.0}, {"foot", 0.3048}};
    for (const auto& c : cases) {
        const QByteArray units = "<Units><Imperial areaUnit=\"squareFoot\" linearUnit=\"" +
                                 QByteArray(c.unit) + "\"/></Units>";
        const YLandXmlReadResult r = YLandXmlReader::Read(Doc(body, units));
        ASSERT_TRUE(r.Ok()) << c.unit << r.strReason.toStdString();
        const YLxSection& s = r.alignments[0].sections[0];
        EXPECT_DOUBLE_EQ(s.station, 1000 * c.foot) << c.unit;
        EXPECT_DOUBLE_EQ(*s.cut, 100 * c.foot * c.foot) << c.unit;
        EXPECT_DOUBLE_EQ(s.surfaces[0].points[0].offset, -10 * c.foot) << c.unit;
        EXPECT_DOUBLE_EQ(r.alignments[0].equations[0].ahead, 3100 * c.foot) << c.unit;
    }
}

TEST(LandXmlReader, GbkFileWithAChineseName) {
    // <Alignment name="主线"> in GBK, as Chinese design programs write it.
    const QByteArray doc = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\n<LandXML><Alignments>"
                           "<Alignment name=\"\xd6\xf7\xcf\xdf\"/></Alignments></LandXML>";
    const YLandXmlReadResult r = YLandXmlReader::Read(doc);
    ASSERT_TRUE(r.Ok()) << r.strReason.toStdString();
    EXPECT_EQ(r.AlignmentNames(), QStringList{"主线"});
}

// A malformed file fails at the line of the element with a reason naming it.
TEST(LandXmlReader, MalformedFilesFailAtTheirLine) {
    const auto section = [](const QByteArray& attributes, const QByteArray& inside = {}) {
        return "<Alignment name=\"A\">\n<CrossSects>\n<CrossSect sta=\"0\"/>\n<CrossSect " +
               attributes + ">\n" + inside + "</CrossSect>\n</CrossSects>\n</Alignment>\n";
    };
    const auto surface = [&](const QByteArray& points) {
        return section("sta=\"10\"",
                       "<CrossSectSurf name=\"EG\">\n" + points + "\n</CrossSectSurf>\n");
    };
    const auto profile = [](const QByteArray& point) {
        return "<Alignment name=\"A\">\n<Profile>\n<ProfAlign>\n<PVI>0 1</PVI>\n" + point +
               "\n</ProfAlign>\n</Profile>\n</Alignment>\n";
    };
    const struct {
        const char* name;
        QByteArray doc;
        int line;
        QString reason;
    } cases[] = {
        {"not well formed", Doc(section("sta=\"10\"", "<CrossSectSurf>\n</CrossSect>\n")), 10,
         "XML格式错误（Start-end tags mismatch）"},
        {"empty", "", 1, "XML格式错误（No document element found）"},
        {"other root", "<?xml version=\"1.0\"?>\n<gpx/>", 2, "根元素是gpx，不是LandXML"},
        {"no station", Doc(section("areaCut=\"1\"")), 8, "CrossSect缺少sta属性"},
        {"station not a number", Doc(section("sta=\"K0+100\"")), 8,
         "CrossSect的sta属性“K0+100”不是数字"},
        {"station not finite", Doc(section("sta=\"inf\"")), 8, "CrossSect的sta属性“inf”不是数字"},
        {"station not forward", Doc(section("sta=\"0\"")), 8,
         "CrossSect的sta属性：桩号不大于上一个断面的桩号"},
        {"area out of range", Doc(section("sta=\"10\" areaCut=\"-2e7\"")), 8,
         "CrossSect的areaCut属性：面积超出范围（须小于1e7 m²）"},
        {"odd point list", Doc(surface("<PntList2D>-5 10\n0</PntList2D>")), 10,
         "PntList2D中数的个数不是偶数（应为成对的偏距和高程）"},
        {"three numbers in a point", Doc(surface("<CrossSectPnt>1 2 3</CrossSectPnt>")), 10,
         "CrossSectPnt应为“偏距 高程”两个数"},
        {"elevation out of range", Doc(surface("<CrossSectPnt>1 20000</CrossSectPnt>")), 10,
         "CrossSectPnt的高程：高度超出范围（-1e4～1e4 m）"},
        {"offsets backwards",
         Doc(surface("<CrossSectPnt>1 2</CrossSectPnt>\n<CrossSectPnt>0 2</CrossSectPnt>")), 11,
         "CrossSectSurf“EG”的偏距须从左到右递增"},
        {"unknown unit", Doc("", "<Units>\n<Imperial linearUnit=\"yard\"/></Units>\n"), 4,
         "Imperial的长度单位linearUnit“yard”不认识"},
        {"parabola without length", Doc(profile("<ParaCurve>5 2</ParaCurve>")), 9,
         "ParaCurve缺少length属性"},
        {"circle without radius", Doc(profile("<CircCurve>5 2</CircCurve>")), 9,
         "CircCurve须有大于0的radius或length属性"},
        {"PVI not forward", Doc(profile("<PVI>0 2</PVI>")), 9,
         "PVI的桩号：桩号不大于上一个变坡点的桩号"},
        // Windows line ends count once per line.
        {"CRLF", Doc(section("sta=\"x\"")).replace("\n", "\r\n"), 8,
         "CrossSect的sta属性“x”不是数字"},
    };
    for (const auto& c : cases) {
        const YLandXmlReadResult r = YLandXmlReader::Read(c.doc);
        EXPECT_FALSE(r.Ok()) << c.name;
        EXPECT_EQ(r.nFailLine, c.line) << c.name;
        EXPECT_EQ(r.strReason, c.reason) << c.name << ": " << r.strReason.toStdString();
        EXPECT_TRUE(r.alignments.empty()) << c.name;
    }
}

} // namespace
