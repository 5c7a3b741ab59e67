#include "core/db/YDatabase.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/model/YNearPrjItem.h"
#include "core/neighbours/YNearPrjList.h"
#include "core/neighbours/YPortPairSetup.h"
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QDir>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <ostream>

namespace {

const QString kGuidA = QStringLiteral("{aaaaaaaa-0000-0000-0000-000000000001}");
const QString kGuidB = QStringLiteral("{bbbbbbbb-0000-0000-0000-000000000002}");

// A project file with a GUID, a name and one computation segment, so that the model loads.
void CreateProject(const QString& path, const QString& guid, const QString& name,
                   const QString& chainBreak = QString()) {
    YRecordingUserIO io;
    dalvex::test::TestProject p(path, io);
    p.SetGuid(guid, name);
    p.AddSeg({.end = 60, .fill = 10});
    if (!chainBreak.isEmpty()) {
        p.AddChainBreak(1, chainBreak);
    }
}

struct PortRow {
    int no;
    double sta, staNear, dist;
    QString name, path, guid;
    int nearSeg;
    bool operator==(const PortRow&) const = default;
};
void PrintTo(const PortRow& r, std::ostream* os) {
    *os << r.no << ' ' << r.sta << ' ' << r.staNear << ' ' << r.dist << ' ' << r.name.toStdString()
        << ' ' << r.path.toStdString() << ' ' << r.guid.toStdString() << ' ' << r.nearSeg;
}

std::vector<PortRow> Rows(CDalvexDoc& doc) {
    QSqlQuery q(doc.GetDatabase().Connection());
    EXPECT_TRUE(q.exec(QStringLiteral("SELECT [编号], [桩号], [相邻桩号], [距离], [相邻项目名称], "
                                      "[相邻项目路径], [相邻项目GUID], [相邻项目分段] "
                                      "FROM [相邻项目] ORDER BY [编号]")));
    std::vector<PortRow> rows;
    while (q.next()) {
        rows.push_back({q.value(0).toInt(), q.value(1).toDouble(), q.value(2).toDouble(),
                        q.value(3).toDouble(), q.value(4).toString(), q.value(5).toString(),
                        q.value(6).toString(), q.value(7).toInt()});
    }
    return rows;
}

class PortPairSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        QDir().mkpath(dir.Path(QStringLiteral("sub")));
        CreateProject(dir.Path(QStringLiteral("a.dvx")), kGuidA, QStringLiteral("甲线"));
        CreateProject(dir.Path(QStringLiteral("sub/b.dvx")), kGuidB, QStringLiteral("乙线"));
        a = mgr.OpenDocumentFile(dir.Path(QStringLiteral("a.dvx")));
        b = mgr.OpenDocumentFile(dir.Path(QStringLiteral("sub/b.dvx")));
        ASSERT_TRUE(a && b);
        ASSERT_TRUE(a->ReloadModel());
        ASSERT_TRUE(b->ReloadModel());
    }

    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    YDocManager mgr{io};
    CDalvexDoc* a = nullptr;
    CDalvexDoc* b = nullptr;
};

