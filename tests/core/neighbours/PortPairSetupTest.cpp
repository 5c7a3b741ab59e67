#include "core/db/YDatabase.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/model/YNearPrjItem.h"
#include "core/neighbours/YPortPairSetup.h"
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QDir>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

const QString kGuidA = QStringLiteral("{aaaaaaaa-0000-0000-0000-000000000001}");
const QString kGuidB = QStringLiteral("{bbbbbbbb-0000-0000-0000-000000000002}");

// A project file with a GUID, a name and one computation segment, so that the model loads.
void CreateProject(const QString& path, const QString& guid, const QString& name) {
    YRecordingUserIO io;
    dalvex::test::TestProject p(path, io);
    p.SetGuid(guid, name);
    p.AddSeg({.end = 60, .fill = 10});
}

struct PortRow {
    int no;
    double sta, staNear, dist;
    QString name, path, guid;
    int nearSeg;
};

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
    const auto ra = Rows(*a);
    const auto rb = Rows(*b);
    ASSERT_EQ(ra.size(), 1u);
    ASSERT_EQ(rb.size(), 1u);
    EXPECT_EQ(ra[0].no, 1);
    EXPECT_EQ(rb[0].no, 1);
    EXPECT_EQ(ra[0].sta, 60.0);
    EXPECT_EQ(ra[0].staNear, 0.0);
    EXPECT_EQ(rb[0].sta, 0.0);
    EXPECT_EQ(rb[0].staNear, 60.0);
    EXPECT_EQ(ra[0].dist, 12.5);
    EXPECT_EQ(rb[0].dist, 12.5);
    EXPECT_EQ(ra[0].name, QStringLiteral("乙线"));
    EXPECT_EQ(rb[0].name, QStringLiteral("甲线"));
    EXPECT_EQ(ra[0].path, QStringLiteral("sub/b.dvx")); // relative to the other's folder
    EXPECT_EQ(rb[0].path, QStringLiteral("../a.dvx"));
    EXPECT_EQ(ra[0].guid, kGuidB);
    EXPECT_EQ(rb[0].guid, kGuidA);
    EXPECT_EQ(ra[0].nearSeg, b->GetCurrentSegment());
    EXPECT_EQ(rb[0].nearSeg, a->GetCurrentSegment());
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
