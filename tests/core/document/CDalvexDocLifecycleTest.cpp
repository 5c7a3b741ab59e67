// Creating, opening, reopening and closing a project; every failure of the load sequence.
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"

#include "core/db/YDatabase.h"
#include "core/db/YGzwSet.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YPrjFDSet.h"
#include "core/db/YSQXSet.h"
#include "core/db/YSchema.h"
#include "core/db/YTsjsSet.h"

#include <QFile>
#include <gtest/gtest.h>
#include <ostream>

using namespace dalvex::test;

namespace {

const QString kFormatError = QStringLiteral("数据文件格式错误！");

class DocLifecycle : public ::testing::Test {
  protected:
    void SetUp() override { EnsureCoreApp(); }

    // A version-6 project with statements run on it, closed again.
    QString DamagedProject(const QStringList& statements) {
        TestProject doc(path, io);
        for (const QString& sql : statements) {
            doc.Exec(sql);
        }
        doc->DeleteContents();
        io.Clear();
        return path;
    }

    ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("p.dvx"));
    YRecordingUserIO io;
};

TEST_F(DocLifecycle, NewProjectIsVersionSixAndEmpty) {
    TestProject doc(dir.Path(QStringLiteral("路线一.dvx")), io);
    ASSERT_TRUE(doc->IsOpen());
    EXPECT_EQ(doc->GetVersion(), 6u);
    EXPECT_EQ(doc->GetCurrentSegment(), -1);
    EXPECT_EQ(doc->GetProjectName(), QStringLiteral("路线一"));
    EXPECT_TRUE(doc->GetGuid().isEmpty());
    EXPECT_TRUE(doc->NeighbourPaths().isEmpty());
    EXPECT_TRUE(io.Messages().empty());
    EXPECT_EQ(doc->GetSegmentCount(), 0);
    EXPECT_FALSE(doc->ReloadModel()); // no results yet
}

TEST_F(DocLifecycle, PropertiesRewrittenWhileOpenAreReadAgainOnRequest) {
    TestProject doc(path, io);
    EXPECT_EQ(doc->GetProjectName(), QStringLiteral("p"));
    // An import empties [项目] and writes a new identity while the project stays open; of two
    // rows of one property the later wins, other properties are ignored.
    doc.SetProperty(QStringLiteral("项目名称"), QStringLiteral("旧路"));
    doc.SetProperty(QStringLiteral("其它"), QStringLiteral("x"));
    doc.SetProperty(QStringLiteral("项目名称"), QStringLiteral("新路"));
    doc.SetProperty(QStringLiteral("GUID"), QStringLiteral("0123"));
    doc.SetProperty(QStringLiteral("项目标识"), QStringLiteral("AK"));
    EXPECT_EQ(doc->GetProjectName(), QStringLiteral("p"));
    doc->ReloadProjectProperties();
    EXPECT_EQ(doc->GetProjectName(), QStringLiteral("新路"));
    EXPECT_EQ(doc->GetGuid(), QStringLiteral("0123"));
    EXPECT_EQ(doc->GetStationLabel(), QStringLiteral("AK"));
    EXPECT_EQ(doc->Numbering().Label(), QStringLiteral("AK"));
    EXPECT_EQ(doc->Numbering().Text(YStation(1200.0)), QStringLiteral("AK1+200.000"));
}