// The first port gets 编号 1 in both projects and mirrored rows; the model learns both links.
TEST_F(PortPairSetupTest, MirrorRule) {
    YPortPairSetup setup(*a, *b);
    EXPECT_EQ(setup.SourceName(), QStringLiteral("甲线"));
    EXPECT_EQ(setup.DestName(), QStringLiteral("乙线"));
    ASSERT_EQ(setup.Entries().size(), 1u);
    EXPECT_EQ(setup.Entries()[0].strText, QStringLiteral("新建调出调入口"));
    EXPECT_EQ(setup.Entries()[0].nLink, -1);

    const auto ports = setup.CreatePort(60.0, 12.5, 0.0);
    ASSERT_TRUE(ports);
    EXPECT_EQ(ports->nExit, 0);
    EXPECT_EQ(ports->nEntry, 0);
    // Mirrored rows; each names the other project by a path relative to its own folder.
    EXPECT_EQ(Rows(*a), (std::vector<PortRow>{{1, 60.0, 0.0, 12.5, QStringLiteral("乙线"),
                                               QStringLiteral("sub/b.dvx"), kGuidB,
                                               b->GetCurrentSegment()}}));
    EXPECT_EQ(Rows(*b),
              (std::vector<PortRow>{{1, 0.0, 60.0, 12.5, QStringLiteral("甲线"),
                                     QStringLiteral("../a.dvx"), kGuidA, a->GetCurrentSegment()}}));
    ASSERT_EQ(a->Model().m_arrNearPrj.size(), 1u);
    EXPECT_EQ(a->Model().m_arrNearPrj[0].m_strGuid, kGuidB);
    EXPECT_EQ(YPortPairSetup::FindMirror(*a, a->Model().m_arrNearPrj[0], *b), 0);
    EXPECT_TRUE(io.Texts().isEmpty());

    // Reopened, the ports are still there, and the combo offers the pair.
    ASSERT_TRUE(a->ReloadModel());
    const auto entries = YPortPairSetup(*a, *b).Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].strText, QStringLiteral("K0+060.000~12.500~K0+000.000"));
    EXPECT_EQ(entries[1].nLink, 0);
}

TEST_F(PortPairSetupTest, SamePlaceRefusedAndNumbersIndependent) {
    YPortPairSetup setup(*a, *b);
    ASSERT_TRUE(setup.CreatePort(60.0, 10.0, 0.0));
    EXPECT_FALSE(setup.CreatePort(60.0, 99.0, 0.0));
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("已经有相同位置的调出调入口")});
    EXPECT_EQ(Rows(*a).size(), 1u);
    EXPECT_EQ(Rows(*b).size(), 1u);

    // A port in the other direction: B's next number is 2, A's too; a third from A gets 3.
    ASSERT_TRUE(YPortPairSetup(*b, *a).CreatePort(5.0, 1.0, 55.0));
    ASSERT_TRUE(setup.CreatePort(30.0, 2.0, 30.0));
    const auto ra = Rows(*a);
    const auto rb = Rows(*b);
    ASSERT_EQ(ra.size(), 3u);
    ASSERT_EQ(rb.size(), 3u);
    EXPECT_EQ(ra[1].no, 2);
    EXPECT_EQ(ra[1].sta, 55.0);
    EXPECT_EQ(rb[1].sta, 5.0);
    EXPECT_EQ(ra[2].no, 3);
    // Entries list only the links from A to B (all three are).
    EXPECT_EQ(setup.Entries().size(), 4u);
}

// Choosing an existing port needs its mirror in the destination.
TEST_F(PortPairSetupTest, ExistingPortNeedsItsMirror) {
    YPortPairSetup setup(*a, *b);
    ASSERT_TRUE(setup.CreatePort(60.0, 10.0, 0.0));
    ASSERT_TRUE(setup.CreatePort(20.0, 10.0, 40.0));
    const auto chosen = setup.UseExisting(1);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->nExit, 1);
    EXPECT_EQ(chosen->nEntry, 1);
    // The mirror's station changed in B: the pair is damaged.
    b->Model().m_arrNearPrj[1].m_sta = 41.0;
    EXPECT_FALSE(setup.UseExisting(1));
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("所选调出调入口数据已经损坏,请重新选择！")});
    EXPECT_EQ(YPortPairSetup::FindMirror(*a, a->Model().m_arrNearPrj[1], *b), -1);
    EXPECT_FALSE(setup.UseExisting(7)); // not a link: nothing to choose
}

} // namespace

// ---- The neighbours pane's list ----

