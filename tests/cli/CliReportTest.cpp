// dalvex-cli report on the sample road, allocated by the default allocation: each table written
// with the options given, and bad options refused. What the tables hold is checked in
// tests/core/reports.
#include "CliRunner.h"
#include "core/db/YTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/reports/YXlsxBook.h"
#include "support/ProjectFixture.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

class CliReportTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = new ScratchDir;
        const QString dir = s_dir->Path(QStringLiteral("demo"));
        ASSERT_EQ(RunCli({"demo", dir}).exitCode, 0);
        s_project = QDir(dir).filePath(QStringLiteral("demo.dvx"));
        ASSERT_EQ(RunCli({"auto", s_project}).exitCode, 0);
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    QString Out(const QString& name) { return s_dir->Path(name); }

    static ScratchDir* s_dir;
    static QString s_project;
    YRecordingUserIO m_io;
};
ScratchDir* CliReportTest::s_dir = nullptr;
QString CliReportTest::s_project;

// Every kind of table is written where it was asked for, from this project: the earthwork table
// starts at the project's first station and ends with the diagram the program drew.
TEST_F(CliReportTest, EveryTableIsWrittenWhereAsked) {
    auto doc = TestProject::Open(s_project, m_io);
    ASSERT_TRUE(doc);
    YTsjsSet& cal = doc->GetTsjsSet();
    ASSERT_TRUE(cal.Requery());
    cal.MoveFirst();
    const QString first = doc->Numbering().Text(cal.m_staEnd);
    const int pages = (cal.RecordCount() + 25) / 26;
    for (const char* kind : {"earthwork", "pits", "km-quantities", "km-haul"}) {
        const QString out = Out(QStringLiteral("%1.xlsx").arg(kind));
        const CliResult r = RunCli({"report", kind, s_project, out});
        ASSERT_EQ(r.exitCode, 0) << kind << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(out)) << kind;
        YXlsxBook book;
        ASSERT_TRUE(book.Open(out)) << kind;
        EXPECT_GT(book.SheetCount(), 0) << kind;
    }
    YXlsxBook earthwork;
    ASSERT_TRUE(earthwork.Open(Out("earthwork.xlsx")));
    ASSERT_EQ(earthwork.SheetCount(), pages + 1);
    EXPECT_EQ(earthwork.SheetNames().back(), "调配图");
    EXPECT_EQ(earthwork.PictureCount(pages), 1);
    EXPECT_EQ(earthwork.Text(0, 11, 1), first);
    YXlsxBook pits;
    ASSERT_TRUE(pits.Open(Out("pits.xlsx")));
    EXPECT_TRUE(pits.Text(0, 5, 1).startsWith("JK") || pits.Text(0, 5, 1).startsWith("QK"));
}

TEST_F(CliReportTest, PageRangeAndOptions) {
    CliResult r = RunCli({"report", "earthwork", s_project, Out("p.xlsx"), "--pages", "2-3",
                          "--six-class", "--natural", "填方土方,12"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    YXlsxBook book;
    ASSERT_TRUE(book.Open(Out("p.xlsx")));
    EXPECT_EQ(book.SheetNames(), (QStringList{"土方计算表2", "土方计算表3", "调配图"}));
    EXPECT_EQ(book.Text(0, 4, 19), "填方土方"); // the six-class template

    r = RunCli({"report", "earthwork", s_project, Out("x.xlsx"), "--pages", "0-99"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("--pages"));
    r = RunCli({"report", "earthwork", s_project, Out("x.xlsx"), "--natural", "土方"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("不认识的输出项：土方"));
    r = RunCli({"report", "lists", s_project, Out("x.xlsx")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("report <earthwork|haul|pits|km-quantities|km-haul>"));
    EXPECT_FALSE(QFileInfo::exists(Out("x.xlsx")));
}

// The options reach the table: with no manual share its column stays empty. (What the rows
// hold is ReportTablesTest's.)
TEST_F(CliReportTest, HaulTableTakesItsOptions) {
    const CliResult r = RunCli({"report", "haul", s_project, Out("h.xlsx"), "--volume",
                                "--manual-share", "0", "--bulldozer-limit", "100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    YXlsxBook book;
    ASSERT_TRUE(book.Open(Out("h.xlsx")));
    int rows = 0;
    for (int s = 0; s < book.SheetCount(); ++s) {
        for (int row = 8; row <= 39; ++row) {
            rows += book.Text(s, row, 16).isEmpty() ? 0 : 1;
            EXPECT_EQ(book.Kind(s, row, 2), YXlsxBook::CellKind::Empty);
        }
    }
    EXPECT_GT(rows, 0); // the sample's hauls are in it
}

} // namespace