TEST_F(DocLifecycle, ProjectFilledThroughRecordSetsReopensWithItsModel) {
    {
        TestProject doc(path, io);
        doc.SetProperty(QStringLiteral("项目名称"), QStringLiteral("测试路"));
        doc.SetProperty(QStringLiteral("GUID"), QStringLiteral("ABCDEF"));
        doc.AddSeg({.end = 20, .use = {100}, .cutArea = 12.5});
        doc.AddSeg({.start = 20, .end = 40, .fill = 80, .fillArea = 17.0},
                   {.start = 20, .end = 40, .fill = 30, .fillArea = 17.0});
        doc.AddStructure(25, 30, QStringLiteral("小桥"), false);
        doc->DeleteContents();
        EXPECT_FALSE(doc->IsOpen());
    }
    auto doc = TestProject::Open(path, io);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetProjectName(), QStringLiteral("测试路"));
    EXPECT_EQ(doc->GetGuid(), QStringLiteral("ABCDEF"));
    ASSERT_TRUE(doc->ReloadModel());
    ASSERT_EQ(doc->GetSegmentCount(), 2);
    EXPECT_DOUBLE_EQ(doc->GetSegment(0).m_dRemUse[0], 100.0);
    EXPECT_DOUBLE_EQ(doc->GetSegment(1).m_dFill, 80.0);
    EXPECT_DOUBLE_EQ(doc->GetSegment(1).m_dRemFill, 30.0);
    EXPECT_DOUBLE_EQ(doc->GetMaxArea(), 17.0);
    EXPECT_EQ(doc->FindSegment(30.0), 1);
    ASSERT_EQ(doc->Model().m_arrGZW.size(), 1u);
    EXPECT_FALSE(doc->CheckStructures(0, 40));
    EXPECT_EQ(io.Texts().back(), QStringLiteral("不能跨越构造物 小桥(K0+025.000~K0+030.000)\n"));
    EXPECT_TRUE(doc->CheckStructures(0, 27));
    EXPECT_TRUE(io.Messages().size() == 1u);
}

TEST_F(DocLifecycle, MissingFileIsAnOpenError) {
    CDalvexDoc doc(io);
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path(QStringLiteral("none.dvx"))));
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(io.Texts(),
              QStringList{QStringLiteral("文件不存在：") + dir.Path(QStringLiteral("none.dvx"))});
    EXPECT_EQ(io.Messages().front().kind, YMsgKind::Error);
}

class RequiredTable : public DocLifecycle, public ::testing::WithParamInterface<const char*> {};

TEST_P(RequiredTable, MissingTableIsNamedAndLeavesNothingOpen) {
    const QString table = QString::fromUtf8(GetParam());
    DamagedProject({QStringLiteral("DROP TABLE [%1]").arg(table)});
    CDalvexDoc doc(io);
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_FALSE(doc.GetTsjsSet().IsOpen());
    if (table == QStringLiteral("逐桩断面")) {
        // Without it the file is not taken for a project file at all.
        EXPECT_EQ(
            io.Texts(),
            QStringList{QStringLiteral("不是项目数据库文件：%1（缺少表[逐桩断面]）").arg(path)});
    } else {
        EXPECT_EQ(io.Texts(), QStringList{kFormatError + QStringLiteral("缺少表[%1]").arg(table)});
    }
}

TEST_P(RequiredTable, UnreadableTableIsAFormatError) {
    const QString table = QString::fromUtf8(GetParam());
    DamagedProject({QStringLiteral("DROP TABLE [%1]").arg(table),
                    QStringLiteral("CREATE TABLE [%1] ([x] INTEGER)").arg(table)});
    CDalvexDoc doc(io);
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_FALSE(doc.IsOpen());
    ASSERT_EQ(io.Texts().size(), 1);
    EXPECT_TRUE(io.Texts()[0].startsWith(kFormatError + QStringLiteral("表[%1]：").arg(table)))
        << io.Texts()[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tables, RequiredTable,
                         ::testing::Values("断链", "项目分段", "逐桩断面", "路槽", "土石系数",
                                           "土石含量", "构造物", "取土坑", "弃土坑",
                                           "Tmp调配过程表", "调配过程表", "过程", "土石计算",
                                           "土石计算中间表", "土石计算2"));

TEST_F(DocLifecycle, MissingOptionalTablesAreIgnored) {
    {
        TestProject doc(path, io);
        for (const char* t : {"土方调配扩展记录", "统计扩展", "竖曲线", "相邻项目"}) {
            doc.Exec(QStringLiteral("DROP TABLE [%1]").arg(QString::fromUtf8(t)));
        }
    }
    io.Clear();
    auto doc = TestProject::Open(path, io);
    ASSERT_TRUE(doc);
    EXPECT_FALSE(doc->GetSQXSet().IsOpen());
    EXPECT_FALSE(doc->GetNearPrjSet().IsOpen());
    EXPECT_TRUE(io.Messages().empty());
}

TEST_F(DocLifecycle, FileWithoutVersionTableIsVersionTwo) {
    // A version-3 file whose [版本] is gone: its tables hold every version-2 column.
    {
        YDatabase db;
        ASSERT_TRUE(YSchema::CreateProject(db, path, 3));
        ASSERT_TRUE(db.Exec(QStringLiteral("DROP TABLE [版本]")));
    }
    auto doc = TestProject::Open(path, io);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetVersion(), 2u);
    EXPECT_EQ(doc->GetCurrentSegment(), -1);
    EXPECT_FALSE(doc->GetPrjFDSet().IsOpen());
    EXPECT_TRUE(io.Messages().empty());
}