// A (甲线) with two ports to B (乙线, a chain break at K0+020 → K1+020) and one to a project
// that is not open, and C (丙线) open without ports. The GUIDs sort C, B, the closed one.
class NearPrjListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        CreateProject(dir.Path(QStringLiteral("a.dvx")), kGuidA, QStringLiteral("甲线"));
        CreateProject(dir.Path(QStringLiteral("b.dvx")), kGuidB, QStringLiteral("乙线"),
                      QStringLiteral("K0+020=K1+020"));
        CreateProject(dir.Path(QStringLiteral("c.dvx")), kGuidC, QStringLiteral("丙线"));
        a = mgr.OpenDocumentFile(dir.Path(QStringLiteral("a.dvx")));
        b = mgr.OpenDocumentFile(dir.Path(QStringLiteral("b.dvx")));
        c = mgr.OpenDocumentFile(dir.Path(QStringLiteral("c.dvx")));
        ASSERT_TRUE(a && b && c);
        for (CDalvexDoc* doc : {a, b, c}) {
            ASSERT_TRUE(doc->ReloadModel());
        }
        ASSERT_TRUE(YPortPairSetup(*a, *b).CreatePort(55.0, 8.0, 30.0));
        ASSERT_TRUE(YPortPairSetup(*a, *b).CreatePort(40.0, 5.0, 10.0));
        ASSERT_TRUE(a->GetDatabase().Exec(
            QStringLiteral("INSERT INTO [相邻项目] ([编号],[桩号],[相邻桩号],[距离],[相邻项目名称],"
                           "[相邻项目路径],[相邻项目GUID],[相邻项目分段]) VALUES "
                           "(3, 10, 0, 1, '丁线', 'd.dvx', ?, ?)"),
            {kGuidClosed, a->GetCurrentSegment()}));
        ASSERT_TRUE(a->ReloadModel());
        // The reload reports the port whose project is not open.
        ASSERT_EQ(io.Texts(), QStringList{QStringLiteral("没有打开调配文件:d.dvx")});
    }
    QList<QStringList> AllLines(CDalvexDoc& d, const YNearToolState& tool,
                                int* selected = nullptr) {
        QList<QStringList> lines;
        for (const YNearListEntry& e : YNearPrjList::Build(d, tool, selected)) {
            lines.append(YNearPrjList::Lines(d, e, tool));
        }
        return lines;
    }
    int LinkAt(CDalvexDoc& d, double sta) {
        const auto& links = d.Model().m_arrNearPrj;
        for (size_t i = 0; i < links.size(); ++i) {
            if (links[i].m_sta.Value() == sta) {
                return int(i);
            }
        }
        return -1;
    }

    static inline const QString kGuidC = QStringLiteral("{0ccccccc-0000-0000-0000-000000000003}");
    static inline const QString kGuidClosed =
        QStringLiteral("{dddddddd-0000-0000-0000-000000000004}");
    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    YDocManager mgr{io};
    CDalvexDoc* a = nullptr;
    CDalvexDoc* b = nullptr;
    CDalvexDoc* c = nullptr;
};

// Without a pick: each project's ports by station before its own entry, projects by GUID, each
// station in its own project's numbering; a port to a closed project stays and says so.
TEST_F(NearPrjListTest, EntriesOrderAndTexts) {
    const QList<QStringList> expected = {
        {"相邻项目: 丙线", "双击切换到该项目"},
        {"相邻项目: 乙线", "本地桩号: K0+040.000", "相邻桩号: K0+010.000"},
        {"相邻项目: 乙线", "本地桩号: K0+055.000", "相邻桩号: K1+030.000"},
        {"相邻项目: 乙线", "双击切换到该项目"},
        {"相邻项目: 丁线", "本地桩号: K0+010.000", "（该项目没有打开）"},
    };
    EXPECT_EQ(AllLines(*a, {}), expected);
    // B lists its two mirrors and both other projects.
    EXPECT_EQ(AllLines(*b, {}).size(), 4);
}

