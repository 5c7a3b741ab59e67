// Reactors: ownership, lookup by class, removal while notified.
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include "core/document/CDalvexDoc.h"
#include "core/document/YReactor.h"

#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

// Records the notifications it receives, in order.
class LogReactor : public YReactor {
  public:
    explicit LogReactor(QStringList& log, QString tag = QStringLiteral("A"))
        : m_log(log), m_tag(std::move(tag)) {}
    ~LogReactor() override { m_log << m_tag + QStringLiteral(":destroyed"); }
    void OnReset() override { m_log << m_tag + QStringLiteral(":reset"); }

  protected:
    QStringList& m_log;
    QString m_tag;
};

class OtherReactor : public LogReactor {
  public:
    using LogReactor::LogReactor;
};

// Removes itself when told of a reset.
class SelfRemoving : public LogReactor {
  public:
    using LogReactor::LogReactor;
    void OnReset() override {
        LogReactor::OnReset();
        GetDocument()->RemoveReactor(this);
        m_log << m_tag + QStringLiteral(":still-alive");
    }
};

class Reactors : public ::testing::Test {
  protected:
    void SetUp() override { EnsureCoreApp(); }
    ScratchDir dir;
    YRecordingUserIO io;
    QStringList log;
};

TEST_F(Reactors, LookupByClassFindsDerivedToo) {
    CDalvexDoc doc(io);
    EXPECT_EQ(doc.FindReactor<LogReactor>(), nullptr);
    YReactor* a = doc.AddReactor(std::make_unique<LogReactor>(log));
    YReactor* b = doc.AddReactor(std::make_unique<OtherReactor>(log, QStringLiteral("B")));
    EXPECT_EQ(a->GetDocument(), &doc);
    EXPECT_EQ(doc.FindReactor<LogReactor>(), a);
    EXPECT_EQ(doc.FindReactor<OtherReactor>(), b);
    EXPECT_EQ(doc.ReactorCount(), 2);
    doc.RemoveReactor(a);
    EXPECT_EQ(doc.FindReactor<LogReactor>(), b);
    EXPECT_EQ(log, QStringList{QStringLiteral("A:destroyed")});
}

TEST_F(Reactors, ReactorMayRemoveItselfWhileNotified) {
    CDalvexDoc doc(io);
    doc.AddReactor(std::make_unique<SelfRemoving>(log, QStringLiteral("S")));
    doc.AddReactor(std::make_unique<LogReactor>(log, QStringLiteral("B")));
    doc.NotifyReset();
    EXPECT_EQ(log, (QStringList{"S:reset", "S:still-alive", "B:reset", "S:destroyed"}));
    EXPECT_EQ(doc.ReactorCount(), 1);
    EXPECT_EQ(doc.FindReactor<SelfRemoving>(), nullptr);
}

TEST_F(Reactors, FailedOpenLeavesDocumentClosedAndTellsReactors) {
    CDalvexDoc doc(io);
    doc.AddReactor(std::make_unique<LogReactor>(log));
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path(QStringLiteral("missing.dvx"))));
    EXPECT_TRUE(log.contains(QStringLiteral("A:reset")));
    EXPECT_FALSE(doc.IsOpen());
}

} // namespace