TEST_F(DocLifecycle, NewestFileWithoutVersionTableIsAFormatError) {
    // Read as version 2, [土石计算2] lacks the old columns: the file does not hold together.
    DamagedProject({QStringLiteral("DROP TABLE [版本]")});
    CDalvexDoc doc(io);
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_FALSE(doc.IsOpen());
    ASSERT_EQ(io.Texts().size(), 1);
    EXPECT_TRUE(io.Texts()[0].startsWith(kFormatError + QStringLiteral("表[土石计算2]：缺少列")))
        << io.Texts()[0].toStdString();
}

TEST_F(DocLifecycle, OlderLayoutsOpenAtTheirVersion) {
    for (int version = 1; version <= 6; ++version) {
        const QString file = dir.Path(QStringLiteral("v%1.dvx").arg(version));
        {
            YDatabase db;
            ASSERT_TRUE(YSchema::CreateProject(db, file, version)) << db.LastError().toStdString();
        }
        // Opened twice: the second time the detour column is there already.
        for (int i = 0; i < 2; ++i) {
            auto doc = TestProject::Open(file, io);
            ASSERT_TRUE(doc) << version;
            // Files of layouts 1 and 2 carry no [版本]: both read as 2, and the first set that
            // cannot bind the version-2 columns drops the file to 1.
            EXPECT_EQ(doc->GetVersion(), quint32(version)) << version;
            EXPECT_EQ(doc->GetProjectName(), QStringLiteral("v%1").arg(version));
            // Every layout gets the detour column of the structures.
            EXPECT_TRUE(doc->GetGzwSet().HasColumn(QStringLiteral("绕行距离"))) << version;
        }
    }
    EXPECT_TRUE(io.Messages().empty()) << io.Texts().join(u'|').toStdString();
}

TEST_F(DocLifecycle, ChainBreaksLoadedAndResetOnClose) {
    {
        TestProject doc(path, io);
        doc.AddChainBreak(1, QStringLiteral("K1+100.000=K1+120.000"));
        doc.AddChainBreak(2, QString());                 // empty: skipped
        doc.AddChainBreak(3, QStringLiteral("rubbish")); // unreadable: left out
    }
    auto doc = TestProject::Open(path, io);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Numbering().ChainBreakCount(), 1);
    EXPECT_EQ(doc->Numbering().Text(YStation(1150.0)), QStringLiteral("K1+170.000"));
    doc->DeleteContents();
    EXPECT_EQ(doc->Numbering().ChainBreakCount(), 0);
}

struct LogCase {
    const char* name;
    std::vector<std::pair<int, int>> rows; // GCID, ID in table order
    std::optional<int> damagedStep;
};
// Names the case in test output.
void PrintTo(const LogCase& c, std::ostream* os) {
    *os << c.name;
}

class DamagedLog : public DocLifecycle, public ::testing::WithParamInterface<LogCase> {};

