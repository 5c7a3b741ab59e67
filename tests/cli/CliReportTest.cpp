// dalvex-cli report on the sample road, allocated by the default allocation: each table is
// read back and checked against the project's own tables.
#include "CliRunner.h"
#include "core/db/YGchSet.h"
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

TEST_F(CliReportTest, EarthworkTableMatchesTheCalculationRows) {
    const CliResult r = RunCli({"report", "earthwork", s_project, Out("ew.xlsx")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(Out("ew.xlsx")));
    YXlsxBook book;
    ASSERT_TRUE(book.Open(Out("ew.xlsx")));
    auto doc = TestProject::Open(s_project, m_io);
    ASSERT_TRUE(doc);
    YTsjsSet& cal = doc->GetTsjsSet();
    ASSERT_TRUE(cal.Requery());
    const int pages = (cal.RecordCount() + 25) / 26;
    // The pages, then the allocation diagram on a sheet of its own.
    ASSERT_EQ(book.SheetCount(), pages + 1);
    EXPECT_EQ(book.SheetNames().back(), "调配图");
    EXPECT_EQ(book.PictureCount(pages), 1);
    int sheet = 0;
    int i = 1; // station index on the page; the page's first station has no stretch
    for (cal.MoveFirst(); !cal.IsEOF(); cal.MoveNext()) {
        const int row = 9 + 2 * i;
        ASSERT_EQ(book.Text(sheet, row, 1), doc->Numbering().Text(cal.m_staEnd)) << row;
        EXPECT_EQ(book.Number(sheet, row, 4), cal.m_dLength);
        if (cal.m_dCutTotal > 1e-5) {
            EXPECT_EQ(book.Number(sheet, row, 5), cal.m_dCutTotal);
        } else {
            EXPECT_EQ(book.Kind(sheet, row, 5), YXlsxBook::CellKind::Empty);
        }
        if (++i > 26) {
            ++sheet;
            i = 1;
        }
    }
    EXPECT_EQ(book.Text(pages - 1, 3, 27), QStringLiteral("第%1页  共%1页").arg(pages));
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

TEST_F(CliReportTest, HaulTableHasARowPerSummary) {
    const CliResult r = RunCli({"report", "haul", s_project, Out("h.xlsx"), "--volume",
                                "--manual-share", "0", "--bulldozer-limit", "100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    YXlsxBook book;
    ASSERT_TRUE(book.Open(Out("h.xlsx")));
    auto doc = TestProject::Open(s_project, m_io);
    YGchSet& gch = doc->GetGchSet();
    ASSERT_TRUE(gch.Requery());
    int rows = 0;
    double soil = 0.0;
    for (int s = 0; s < book.SheetCount(); ++s) {
        for (int row = 8; row <= 39; ++row) {
            rows += book.Text(s, row, 16).isEmpty() ? 0 : 1;
            EXPECT_EQ(book.Kind(s, row, 2), YXlsxBook::CellKind::Empty); // no manual share
            for (int col : {4, 6, 8}) {
                soil += book.Number(s, row, col).value_or(0.0);
            }
        }
    }
    EXPECT_EQ(rows, gch.RecordCount());
    double expected = 0.0;
    for (gch.MoveFirst(); !gch.IsEOF(); gch.MoveNext()) {
        expected += gch.m_dSoil > 1e-5 ? gch.m_dSoil : 0.0;
    }
    EXPECT_NEAR(soil, expected, 1e-6 * expected);
}

TEST_F(CliReportTest, PitAndKilometreTables) {
    ASSERT_EQ(RunCli({"report", "pits", s_project, Out("q.xlsx")}).exitCode, 0);
    YXlsxBook pits;
    ASSERT_TRUE(pits.Open(Out("q.xlsx")));
    EXPECT_TRUE(pits.Text(0, 5, 1).startsWith("JK") || pits.Text(0, 5, 1).startsWith("QK"));

    ASSERT_EQ(RunCli({"report", "km-quantities", s_project, Out("k.xlsx")}).exitCode, 0);
    YXlsxBook km;
    ASSERT_TRUE(km.Open(Out("k.xlsx")));
    auto doc = TestProject::Open(s_project, m_io);
    YTsjsSet& cal = doc->GetTsjsSet();
    ASSERT_TRUE(cal.Requery());
    double cut = 0.0;
    double length = 0.0;
    for (cal.MoveFirst(); !cal.IsEOF(); cal.MoveNext()) {
        cut += cal.m_dCutTotal;
        length += cal.m_dLength;
    }
    double cutKm = 0.0;
    double lengthKm = 0.0;
    for (int row = 7; row <= 36; ++row) {
        cutKm += km.Number(0, row, 3).value_or(0.0);
        lengthKm += km.Number(0, row, 2).value_or(0.0);
    }
    EXPECT_NEAR(cutKm, cut, 1e-6);
    EXPECT_NEAR(lengthKm, length, 1e-6);
    ASSERT_EQ(RunCli({"report", "km-haul", s_project, Out("kh.xlsx")}).exitCode, 0);
}

} // namespace
