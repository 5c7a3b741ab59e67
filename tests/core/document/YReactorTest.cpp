// Reactors: ownership, lookup by class, the notifications the document sends.
#include "DocFixture.h"
#include "support/TestSupport.h"

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
    void OnReload() override { m_log << m_tag + QStringLiteral(":reload"); }
    void OnReset() override { m_log << m_tag + QStringLiteral(":reset"); }
    void OnNewStep(int n) override { m_log << m_tag + QStringLiteral(":new%1").arg(n); }
    void OnStepEnded(int n) override { m_log << m_tag + QStringLiteral(":end%1").arg(n); }
    void OnStepUndone(int n) override { m_log << m_tag + QStringLiteral(":undo%1").arg(n); }
    void OnStepRedone(int n) override { m_log << m_tag + QStringLiteral(":redo%1").arg(n); }
    void OnStepDeleted(int n) override { m_log << m_tag + QStringLiteral(":del%1").arg(n); }
    void OnActivate(CDalvexView*) override {
        m_log << m_tag + QStringLiteral(":activate%1")
                             .arg(GetDocument()->Numbering().ChainBreakCount());
    }
    void OnSourcePicked() override { m_log << m_tag + QStringLiteral(":picked"); }
    void OnToolReset() override { m_log << m_tag + QStringLiteral(":toolreset"); }

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

TEST_F(Reactors, DocumentSendsItsNotificationsInOrder) {
    const QString path = dir.Path(QStringLiteral("p.dvx"));
    {
        auto doc = NewProject(path, io);
        AddChainBreak(*doc, 1, QStringLiteral("K1+100.000=K1+120.000"));
        SegRow r;
        r.end = 10;
        r.use[0] = r.remUse[0] = 1;
        AddSegmentRow(*doc, r);
    }
    auto doc = OpenProject(path, io);
    ASSERT_TRUE(doc);
    doc->AddReactor(std::make_unique<LogReactor>(log));
    ASSERT_TRUE(doc->ReloadModel());
    doc->NotifyNewStep(3);
    doc->NotifyStepEnded(3);
    doc->NotifyStepUndone(3);
    doc->NotifyStepRedone(3);
    doc->NotifyStepDeleted(3);
    doc->NotifyActivate(nullptr); // chain breaks are back before the reactors hear of it
    doc->NotifySourcePicked();
    doc->NotifyToolReset();
    doc->DeleteContents();
    EXPECT_EQ(log, (QStringList{"A:reload", "A:new3", "A:end3", "A:undo3", "A:redo3", "A:del3",
                                "A:activate1", "A:picked", "A:toolreset", "A:reset"}));
    log.clear();
    doc.reset();
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
