#include "ImportFixture.h"

#include "core/import/YLandXmlImport.h"
#include "core/import/YLandXmlReader.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using Status = YLandXmlImport::Status;

QByteArray Doc(const QByteArray& body, const QByteArray& units = {}) {
    return "<?xml version=\"1.0\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\">"
           "\n" +
           units + "<Alignments>\n" + body + "</Alignments>\n</LandXML>\n";
}

QByteArray Surf(const QByteArray& name, const QByteArray& points) {
    return "<CrossSectSurf name=\"" + name + "\"><PntList2D>" + points +
           "</PntList2D></CrossSectSurf>\n";
}

// Three sections: areas stated (100), a trapezoidal cutting 2 m deep (450: 20 m² cut) and
// ground falling across a flat design (500: 10 m² cut, 10 m² fill). The profile rises 2 % to a
// 200 m parabola at 500 and falls 2 %: R = 200 / 0.04 = 5000 m; its elevation is 102 at 100,
// 110 - 1 - 0.25 = 108.75 at 450 and 110 - 1 = 109 at 500. A short chain of 20 m at 300.
const QByteArray kRoad =
    "<Alignment name=\"主线\" staStart=\"0\">\n"
    "<StaEquation staInternal=\"300\" staBack=\"300\" staAhead=\"320\"/>\n"
    "<CrossSects>\n"
    "<CrossSect sta=\"100\" areaCut=\"12.5\" areaFill=\"0.5\">\n" +
    Surf("EG", "-10 100 10 100") +
    "</CrossSect>\n"
    "<CrossSect sta=\"450\">\n" +
    Surf("EG", "-10 110 10 110") +
    Surf("Finished Grade", "-10 110 -6 110 -4 108 4 108 6 110 10 110") +
    "</CrossSect>\n"
    "<CrossSect sta=\"500\">\n" +
    Surf("EG", "-10 111 10 107") + Surf("Finished Grade", "-10 109 10 109") +
    "</CrossSect>\n"
    "</CrossSects>\n"
    "<Profile><ProfAlign name=\"FG\">\n"
    "<PVI>0 100</PVI>\n<ParaCurve length=\"200\">500 110</ParaCurve>\n<PVI>1000 100</PVI>\n"
    "</ProfAlign></Profile>\n"
    "</Alignment>\n";

const char* kSections = "SELECT [桩号],[sta],round([挖方面积],9),round([填方面积],9),"
                        "round([中桩填挖],9) FROM [逐桩断面] ORDER BY [sta]";

// Everything an import may touch, to prove a refused one touched nothing.
QStringList Snapshot(ImportFixture& f) {
    QStringList all;
    for (const char* table : {"逐桩断面", "断链", "竖曲线", "项目", "项目分段", "土石计算",
                              "土石计算中间表", "调配过程表", "Tmp调配过程表", "过程"}) {
        all << table << f.Rows(QString("SELECT * FROM [%1] ORDER BY rowid").arg(table));
    }
    return all;
}

void AddResults(ImportFixture& f) {
    for (int segment : {1, 2}) {
        f.Exec("INSERT INTO [土石计算] ([分段编号],[起始桩号],[终止桩号]) VALUES (?, 0, 10)",
               {segment});
        f.Exec("INSERT INTO [过程] ([分段编号]) VALUES (?)", {segment});
    }
}

