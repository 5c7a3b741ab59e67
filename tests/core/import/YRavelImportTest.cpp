// The road-design project import on a document: what lands in which table, what each
// unreadable file leaves untouched, and that a failed import leaves the project as it was.
#include "ImportFixture.h"

#include "core/db/YPrjFDSet.h"
#include "core/db/YZzmjSet.h"
#include "core/import/YDocImport.h"
#include "core/process/YProcessRecorder.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace dalvex::test {
namespace {

const QByteArray kPrj =
    "RavelPrj 1\n[属性]\n201=清水河段\n[桩号体系]\n标识=AK\n断链=AK1+200=AK1+215\n"
    "[文件]\n111=土方.txt\n108=控制.txt\n104=纵断面.txt\n";
const QByteArray kEarthwork = "RavelEarthwork 1\n0 10 0 -1.5\n20 -2 3 0.8\nAK1+220 0 6 1.2\n";
const QByteArray kControl = "RavelControl 1\n[路槽]\nAK0+020\n[涵洞通道]\nAK1+220 AK1+226 盖板涵\n"
                            "[桥隧]\n0 20 大桥\n[土石含量]\nAK0+000 10 20 30 40 0 0\n";
const QByteArray kProfile = "RavelProfile 1\n0 100 0\nAK1+220 110 8000\n";
const QString kDone = QStringLiteral(" 从Ravel项目中导入数据完成! ");

class RavelImport : public ::testing::Test {
  protected:
    // A project of the layout version with input, a borrow step logged and old rows in the
    // tables the import replaces.
    void Open(int version = 6) {
        project = std::make_unique<TestProject>(dir.Path("p.dvx"), io, version);
        project->AddSegs(TestProject::Road(4));
        project->AddBorrowPit(30, 30, 30, {30, 30, 40, 0, 0, 0}, 2000, 600, 40);
        pitsBefore = project->Pits();
        ASSERT_TRUE(project->Load());
        const int s = YProcessRecorder::NextStep(Doc());
        ASSERT_TRUE(project->Borrow(s, 1, 0, 1, 0.5));
        YProcessRecorder::EndStep(Doc(), s);
        ASSERT_NE(project->Pits(), pitsBefore);
        for (const char* sql :
             {"INSERT INTO [逐桩断面] ([桩号],[sta]) VALUES ('K9+000.000', 9000)",
              "INSERT INTO [路槽] ([桩号],[高度],[宽度],[sta]) VALUES ('K9+000.000', 1, 9, 9000)",
              "INSERT INTO [构造物] ([起始桩号],[终止桩号],[名称],[ssta]) VALUES ('K8', 'K9', "
              "'旧桥', "
              "8000)",
              "INSERT INTO [土石含量] ([桩号],[sta]) VALUES ('K9+000.000', 9000)",
              "INSERT INTO [竖曲线] ([桩号],[sta]) VALUES ('K9+000.000', 9000)"}) {
            project->Exec(QString::fromUtf8(sql));
        }
        if (version >= 5) {
            // Results and log above belong to no segment; the project now stands on another.
            project->AddProjectSegment(3, "K9+000.000");
            ASSERT_TRUE(Doc().GetPrjFDSet().Requery());
            ASSERT_TRUE(Doc().SwitchSegment(3));
        }
        io.Clear();
    }
    CDalvexDoc& Doc() { return project->Doc(); }

    // The project folder with the road project; a component given as empty is left out of
    // the folder (the project still names it).
    QString Road(const QByteArray& prj = kPrj, const QByteArray& earthwork = kEarthwork,
                 const QByteArray& control = kControl, const QByteArray& profile = kProfile) {
        const QString folder = dir.Path("road");
        QDir().mkpath(folder);
        const std::pair<const char*, const QByteArray*> files[] = {{"土方.txt", &earthwork},
                                                                   {"控制.txt", &control},
                                                                   {"纵断面.txt", &profile},
                                                                   {"road.Prj", &prj}};
        for (const auto& [name, bytes] : files) {
            if (!bytes->isEmpty()) {
                QFile file(folder + "/" + QString::fromUtf8(name));
                EXPECT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(*bytes);
            }
        }
        return folder + "/road.Prj";
    }

    QStringList Rows(const QString& sql) {
        QStringList rows;
        QSqlQuery q(Doc().GetDatabase().Connection());
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        while (q.next()) {
            QStringList cols;
            for (int i = 0; i < q.record().count(); ++i) {
                cols << q.value(i).toString();
            }
            rows << cols.join(u'|');
        }
        return rows;
    }
    QStringList Table(const QString& table) {
        return Rows(QStringLiteral("SELECT * FROM [%1] ORDER BY rowid").arg(table));
    }
    // Every row of every table.
    QStringList Dump() {
        QStringList all;
        for (const QString& table : Doc().GetDatabase().TableNames()) {
            all << table << Table(table);
        }
        return all;
    }