TEST_P(DamagedLog, ReportsTheStepAndStillOpens) {
    const LogCase& c = GetParam();
    {
        TestProject doc(path, io);
        bool source = true;
        for (const auto& [gcid, id] : c.rows) {
            LogRow row;
            row.gcid = gcid;
            row.id = id;
            row.source = source;
            source = !source;
            doc.AddLogRow(row);
        }
    }
    io.Clear();
    auto doc = TestProject::Open(path, io);
    ASSERT_TRUE(doc) << "the project opens anyway";
    EXPECT_EQ(doc->FindLogDamage(), c.damagedStep);
    if (c.damagedStep) {
        ASSERT_EQ(io.Messages().size(), 1u);
        EXPECT_EQ(io.Messages()[0].kind, YMsgKind::Error);
        EXPECT_EQ(io.Messages()[0].text,
                  QStringLiteral("由于您非法操作引起数据未正常保存!(调配过程第%1步)\n\n"
                                 "现有数据已无法恢复!\n\n请重新完成整个操作过程!")
                      .arg(*c.damagedStep));
    } else {
        EXPECT_TRUE(io.Messages().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Logs, DamagedLog,
    ::testing::Values(LogCase{"Empty", {}, std::nullopt},
                      LogCase{
                          "Paired", {{1, 1}, {1, 1}, {1, 2}, {1, 2}, {2, 1}, {2, 1}}, std::nullopt},
                      LogCase{"LastRowUnpaired", {{1, 1}, {1, 1}, {3, 1}}, 3},
                      LogCase{"SingleRow", {{7, 1}}, 7},
                      LogCase{"IdsDifferInsidePair", {{1, 1}, {1, 1}, {2, 1}, {2, 2}}, 2},
                      LogCase{"StepsDifferInsidePair", {{4, 1}, {5, 1}, {5, 1}}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocLifecycle, SaveUnderOwnNameDoesNothingAndSaveAsCopies) {
    TestProject doc(path, io);
    doc.SetProperty(QStringLiteral("项目名称"), QStringLiteral("原件"));
    EXPECT_TRUE(doc->OnSaveDocument(path));
    EXPECT_TRUE(doc->DoSave(QString()));
    const QString copy = dir.Path(QStringLiteral("copy.dvx"));
    {
        QFile f(copy);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old content");
    }
    EXPECT_TRUE(doc->DoSave(copy));
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_TRUE(doc->IsOpen());
    // Later edits go to the document's own file only.
    doc.SetProperty(QStringLiteral("项目名称"), QStringLiteral("改过"));
    auto snap = TestProject::Open(copy, io);
    ASSERT_TRUE(snap);
    EXPECT_EQ(snap->GetProjectName(), QStringLiteral("原件"));
    EXPECT_FALSE(doc->DoSave(dir.Path(QStringLiteral("no/such/folder/x.dvx"))));
}

TEST_F(DocLifecycle, CurrentSegmentIsTheFirstRowAndSwitches) {
    {
        TestProject doc(path, io);
        doc.AddProjectSegment(1, QStringLiteral("K0+040.000"));
        doc.AddProjectSegment(2, QStringLiteral("K0+100.000"));
        doc.AddProjectSegment(3, QStringLiteral("K0+200.000"));
        for (int seg : {1, 2}) {
            for (int i = 0; i < seg + 1; ++i) {
                const double start = 100.0 * seg + 10.0 * i;
                doc.AddSeg({.start = start, .end = start + 10, .use = {5}, .segment = seg});
            }
        }
    }
    auto doc = TestProject::Open(path, io);
    ASSERT_TRUE(doc);
    std::vector<int> changes;
    QObject::connect(doc.get(), &CDalvexDoc::CurrentSegmentChanged,
                     [&](int s) { changes.push_back(s); });
    std::vector<int> hints;
    QObject::connect(doc.get(), &CDalvexDoc::ViewsUpdate, [&](int h) { hints.push_back(h); });
    EXPECT_EQ(doc->GetCurrentSegment(), 1);
    EXPECT_EQ(doc->GetTsjsSet().RecordCount(), 2); // filtered on segment 1
    // Without a model a switch only requeries: nothing to redraw.
    EXPECT_TRUE(doc->SwitchSegment(2));
    EXPECT_EQ(doc->GetTsjsSet().RecordCount(), 3);
    EXPECT_EQ(doc->GetSegmentCount(), 0);
    EXPECT_TRUE(hints.empty());
    EXPECT_TRUE(doc->SwitchSegment(1));
    ASSERT_TRUE(doc->ReloadModel());
    EXPECT_EQ(doc->GetSegmentCount(), 2);

    EXPECT_TRUE(doc->SwitchSegment(2));
    EXPECT_EQ(doc->GetCurrentSegment(), 2);
    EXPECT_EQ(doc->GetDatabase().CurrentSegment(), 2);
    EXPECT_EQ(doc->GetSegmentCount(), 3); // rebuilt for segment 2
    EXPECT_DOUBLE_EQ(doc->GetSegment(0).m_staStart.Value(), 200.0);
    EXPECT_EQ(hints.back(), 1);

    // A segment without results empties the model rather than keep segment 2's items.
    EXPECT_TRUE(doc->SwitchSegment(3));
    EXPECT_EQ(doc->GetSegmentCount(), 0);

    EXPECT_FALSE(doc->SwitchSegment(9));
    EXPECT_EQ(doc->GetCurrentSegment(), -1);
    EXPECT_EQ(changes, (std::vector<int>{2, 1, 2, 3, -1}));
}

// Two projects open side by side (cross-project hauls, the neighbours pane): each formats and
// reads stations with its own label and chain breaks, whichever was opened or activated last.
TEST_F(DocLifecycle, TwoOpenProjectsKeepTheirOwnStationNumbering) {
    const QString pathA = dir.Path(QStringLiteral("a.dvx"));
    const QString pathB = dir.Path(QStringLiteral("b.dvx"));
    {
        TestProject a(pathA, io);
        a.SetProperty(QStringLiteral("项目标识"), QStringLiteral("AK"));
        a.AddChainBreak(1, QStringLiteral("K0+500.000=K0+700.000")); // short chain: +200
        TestProject b(pathB, io);
        b.SetProperty(QStringLiteral("项目标识"), QStringLiteral("BK"));
        b.AddChainBreak(1, QStringLiteral("K0+500.000=K0+400.000")); // long chain: -100
    }
    auto a = TestProject::Open(pathA, io);
    auto b = TestProject::Open(pathB, io);
    ASSERT_TRUE(a && b);
    const YStation s(600.0);
    for (int round = 0; round < 2; ++round) {
        // Interleaved, and again after each was activated in turn.
        EXPECT_EQ(a->Numbering().Text(s), QStringLiteral("AK0+800.000"));
        EXPECT_EQ(b->Numbering().Text(s), QStringLiteral("BK0+500.000"));
        EXPECT_EQ(a->Numbering().ParseOrZero(QStringLiteral("K0+800")), s);
        EXPECT_EQ(b->Numbering().ParseOrZero(QStringLiteral("K0+450")), YStation(450.0))
            << "long-chain overlap reads on the earlier chain";
        EXPECT_EQ(a->Numbering().KmText(s), QStringLiteral("AK0"));
        EXPECT_EQ(b->Numbering().KmCeil(YStation(1000.0)), YStation(1100.0));
        (round == 0 ? b : a)->NotifyActivate(nullptr);
    }

    // Record sets of each project write and read station texts with their own numbering.
    TestProject(*a).AddStructure(0, 0, QStringLiteral("甲桥"), true);
    YGzwSet& gzwA = a->GetGzwSet();
    gzwA.MoveFirst();
    ASSERT_TRUE(gzwA.Edit());
    gzwA.m_staStart = 600.0;
    gzwA.m_staEnd = 650.0;
    ASSERT_TRUE(gzwA.Update());
    b->NotifyActivate(nullptr);
    EXPECT_EQ(a->GetDatabase()
                  .QueryValue(QStringLiteral("SELECT [起始桩号] FROM [构造物]"))
                  .value_or(QVariant())
                  .toString(),
              QStringLiteral("AK0+800.000"));
    ASSERT_TRUE(gzwA.Requery());
    EXPECT_EQ(gzwA.m_staEnd, YStation(650.0));

    // Closing one leaves the other's numbering alone.
    b->DeleteContents();
    EXPECT_EQ(a->Numbering().Text(s), QStringLiteral("AK0+800.000"));
}

} // namespace
