#pragma once

#include "core/db/DpLogRecord.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/document/YReactor.h"
#include "core/station/YStation.h"
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace dalvex::test {

// Writes down every process notification as a short text ("new 3", "added 3.1", ...).
class LogReactor : public YReactor {
  public:
    QStringList events;
    void OnReset() override { events << QStringLiteral("reset"); }
    void OnNewStep(int s) override { events << QStringLiteral("new %1").arg(s); }
    void OnProcessAdded(const DpProcess& p) override {
        events << QStringLiteral("added %1.%2").arg(p.step).arg(p.seq);
    }
    void OnStepEnded(int s) override { events << QStringLiteral("ended %1").arg(s); }
    void OnProcessUndone(const DpLogRecord& r) override {
        events << QStringLiteral("undone %1.%2").arg(r.step).arg(r.seq);
    }
    void OnStepUndone(int s) override { events << QStringLiteral("step undone %1").arg(s); }
    void OnProcessRedone(const DpLogRecord& r) override {
        events << QStringLiteral("redone %1.%2").arg(r.step).arg(r.seq);
    }
    void OnStepRedone(int s) override { events << QStringLiteral("step redone %1").arg(s); }
    void OnStepDeleted(int s) override { events << QStringLiteral("deleted %1").arg(s); }
};

// A fresh project of a short road in a scratch folder, with a reactor listening.
class ProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureCoreApp();
        project = std::make_unique<TestProject>(manager, dir.Path(QStringLiteral("p.dvx")));
        ASSERT_TRUE(project->IsOpen());
        reactor = static_cast<LogReactor*>(Doc().AddReactor(std::make_unique<LogReactor>()));
    }
    void TearDown() override { manager.CloseAll(); }

    CDalvexDoc& Doc() { return project->Doc(); }
    // A road of `segments` with borrow pit 1 at K0+030 and waste pit 1 at K0+150, loaded.
    void LoadRoadWithPits(int segments);
    // Rows of the log as the set holds them.
    int LogRows();

    ScratchDir dir;
    YRecordingUserIO io;
    YDocManager manager{io};
    std::unique_ptr<TestProject> project;
    LogReactor* reactor = nullptr;
};

// Element-wise comparison of two tables within a tolerance, with the place of the first
// difference in the failure message.
::testing::AssertionResult TablesNear(const std::vector<std::vector<double>>& a,
                                      const std::vector<std::vector<double>>& b, double tol);
::testing::AssertionResult ValuesNear(const std::vector<double>& a, const std::vector<double>& b,
                                      double tol);

} // namespace dalvex::test
