// Neighbour paths stored relative to the project's folder, with either separator.
#include "support/TestSupport.h"

#include "core/document/CDalvexDoc.h"
#include "support/YRecordingUserIO.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

class NeighbourPath : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureCoreApp();
        root = QDir(dir.Path(QString())).canonicalPath();
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("p/a")));
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("p/b")));
        ASSERT_TRUE(doc.OnNewDocument(root + QStringLiteral("/p/a/p.dvx")));
    }
    ScratchDir dir;
    QString root;
    YRecordingUserIO io;
    CDalvexDoc doc{io};
};

TEST_F(NeighbourPath, RelativeStoredPathsResolveAgainstTheProjectFolder) {
    struct Case {
        const char* stored;
        const char* want; // below root
    } cases[] = {
        {"..\\b\\x.dvx", "/p/b/x.dvx"},
        {"../b/x.dvx", "/p/b/x.dvx"},
        {"x.dvx", "/p/a/x.dvx"},
        {"\\x.dvx", "/p/a/x.dvx"},
        {"\\/sub/x.dvx", "/p/a/sub/x.dvx"},
        {".\\c\\..\\x.dvx", "/p/a/x.dvx"},
        {"..\\..\\q.dvx", "/q.dvx"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(doc.ResolveNeighbourPath(QString::fromUtf8(c.stored)),
                  root + QString::fromUtf8(c.want))
            << c.stored;
    }
}

TEST_F(NeighbourPath, AbsoluteStoredPathsAreUnchanged) {
    for (const char* stored : {"C:\\p\\b\\x.dvx", "c:/p/x.dvx", "\\\\server\\share\\x.dvx"}) {
        EXPECT_EQ(doc.ResolveNeighbourPath(QString::fromUtf8(stored)), QString::fromUtf8(stored));
    }
    EXPECT_EQ(doc.ResolveNeighbourPath(root + QStringLiteral("/p/b/../b/x.dvx")),
              root + QStringLiteral("/p/b/../b/x.dvx"));
}

TEST_F(NeighbourPath, MakeIsTheInverse) {
    for (const char* rel : {"p/b/x.dvx", "p/a/y.dvx", "p/a/s/t/z.dvx", "w.dvx"}) {
        const QString abs = root + QLatin1Char('/') + QString::fromUtf8(rel);
        const QString stored = doc.MakeNeighbourPath(abs);
        EXPECT_FALSE(stored.startsWith(QLatin1Char('/'))) << rel;
        EXPECT_EQ(doc.ResolveNeighbourPath(stored), abs) << rel;
    }
    EXPECT_EQ(doc.MakeNeighbourPath(root + QStringLiteral("/p/b/x.dvx")),
              QStringLiteral("../b/x.dvx"));
}

} // namespace
