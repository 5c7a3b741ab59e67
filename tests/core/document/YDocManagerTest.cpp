// The open-project registry: the walk that opens every project reachable through neighbour
// links once, lookup by GUID, listing, activation and closing.
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"

#include "core/document/YDocFrontEnd.h"
#include "core/document/YDocManager.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

// Keeps what the manager asked of the windows, by project name.
class RecordingFrontEnd : public YDocFrontEnd {
  public:
    void DocumentOpened(CDalvexDoc& doc) override { events << "open:" + doc.GetProjectName(); }
    void DocumentClosing(CDalvexDoc& doc) override { events << "close:" + doc.GetProjectName(); }
    void ActivateDocument(CDalvexDoc& doc) override { events << "front:" + doc.GetProjectName(); }
    QStringList events;
};

class DocManager : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureCoreApp();
        manager.SetFrontEnd(&front);
    }

    // Project <name>.dvx in folder sub with GUID "G-<name>" and links to the given projects
    // (stored relative, with backslashes, as older files have them).
    QString Make(const QString& sub, const QString& name,
                 const std::vector<std::pair<QString, QString>>& links) {
        QDir(dir.Path(QString())).mkpath(sub);
        const QString path = dir.Path(sub + QLatin1Char('/') + name + QStringLiteral(".dvx"));
        YRecordingUserIO quiet;
        TestProject doc(path, quiet);
        doc.SetProperty(QStringLiteral("项目名称"), name);
        doc.SetProperty(QStringLiteral("GUID"), QStringLiteral("G-") + name);
        int no = 1;
        for (const auto& [stored, other] : links) {
            doc.AddLink(no++, 0.0, 0.0, 10, other, stored, QStringLiteral("G-") + other);
        }
        return path;
    }
    QStringList OpenNames() const {
        std::vector<CDalvexDoc*> docs;
        manager.ListDocuments(docs);
        QStringList names;
        for (CDalvexDoc* d : docs) {
            names << d->GetProjectName();
        }
        return names;
    }

    ScratchDir dir;
    YRecordingUserIO io;
    YDocManager manager{io};
    RecordingFrontEnd front;
};

TEST_F(DocManager, ChainOfNeighboursOpensEachOnceAndFirstComesBack) {
    const QString a = Make("p/a", "A", {{"..\\b\\B.dvx", "B"}});
    Make("p/b", "B", {{"..\\c\\C.dvx", "C"}, {"..\\a\\A.dvx", "A"}});
    Make("p/c", "C", {{"../a/A.dvx", "A"}, {"..\\b\\B.dvx", "B"}});

    CDalvexDoc* pA = manager.OpenDocumentFile(a);
    ASSERT_NE(pA, nullptr);
    EXPECT_EQ(pA->GetProjectName(), QStringLiteral("A"));
    EXPECT_EQ(OpenNames(), (QStringList{"A", "B", "C"}));
    EXPECT_TRUE(manager.PendingOpen().isEmpty());
    ASSERT_FALSE(front.events.isEmpty());
    EXPECT_EQ(front.events.back(), QStringLiteral("front:A"));
    EXPECT_EQ(front.events.count(QStringLiteral("open:B")), 1);
    EXPECT_EQ(front.events.count(QStringLiteral("open:C")), 1);
    EXPECT_TRUE(io.Messages().empty()) << io.Texts().join(u'|').toStdString();

    // Opening A again only activates it.
    front.events.clear();
    EXPECT_EQ(manager.OpenDocumentFile(a), pA);
    EXPECT_EQ(manager.DocumentCount(), 3);
    EXPECT_FALSE(front.events.contains(QStringLiteral("open:A")));
}

TEST_F(DocManager, DuplicateNeighbourIsQueuedOnce) {
    const QString a = Make("p/a", "A", {{"..\\b\\B.dvx", "B"}, {"..\\b\\B.dvx", "B"}});
    Make("p/b", "B", {});
    ASSERT_NE(manager.OpenDocumentFile(a), nullptr);
    EXPECT_EQ(OpenNames(), (QStringList{"A", "B"}));
    EXPECT_EQ(front.events, (QStringList{"open:A", "open:B", "front:A"}));
}

TEST_F(DocManager, NeighbourThatFailsIsSkipped) {
    const QString a = Make("p/a", "A", {{"..\\gone\\G.dvx", "G"}, {"..\\b\\B.dvx", "B"}});
    Make("p/b", "B", {});
    ASSERT_NE(manager.OpenDocumentFile(a), nullptr);
    EXPECT_EQ(OpenNames(), (QStringList{"A", "B"}));
    // The failing file reports its own opening error; nothing else is said.
    ASSERT_EQ(io.Texts().size(), 1);
    EXPECT_TRUE(io.Texts()[0].startsWith(QStringLiteral("文件不存在：")));
    EXPECT_TRUE(io.Texts()[0].endsWith(QStringLiteral("G.dvx"))) << io.Texts()[0].toStdString();
    EXPECT_TRUE(manager.PendingOpen().isEmpty());
}

TEST_F(DocManager, FailedFirstProjectLeavesNothingQueued) {
    EXPECT_EQ(manager.OpenDocumentFile(dir.Path(QStringLiteral("none.dvx"))), nullptr);
    EXPECT_TRUE(manager.PendingOpen().isEmpty());
    EXPECT_EQ(manager.DocumentCount(), 0);
    // A later request is not disturbed by the failed one.
    io.Clear();
    const QString b = Make("p/b", "B", {});
    ASSERT_NE(manager.OpenDocumentFile(b), nullptr);
    EXPECT_TRUE(io.Messages().empty());
}

TEST_F(DocManager, FindListActivateClose) {
    const QString a = Make("p/a", "A", {});
    const QString b = Make("p/b", "B", {});
    CDalvexDoc* pA = manager.OpenDocumentFile(a);
    CDalvexDoc* pB = manager.OpenDocumentFile(b);
    ASSERT_TRUE(pA && pB);
    EXPECT_EQ(manager.FindOpenProject(QStringLiteral("G-B")), pB);
    EXPECT_EQ(pA->FindOpenProject(QStringLiteral("G-B")), pB);
    EXPECT_EQ(manager.FindOpenProject(QStringLiteral("g-b")), nullptr); // exact text
    EXPECT_EQ(manager.FindOpenProject(QString()), nullptr);
    EXPECT_EQ(manager.FindByPath(dir.Path(QStringLiteral("p/a/../a/A.dvx"))), pA);
    front.events.clear();
    pB->ActivateProject(*pA);
    EXPECT_EQ(front.events, QStringList{QStringLiteral("front:A")});
    EXPECT_TRUE(manager.CloseDocument(pA));
    EXPECT_FALSE(manager.CloseDocument(pA));
    EXPECT_EQ(manager.FindOpenProject(QStringLiteral("G-A")), nullptr);
    EXPECT_EQ(OpenNames(), QStringList{QStringLiteral("B")});
    manager.CloseAll();
    EXPECT_EQ(manager.DocumentCount(), 0);
    EXPECT_TRUE(front.events.contains(QStringLiteral("close:B")));
}

TEST_F(DocManager, NewDocumentReplacesAnOpenOne) {
    const QString a = Make("p/a", "A", {});
    ASSERT_NE(manager.OpenDocumentFile(a), nullptr);
    CDalvexDoc* pNew = manager.NewDocumentFile(a);
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(manager.DocumentCount(), 1);
    EXPECT_EQ(pNew->GetProjectName(), QStringLiteral("A")); // the base name: no properties
    EXPECT_TRUE(pNew->GetGuid().isEmpty());
}

} // namespace