TEST(LandXmlImport, WritesSectionsChainBreaksCurvesSegmentAndName) {
    ImportFixture f;
    f.Exec("INSERT INTO [逐桩断面] ([桩号],[sta]) VALUES ('K9+000.000', 9000)");
    f.Exec("INSERT INTO [竖曲线] ([编号],[桩号],[sta]) VALUES (1, 'K9+000.000', 9000)");
    f.Exec("INSERT INTO [断链] ([ID],[断链]) VALUES (1, 'K5+000=K5+100')");
    f.Exec("INSERT INTO [项目] ([属性名称],[属性值]) VALUES ('项目标识', 'AK')");
    f.Exec("INSERT INTO [项目分段] ([分段编号],[结束桩号]) VALUES (1, 'K4+000'), (2, 'K9+000')");
    AddResults(f);
    YStationNumbering numbering;
    ASSERT_TRUE(numbering.SetLabel("AK"));
    f.db.SetNumbering(numbering);

    const QString path = f.File("road.xml", Doc(kRoad));
    const auto r = YLandXmlImport(f.db, f.io).Import(path, {});
    ASSERT_EQ(r.status, Status::Done) << f.io.Texts().join("\n").toStdString();
    EXPECT_EQ(r.nSections, 3);
    EXPECT_EQ(r.nChainBreaks, 1);
    EXPECT_EQ(r.nCurvePoints, 3);
    EXPECT_EQ(f.io.Texts(), QStringList{"从LandXML文件导入数据完成! "});
    EXPECT_EQ(f.io.WaitDepth(), 0);
    EXPECT_EQ(f.Rows(kSections),
              QStringList({"AK0+100.000|100|12.5|0.5|2", "AK0+470.000|450|20|0|-1.25",
                           "AK0+520.000|500|10|10|0"}));
    EXPECT_EQ(f.Rows("SELECT [ID],[断链] FROM [断链]"), QStringList{"1|AK0+300.000=AK0+320.000"});
    EXPECT_EQ(f.Rows("SELECT [编号],[桩号],[sta],[高程],round([半径],6) FROM [竖曲线] "
                     "ORDER BY [sta]"),
              QStringList({"1|AK0+000.000|0|100|0", "2|AK0+520.000|500|110|5000",
                           "3|AK1+020.000|1000|100|0"}));
    EXPECT_EQ(f.Rows("SELECT * FROM [项目分段]"), QStringList{"1|AK0+520.000"});
    EXPECT_EQ(f.Rows("SELECT [属性值] FROM [项目] WHERE [属性名称]='项目名称'"),
              QStringList{"主线"});
    EXPECT_EQ(f.Count("土石计算"), 0); // every segment's results: the segments were replaced
    EXPECT_EQ(f.Count("过程"), 0);
    EXPECT_EQ(f.db.Numbering().ChainBreakCount(), 1);
    EXPECT_EQ(f.db.Numbering().Text(450.0), "AK0+470.000");

    // A second import keeps the name the project now has.
    f.io.Clear();
    const QString other = f.File("other.xml", Doc(QByteArray(kRoad).replace("主线", "支线")));
    ASSERT_TRUE(YLandXmlImport(f.db, f.io).Import(other, {}).Ok());
    EXPECT_EQ(f.Rows("SELECT [属性值] FROM [项目] WHERE [属性名称]='项目名称'"),
              QStringList{"主线"});
}

TEST(LandXmlImport, OlderLayoutsClearTheResultsWithoutSegmentsOrName) {
    ImportFixture f(4);
    f.Exec("INSERT INTO [土石计算] ([起始桩号],[终止桩号]) VALUES (0, 10)");
    const QString path = f.File("road.xml", Doc(kRoad));
    ASSERT_TRUE(YLandXmlImport(f.db, f.io).Import(path, {}).Ok());
    EXPECT_EQ(f.Count("逐桩断面"), 3);
    EXPECT_EQ(f.Count("土石计算"), 0);
    EXPECT_FALSE(f.db.HasTable("项目分段"));
    EXPECT_FALSE(f.db.HasTable("项目"));
}

// Which lines are ground and design, by the options or by their names.
TEST(LandXmlImport, GroundAndDesignByNames) {
    const struct {
        QByteArray surfaces;
        YLandXmlOptions options;
        QString ground;
        QString design;
    } cases[] = {
        {Surf("EG", "") + Surf("FG", ""), {}, "EG", "FG"},
        {Surf("Existing Ground", "") + Surf("Finished Ground", ""),
         {},
         "Existing Ground",
         "Finished Ground"},
        {Surf("原地面线", "") + Surf("设计地面线", ""), {}, "原地面线", "设计地面线"},
        {Surf("Ground", "") + Surf("Road", ""), {}, "Ground", "Road"},
        {Surf("Surface1", "") + "<DesignCrossSectSurf name=\"Top\"/>", {}, "Surface1", "Top"},
        {Surf("LEGEND", "") + Surf("Top", ""), {}, "", ""},
        {Surf("EG", "") + Surf("OG", "") + Surf("Design", ""), {}, "", "Design"},
        {Surf("A", "") + Surf("B", ""), {}, "", ""},
        {Surf("A", "") + Surf("B", ""), {"", "B", ""}, "B", "A"},
        {Surf("EG", "") + Surf("FG", ""), {"", "FG", ""}, "FG", "EG"},
    };
    for (const auto& c : cases) {
        const YLandXmlReadResult read =
            YLandXmlReader::Read(Doc("<Alignment name=\"A\"><CrossSects><CrossSect sta=\"0\">" +
                                     c.surfaces + "</CrossSect></CrossSects></Alignment>"));
        ASSERT_TRUE(read.Ok()) << read.strReason.toStdString();
        const auto roles = YLandXmlImport::GuessRoles(read.alignments[0], c.options);
        EXPECT_EQ(roles.ground, c.ground) << c.surfaces.toStdString();
        EXPECT_EQ(roles.design, c.design) << c.surfaces.toStdString();
    }
}