// A source picked in A: A offers its exits and new ports; once an entry into B is chosen, B
// shows only the ports to A with the chosen one marked.
TEST_F(NearPrjListTest, TextsWhileAHaulIsPrepared) {
    YNearToolState tool{.pSource = a};
    const QList<QStringList> fromA = AllLines(*a, tool);
    EXPECT_EQ(fromA[0], (QStringList{"调到相邻项目: 丙线", "新建调出口..."}));
    EXPECT_EQ(fromA[1],
              (QStringList{"调到相邻项目: 乙线", "出口桩号: K0+040.000", "入口桩号: K0+010.000"}));
    EXPECT_EQ(AllLines(*c, tool).value(0), (QStringList{"从相邻项目调入: 甲线", QString()}));

    tool = {.pSource = a, .pDest = b, .nEntry = LinkAt(*b, 30.0), .nExit = LinkAt(*a, 55.0)};
    int selected = -1;
    const QList<QStringList> intoB = AllLines(*b, tool, &selected);
    ASSERT_EQ(intoB.size(), 2);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(intoB[0][0], QStringLiteral("  从相邻项目调入: 甲线"));
    EXPECT_EQ(intoB[1], (QStringList{"<-从相邻项目调入: 甲线", "入口桩号: K1+030.000",
                                     "出口桩号: K0+055.000"}));
}

TEST_F(NearPrjListTest, DoubleClicks) {
    using A = YNearPrjList::Action;
    // No pick: any entry brings its project forward; a closed project's port does nothing.
    EXPECT_EQ(YNearPrjList::OnDoubleClick(*a, YNearListEntry{kGuidC, -1}, {}).kind, A::Activate);
    EXPECT_EQ(YNearPrjList::OnDoubleClick(*a, YNearListEntry{kGuidClosed, 2}, {}).kind, A::None);

    // Source in A: a project entry opens the port dialog, a port hands the tool both ends.
    const YNearToolState fromA{.pSource = a};
    const A dialog = YNearPrjList::OnDoubleClick(*a, YNearListEntry{kGuidB, -1}, fromA);
    EXPECT_EQ(dialog.kind, A::ChoosePorts);
    EXPECT_EQ(dialog.pTarget, b);
    const A exit = YNearPrjList::OnDoubleClick(*a, YNearListEntry{kGuidB, LinkAt(*a, 55.0)}, fromA);
    EXPECT_EQ(exit.kind, A::SetPorts);
    EXPECT_EQ(exit.pTarget, b);
    EXPECT_EQ(exit.ports.pSource, a);
    EXPECT_EQ(exit.ports.nExit, LinkAt(*a, 55.0));
    EXPECT_EQ(exit.ports.pDest, b);
    EXPECT_EQ(exit.ports.nEntry, LinkAt(*b, 30.0));
    EXPECT_TRUE(exit.bActivate);

    // In B, for A's source: choosing an entry sets it without leaving B; choosing it again
    // drops the ports and goes back to A.
    const A entry =
        YNearPrjList::OnDoubleClick(*b, YNearListEntry{kGuidA, LinkAt(*b, 10.0)}, fromA);
    EXPECT_EQ(entry.kind, A::SetPorts);
    EXPECT_FALSE(entry.bActivate);
    EXPECT_EQ(entry.ports.nEntry, LinkAt(*b, 10.0));
    EXPECT_EQ(entry.ports.nExit, LinkAt(*a, 40.0));
    const YNearToolState chosen = entry.ports;
    const A again =
        YNearPrjList::OnDoubleClick(*b, YNearListEntry{kGuidA, LinkAt(*b, 10.0)}, chosen);
    EXPECT_EQ(again.kind, A::ClearPorts);
    EXPECT_EQ(again.pTarget, a);

    // A port whose mirror is gone leads nowhere while a haul is prepared.
    ASSERT_TRUE(b->GetDatabase().Exec(QStringLiteral("DELETE FROM [相邻项目] WHERE [桩号] = 30")));
    ASSERT_TRUE(b->ReloadModel());
    EXPECT_EQ(YNearPrjList::OnDoubleClick(*a, YNearListEntry{kGuidB, LinkAt(*a, 55.0)}, fromA).kind,
              A::None);
}