    ScratchDir dir;
    YRecordingUserIO io;
    std::unique_ptr<TestProject> project;
    std::vector<double> pitsBefore;
};

TEST_F(RavelImport, FillsTheProjectAndClearsResultsGivingThePitsBack) {
    Open();
    ASSERT_TRUE(YDocImport::RavelProject(Doc(), Road()));
    EXPECT_EQ(io.Texts(), QStringList{kDone});
    EXPECT_EQ(Rows("SELECT [ID],[断链] FROM [断链]"), QStringList{"0|AK1+200=AK1+215"});
    const QStringList props = Rows("SELECT [属性名称],[属性值] FROM [项目] ORDER BY rowid");
    ASSERT_EQ(props.size(), 3);
    EXPECT_EQ(props[0], "项目名称|清水河段");
    EXPECT_TRUE(props[1].startsWith("GUID|") && props[1].size() == 5 + 32)
        << props[1].toStdString();
    EXPECT_EQ(props[2], "项目标识|AK");
    EXPECT_EQ(Rows("SELECT [桩号],[挖方面积],[填方面积],[中桩填挖],[sta] FROM [逐桩断面]"),
              QStringList({"AK0+000.000|10|0|-1.5|0", "AK0+020.000|0|3|0.8|20",
                           "AK1+220.000|0|6|1.2|1205"}));
    EXPECT_EQ(Rows("SELECT [分段编号],[结束桩号] FROM [项目分段]"), QStringList{"1|AK1+220.000"});
    EXPECT_EQ(Rows("SELECT [桩号],[高度],[宽度],[sta] FROM [路槽]"),
              QStringList{"AK0+020.000|0|0|20"});
    // The first list, then the second; crossing and detour are the designer's to set.
    EXPECT_EQ(Rows("SELECT [起始桩号],[终止桩号],[名称],[跨径],[能否跨越],[绕行距离],[ssta] "
                   "FROM [构造物] ORDER BY rowid"),
              QStringList({"AK0+000.000|AK0+020.000|大桥|20|||0",
                           "AK1+220.000|AK1+226.000|盖板涵|6|||1205"}));
    EXPECT_EQ(
        Rows("SELECT [桩号],[松土],[松土利用率],[软石],[软石利用率],[坚石利用率] FROM [土石含量]"),
        QStringList{"AK0+000.000|10|100|40|100|100"});
    EXPECT_EQ(Rows("SELECT [编号],[桩号],[高程],[半径],[sta] FROM [竖曲线]"),
              QStringList({"|AK0+000.000|100|0|0", "|AK1+220.000|110|8000|1205"}));
    for (const char* table :
         {"土石计算", "土石计算中间表", "调配过程表", "Tmp调配过程表", "过程"}) {
        EXPECT_TRUE(Table(QString::fromUtf8(table)).isEmpty()) << table;
    }
    EXPECT_EQ(project->Pits(), pitsBefore);
    // The document shows the new project: its name, numbering and segment, no stale model.
    EXPECT_EQ(Doc().GetProjectName(), "清水河段");
    EXPECT_EQ(Doc().Numbering().Text(1205.0), "AK1+220.000");
    EXPECT_EQ(Doc().GetCurrentSegment(), 1);
    EXPECT_EQ(Doc().GetSegmentCount(), 0);
    EXPECT_EQ(Doc().GetZzmjSet().RecordCount(), 3);
    EXPECT_EQ(io.WaitDepth(), 0);
}

struct Unreadable {
    const char* what;
    int component;    // 0 earthwork, 1 control, 2 profile
    QByteArray bytes; // empty: the named file is missing
    QStringList messages;
    QStringList untouched; // tables left as they were
};

class RavelComponentFails : public RavelImport, public ::testing::WithParamInterface<Unreadable> {};

TEST_P(RavelComponentFails, IsReportedAndSkippedWhileTheRestIsImported) {
    const Unreadable& u = GetParam();
    Open();
    std::map<QString, QStringList> before;
    for (const QString& table : u.untouched) {
        before[table] = Table(table);
    }
    QByteArray files[3] = {kEarthwork, kControl, kProfile};
    files[u.component] = u.bytes;
    ASSERT_TRUE(YDocImport::RavelProject(Doc(), Road(kPrj, files[0], files[1], files[2])));
    const QStringList texts = io.Texts();
    ASSERT_EQ(texts.size(), 3) << texts.join('\n').toStdString();
    EXPECT_EQ(texts.first(), u.messages.first());
    EXPECT_TRUE(texts[1].contains(u.messages.last())) << texts[1].toStdString();
    EXPECT_EQ(texts.last(), kDone);
    for (const QString& table : u.untouched) {
        EXPECT_EQ(Table(table), before[table]) << table.toStdString();
    }
    // What the other files hold came in.
    EXPECT_EQ(Rows("SELECT [ID] FROM [断链]"), QStringList{"0"});
    EXPECT_EQ(Table("逐桩断面").size(), u.component == 0 ? 1 : 3);
    EXPECT_EQ(Table("土石含量").size(), 1);
    EXPECT_EQ(Table("竖曲线").size(), u.component == 2 ? 0 : 2);
    EXPECT_EQ(Table("项目分段").size(), u.component == 0 ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RavelComponentFails,
    ::testing::Values(
        // The segment table is emptied before the sections are read: no segment then.
        Unreadable{"earthwork",
                   0,
                   "RavelEarthwork 1\n0 1 2\n0 1 2\n",
                   {"不能打开土方文件！", "第3行桩号不大于上一个断面的桩号"},
                   {"逐桩断面"}},
        Unreadable{"earthwork_missing",
                   0,
                   {},
                   {"不能打开土方文件！", "文件不存在或不能读取"},
                   {"逐桩断面"}},
        Unreadable{"control",
                   1,
                   "RavelControl 1\n[路槽]\nx\n",
                   {"不能打开控制参数文件！", "第3行“x”不是桩号"},
                   {"路槽", "构造物", "土石含量"}},
        Unreadable{"profile",
                   2,
                   "RavelProfile 1\n0 100\n",
                   {"不能打开纵断面设计数据文件！", "第2行须写成“桩号 高程 半径”"},
                   {}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(RavelImport, PartsTheProjectDoesNotNameOrHoldAreLeftAlone) {
    Open();
    const QStringList structures = Table("构造物");
    const QByteArray prj = "RavelPrj 1\n[文件]\n108=控制.txt\n";
    ASSERT_TRUE(YDocImport::RavelProject(
        Doc(), Road(prj, {}, "RavelControl 1\n[土石含量]\n0 0 100 0 0 0 0\n", {})));
    EXPECT_EQ(io.Texts(), QStringList{kDone});
    EXPECT_EQ(Table("构造物"), structures); // no structures in the file
    EXPECT_EQ(Table("逐桩断面").size(), 1);
    EXPECT_EQ(Table("项目分段").size(), 0);
    EXPECT_EQ(Doc().GetCurrentSegment(), -1);
}

TEST_F(RavelImport, AProjectFileThatCannotBeReadChangesNothing) {
    Open();
    const QStringList before = Dump();
    EXPECT_FALSE(YDocImport::RavelProject(Doc(), dir.Path("none.Prj")));
    EXPECT_FALSE(YDocImport::RavelProject(Doc(), Road("RavelPrj 1\n[桩号体系]\n标识=1K\n")));
    EXPECT_EQ(io.Texts().size(), 4);
    EXPECT_EQ(io.Texts()[0], "不能打开项目文件！");
    EXPECT_TRUE(io.Texts()[1].endsWith("none.Prj：文件不存在或不能读取"))
        << io.Texts()[1].toStdString();
    EXPECT_EQ(io.Texts()[2], "不能打开项目文件！");
    EXPECT_TRUE(io.Texts()[3].contains("第3行桩号标识“1K”")) << io.Texts()[3].toStdString();
    EXPECT_EQ(Dump(), before);
}

TEST_F(RavelImport, AStatementFailingLateLeavesTheProjectAsItWas) {
    Open();
    const QStringList before = Dump();
    const std::vector<double> pits = project->Pits();
    const int segment = Doc().GetCurrentSegment();
    // The last table the import writes refuses its rows.
    project->Exec("CREATE TRIGGER refuse BEFORE INSERT ON [竖曲线] BEGIN "
                  "SELECT RAISE(ABORT, 'injected'); END");
    EXPECT_FALSE(YDocImport::RavelProject(Doc(), Road()));
    ASSERT_FALSE(io.Texts().isEmpty());
    EXPECT_TRUE(io.Texts().last().contains("injected")) << io.Texts().last().toStdString();
    EXPECT_FALSE(io.Texts().contains(kDone));
    project->Exec("DROP TRIGGER refuse");
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(project->Pits(), pits);
    EXPECT_EQ(Doc().GetCurrentSegment(), segment);
    EXPECT_EQ(Doc().Numbering().Text(1205.0), "K1+205.000");
}

TEST_F(RavelImport, AVersionFourProjectGetsNoPropertiesOrSegment) {
    Open(4);
    ASSERT_TRUE(YDocImport::RavelProject(Doc(), Road()));
    EXPECT_FALSE(Doc().GetDatabase().HasTable("项目"));
    EXPECT_FALSE(Doc().GetDatabase().HasTable("项目分段"));
    // The project keeps its own label; the breaks are the road project's.
    EXPECT_EQ(Rows("SELECT [桩号] FROM [逐桩断面]").last(), "K1+220.000");
    EXPECT_EQ(Table("土石含量").size(), 1);
    EXPECT_EQ(project->Pits(), pitsBefore);
}

} // namespace
} // namespace dalvex::test