TEST(LandXmlImport, RadiiAndDesignElevation) {
    using Kind = YLxProfilePoint::Kind;
    const std::vector<YLxProfilePoint> profile = {
        {Kind::Pvi, 0, 100},
        {Kind::CircCurve, 100, 102, 0, 4000}, // +2 % to -1 %: T = 4000 × 0.03 / 2 = 60 m
        {Kind::CircCurve, 300, 100, 40, 0},   // -1 % to +1 %: 40 / 0.02 = 2000 m
        {Kind::CircCurve, 400, 101, 0, 1000}, // +1 % to +1 %: no bend, no curve
        {Kind::Pvi, 500, 102},
    };
    const std::vector<double> radii = YLandXmlImport::Radii(profile);
    ASSERT_EQ(radii.size(), 5u);
    EXPECT_EQ(radii[0], 0.0);
    EXPECT_DOUBLE_EQ(radii[1], 4000.0);
    EXPECT_DOUBLE_EQ(radii[2], 2000.0);
    EXPECT_EQ(radii[3], 0.0);
    EXPECT_EQ(radii[4], 0.0);
    const struct {
        double station;
        double elevation;
    } points[] = {{0, 100},
                  {30, 100.6}, // tangent
                  {40, 100.8},
                  {100, 102 - 0.03 * 60 / 4},      // curve start, at the PVI: E = T²/2R
                  {130, 102.6 - 90.0 * 90 / 8000}, // inside: below the tangent by x² / 2R
                  {160, 101.4},
                  {250, 100.5}, // tangent again
                  {300, 100 + 0.02 * 20 / 4},
                  {400, 101},
                  {450, 101.5},
                  {500, 102}};
    for (const auto& p : points) {
        const auto e = YLandXmlImport::DesignElevation(profile, radii, p.station);
        ASSERT_TRUE(e.has_value()) << p.station;
        EXPECT_NEAR(*e, p.elevation, 1e-9) << p.station;
    }
    EXPECT_FALSE(YLandXmlImport::DesignElevation(profile, radii, -0.1));
    EXPECT_FALSE(YLandXmlImport::DesignElevation(profile, radii, 500.1));
    EXPECT_FALSE(YLandXmlImport::DesignElevation({}, {}, 0));
}

TEST(LandXmlImport, ChoosesOneOfSeveralAlignments) {
    ImportFixture f;
    const QByteArray two =
        kRoad + QByteArray(kRoad).replace("主线", "匝道").replace("sta=\"100\"", "sta=\"50\"");
    const QString path = f.File("two.xml", Doc(two));
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    YLandXmlOptions options;
    options.alignment = "匝道";
    ASSERT_TRUE(YLandXmlImport(f.db, f.io).Import(path, options).Ok());
    EXPECT_EQ(f.Rows("SELECT [sta] FROM [逐桩断面] ORDER BY [sta]"),
              QStringList({"50", "450", "500"}));

    const auto choices = YLandXmlImport::Inspect(path, f.io);
    ASSERT_TRUE(choices.has_value());
    ASSERT_EQ(choices->alignments.size(), 2u);
    EXPECT_EQ(choices->alignments[1].name, "匝道");
    EXPECT_EQ(choices->alignments[1].surfaces, QStringList({"EG", "Finished Grade"}));
    EXPECT_EQ(choices->alignments[1].ground, "EG");
    EXPECT_EQ(choices->alignments[1].design, "Finished Grade");
    f.io.Clear();
    EXPECT_FALSE(YLandXmlImport::Inspect(f.File("bad.xml", "<LandXML>"), f.io));
    EXPECT_EQ(f.io.Texts().size(), 1);
}

// Refused files: the exact message, and the project (and its numbering) as it was.
TEST(LandXmlImport, RefusedFilesChangeNothing) {
    ImportFixture f;
    const QString good = f.File("good.xml", Doc(kRoad));
    ASSERT_TRUE(YLandXmlImport(f.db, f.io).Import(good, {}).Ok());
    AddResults(f);
    const QStringList before = Snapshot(f);
    const QString label = f.db.Numbering().Text(450.0);

    const QByteArray road = kRoad;
    const QByteArray badPoint = QByteArray(road).replace("500 110</ParaCurve>", "500</ParaCurve>");
    const QByteArray ambiguous =
        QByteArray(road).replace("\"EG\"", "\"L1\"").replace("\"Finished Grade\"", "\"L2\"");
    const QByteArray noLines = "<Alignment name=\"A\"><CrossSects>\n"
                               "<CrossSect sta=\"5\"/>\n</CrossSects></Alignment>\n";
    const QByteArray twoBreaks = QByteArray(road).replace(
        "<CrossSects>", "<StaEquation staBack=\"310\" staAhead=\"400\"/>\n<CrossSects>");
    const QByteArray badInternal =
        QByteArray(road).replace("staInternal=\"300\"", "staInternal=\"290\"");
    YLandXmlOptions pick;
    pick.alignment = "支线";
    YLandXmlOptions same;
    same.ground = same.design = "EG";
    YLandXmlOptions unknown;
    unknown.ground = "OG";
    const struct {
        const char* name;
        QByteArray doc;
        YLandXmlOptions options;
        Status status;
        QString message; // %1: the file's full path
    } cases[] = {
        {"XML",
         Doc(road).replace("</CrossSect>\n</CrossSects>", "</CrossSects>"),
         {},
         Status::BadFile,
         "LandXML文件%1第17行：XML格式错误（Start-end tags mismatch）"},
        {"profile point",
         Doc(badPoint),
         {},
         Status::BadFile,
         "LandXML文件%1第21行：ParaCurve应为“桩号 高程”两个数"},
        {"two alignments",
         Doc(road + QByteArray(road).replace("主线", "匝道")),
         {},
         Status::NoChoice,
         "LandXML文件%1中有2条路线：“主线”、“匝道”。请选择要导入的路线。"},
        {"alignment not there", Doc(road), pick, Status::NoChoice,
         "LandXML文件%1中没有名为“支线”的路线。文件中的路线：“主线”"},
        {"no alignment",
         Doc(""),
         {},
         Status::NoChoice,
         "LandXML文件%1中没有路线（Alignment），未作任何改动"},
        {"no sections",
         Doc("<Alignment name=\"A\"/>"),
         {},
         Status::NoData,
         "LandXML文件%1的路线“A”中没有横断面（CrossSect），未作任何改动"},
        {"lines not clear",
         Doc(ambiguous),
         {},
         Status::NoChoice,
         "LandXML文件%1的路线“主线”中无法确定哪条是地面线、哪条是设计线。断面中的线：“L1”、"
         "“L2”。请指定地面线和设计线。"},
        {"line not there", Doc(road), unknown, Status::NoChoice,
         "LandXML文件%1的路线“主线”中没有名为“OG”的断面线。断面中的线：“EG”、“Finished Grade”"},
        {"one line for both", Doc(road), same, Status::NoChoice,
         "地面线和设计线不能是同一条线“EG”"},
        {"no areas and no lines",
         Doc(noLines),
         {},
         Status::BadFile,
         "LandXML文件%1第5行：K0+005."
         "000的横断面既没有areaCut、areaFill属性，也没有地面线“”和设计线“”"},
        {"break before the previous",
         Doc(twoBreaks),
         {},
         Status::BadFile,
         "LandXML文件%1第6行：StaEquation的staBack须大于上一个断链的staAhead"},
        {"internal station",
         Doc(badInternal),
         {},
         Status::BadFile,
         "LandXML文件%1第5行：StaEquation的staInternal（290.000）与前面的断链不符，按staBack应为"
         "300.000"},
    };
    for (const auto& c : cases) {
        f.io.Clear();
        const QString path = f.File(QString("%1.xml").arg(c.name), c.doc);
        const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        EXPECT_EQ(YLandXmlImport(f.db, f.io).Import(path, c.options).status, c.status) << c.name;
        const QString expected = c.message.contains("%1") ? c.message.arg(native) : c.message;
        EXPECT_EQ(f.io.Texts(), QStringList{expected}) << c.name;
        EXPECT_EQ(Snapshot(f), before) << c.name;
        EXPECT_EQ(f.db.Numbering().Text(450.0), label) << c.name;
    }
    f.io.Clear();
    EXPECT_EQ(YLandXmlImport(f.db, f.io).Import(f.dir.Path("none.xml"), {}).status,
              Status::CannotOpen);
    EXPECT_TRUE(f.io.Texts().isEmpty());
}

} // namespace
