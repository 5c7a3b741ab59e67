// The workbook layer against the bundled templates: what goes in comes back out of the saved
// file, the package stays consistent (every part referenced, formulas without cached values),
// and a failed save leaves nothing behind.
#include "core/reports/YXlsxBook.h"
#include "core/platform/YConf.h"
#include "core/reports/YCellRef.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using dalvex::test::ScratchDir;

namespace {

QString Template(const QString& name) {
    return QDir(YConf::DataDir())
        .filePath(QStringLiteral("templates/") + name + QStringLiteral(".xlsx"));
}

// A smallest valid PNG (1×1, grey).
QByteArray TinyPng() {
    return QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAAAAAA6fptVAAAACklEQVR4nGNgAAAA"
                                  "AgABSK+kcQAAAABJRU5ErkJggg==");
}

TEST(YCellRefTest, NamesAndParses) {
    EXPECT_EQ(YCellRef::ColumnName(1), "A");
    EXPECT_EQ(YCellRef::ColumnName(26), "Z");
    EXPECT_EQ(YCellRef::ColumnName(27), "AA");
    EXPECT_EQ(YCellRef::ColumnName(43), "AQ");
    EXPECT_EQ(YCellRef::Name(3, 27), "AA3");
    for (int col : {1, 26, 27, 52, 703}) {
        const auto ref = YCellRef::Parse(YCellRef::Name(12, col));
        ASSERT_TRUE(ref);
        EXPECT_EQ(ref->col, col);
        EXPECT_EQ(ref->row, 12);
    }
    EXPECT_TRUE(YCellRef::Parse("$B$3"));
    EXPECT_FALSE(YCellRef::Parse("B0"));
    EXPECT_FALSE(YCellRef::Parse("3B"));
}

TEST(YCellRefTest, ShiftsReferencesAtAndBelowTheInsertedRow) {
    struct Case {
        const char* formula;
        const char* shifted;
    } cases[] = {
        {"SUM(E9:E63)", "SUM(E9:E63)"},               // wholly above
        {"SUM(E9:E64)", "SUM(E9:E65)"},               // the end moves: the range grows
        {"E64+$F$70", "E65+$F$71"},                   // absolute rows move too
        {"\"E64\"&E64", "\"E64\"&E65"},               // not inside a text
        {"Sheet2!E70+E70", "Sheet2!E70+E71"},         // not another sheet's cells
        {"SUM('a b'!A64:B70)", "SUM('a b'!A64:B70)"}, // nor its ranges
        {"LOG10(A70)", "LOG10(A71)"},                 // a function name is no reference
    };
    for (const Case& c : cases) {
        EXPECT_EQ(YCellRef::ShiftFormula(QString::fromUtf8(c.formula), 64, 1),
                  QString::fromUtf8(c.shifted))
            << c.formula;
    }
    EXPECT_EQ(YCellRef::ShiftRange("A60:C65", 64, 2), "A60:C67");
    EXPECT_EQ(YCellRef::ShiftRange("A66:C67", 64, 1), "A67:C68");
}

class YXlsxBookTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_book.Open(Template(QStringLiteral("土方计算表")))); }

    // Saves and reads back into a fresh book.
    YXlsxBook& Reload() {
        const QString path = m_dir.Path(QStringLiteral("out.xlsx"));
        EXPECT_TRUE(m_book.Save(path)) << m_book.LastError().toStdString();
        EXPECT_TRUE(m_back.Open(path)) << m_back.LastError().toStdString();
        return m_back;
    }

    ScratchDir m_dir;
    YXlsxBook m_book;
    YXlsxBook m_back;
};

TEST_F(YXlsxBookTest, WritesNumbersAndTextsThatReadBackExactly) {
    m_book.SetNumber(0, 9, 2, 3.91);
    m_book.SetNumber(0, 9, 3, 1.0 / 3.0);
    m_book.SetNumber(0, 200, 2, -0.0001);
    m_book.SetText(0, 9, 1, QStringLiteral("K0+000.000"));
    m_book.SetText(0, 10, 1, QStringLiteral("=SUM(A1:A2)"));
    m_book.SetText(0, 11, 1, QStringLiteral("  前后空格  "));
    m_book.SetText(0, 12, 1, QStringLiteral("a\x01z"));
    YXlsxBook& b = Reload();
    EXPECT_EQ(b.Number(0, 9, 2), 3.91);
    EXPECT_EQ(b.Number(0, 9, 3), 1.0 / 3.0); // shortest exact form, no rounding
    EXPECT_EQ(b.Number(0, 200, 2), -0.0001);
    EXPECT_EQ(b.Text(0, 9, 1), "K0+000.000");
    // A text that starts with "=" stays a text, never becomes a formula.
    EXPECT_EQ(b.Kind(0, 10, 1), YXlsxBook::CellKind::Text);
    EXPECT_EQ(b.Text(0, 10, 1), "=SUM(A1:A2)");
    EXPECT_EQ(b.Formula(0, 10, 1), "");
    EXPECT_EQ(b.Text(0, 11, 1), "  前后空格  ");
    EXPECT_EQ(b.Text(0, 12, 1), "az"); // control characters cannot be stored in XML
    // The template's own texts (shared strings) read as well.
    EXPECT_EQ(b.Text(0, 4, 1), "桩  号");
    EXPECT_EQ(b.Kind(0, 9, 4), YXlsxBook::CellKind::Empty);
}

TEST_F(YXlsxBookTest, OverwritingACellKeepsItsStyleAndReplacesItsKind) {
    m_book.SetText(0, 9, 2, QStringLiteral("x"));
    m_book.SetNumber(0, 9, 2, 5);
    const QByteArray xml = m_book.PartBytes(QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(xml.contains("<c r=\"B9\" s=\"")) << "the template's style stays";
    EXPECT_FALSE(xml.contains("inlineStr\"><v>"));
    EXPECT_EQ(Reload().Number(0, 9, 2), 5.0);
}

TEST_F(YXlsxBookTest, CopiedPagesCarryMergesPrintAreaAndStayIndependent) {
    const int page1 = m_book.CopySheet(0, 0, QStringLiteral("土方计算表1"));
    const int page2 = m_book.CopySheet(1, 1, QStringLiteral("土方计算表2"));
    ASSERT_EQ(page1, 0);
    ASSERT_EQ(page2, 1);
    m_book.SetText(page1, 3, 1, QStringLiteral("一"));
    m_book.SetText(page2, 3, 1, QStringLiteral("二"));
    ASSERT_TRUE(m_book.RemoveSheet(2));
    YXlsxBook& b = Reload();
    EXPECT_EQ(b.SheetNames(), (QStringList{"土方计算表1", "土方计算表2"}));
    EXPECT_EQ(b.Text(0, 3, 1), "一");
    EXPECT_EQ(b.Text(1, 3, 1), "二");
    EXPECT_EQ(b.MergedRanges(1), b.MergedRanges(0));
    EXPECT_TRUE(b.MergedRanges(1).contains("E4:Q4"));
    const QByteArray wb = b.PartBytes(QStringLiteral("xl/workbook.xml"));
    EXPECT_TRUE(wb.contains("localSheetId=\"1\">'土方计算表2'!$A$1:$AA$74")) << wb.toStdString();
    EXPECT_TRUE(wb.contains("fullCalcOnLoad=\"1\""));
    // Only one tab is selected.
    int selected = 0;
    for (const QString& part : b.PartNames()) {
        if (part.startsWith(QStringLiteral("xl/worksheets/sheet"))) {
            selected += b.PartBytes(part).count("tabSelected=\"1\"");
        }
    }
    EXPECT_LE(selected, 1);
}

TEST_F(YXlsxBookTest, EveryPartIsReachableAndEveryOverrideNamesAPart) {
    m_book.CopySheet(0, 0, QStringLiteral("p1"));
    ASSERT_TRUE(m_book.AddPicture(0, 2, 2, TinyPng(), 10, 10));
    YXlsxBook& b = Reload();
    const QByteArray types = b.PartBytes(QStringLiteral("[Content_Types].xml"));
    for (const QString& part : b.PartNames()) {
        if (part.endsWith(QStringLiteral(".xml")) && !part.contains(QStringLiteral("_rels")) &&
            part != QStringLiteral("[Content_Types].xml")) {
            EXPECT_TRUE(types.contains(("PartName=\"/" + part + "\"").toUtf8()))
                << part.toStdString();
        }
    }
    int pos = 0;
    while ((pos = types.indexOf("PartName=\"/", pos)) >= 0) {
        pos += 11;
        const QString part = QString::fromUtf8(types.mid(pos, types.indexOf('"', pos) - pos));
        EXPECT_TRUE(b.PartNames().contains(part)) << part.toStdString();
    }
}

TEST_F(YXlsxBookTest, InsertedRowMovesCellsMergesAndFormulas) {
    m_book.SetText(0, 67, 1, QStringLiteral("below"));
    m_book.SetNumber(0, 63, 5, 7);
    m_book.InsertRows(0, 64);
    m_book.SetText(0, 64, 1, QStringLiteral("每公里小计"));
    YXlsxBook& b = Reload();
    EXPECT_EQ(b.Text(0, 64, 1), "每公里小计");
    EXPECT_EQ(b.Text(0, 68, 1), "below");
    EXPECT_EQ(b.Number(0, 63, 5), 7.0);
    // The page total moved from row 64 to 65 and still sums the rows above the subtotal.
    EXPECT_EQ(b.Text(0, 65, 1), "本页合计");
    EXPECT_EQ(b.Formula(0, 65, 5), "SUM(E9:E63)");
    // Its cached value is gone, so every program recalculates it.
    EXPECT_FALSE(b.HasCachedValue(0, 65, 5));
    EXPECT_TRUE(b.MergedRanges(0).contains("A68:A69")) << b.MergedRanges(0).join(' ').toStdString();
    EXPECT_FALSE(b.MergedRanges(0).contains("A67:A68"));
    EXPECT_TRUE(b.PartBytes(QStringLiteral("xl/workbook.xml")).contains("$A$1:$AA$75"));
}

TEST_F(YXlsxBookTest, PictureGetsItsOwnDrawingAndCopiesKeepTheirs) {
    ASSERT_TRUE(m_book.AddPicture(0, 1, 1, TinyPng(), 800, 300));
    const int copy = m_book.CopySheet(0, 1, QStringLiteral("copy"));
    ASSERT_TRUE(m_book.AddPicture(copy, 5, 1, TinyPng(), 20, 20));
    EXPECT_FALSE(m_book.AddPicture(0, 1, 1, QByteArray("not a png"), 1, 1));
    YXlsxBook& b = Reload();
    EXPECT_EQ(b.PictureCount(0), 1);
    EXPECT_EQ(b.PictureCount(1), 2);
    EXPECT_TRUE(b.PartNames().contains(QStringLiteral("xl/drawings/drawing2.xml")));
    EXPECT_TRUE(b.PartBytes(QStringLiteral("xl/drawings/drawing1.xml"))
                    .contains("cx=\"7620000\" cy=\"2857500\""));
}

TEST_F(YXlsxBookTest, RejectsBadSheetNamesAndDuplicates) {
    EXPECT_FALSE(m_book.RenameSheet(0, QStringLiteral("a/b")));
    EXPECT_FALSE(m_book.RenameSheet(0, QString(32, u'x')));
    EXPECT_EQ(m_book.CopySheet(0, 1, QStringLiteral("土方计算表")), -1);
    EXPECT_TRUE(m_book.RenameSheet(0, QStringLiteral("新名")));
    EXPECT_EQ(Reload().SheetNames(), QStringList{QStringLiteral("新名")});
}

TEST_F(YXlsxBookTest, FailedSaveLeavesTheOldFileAndNoTemporary) {
    const QString path = m_dir.Path(QStringLiteral("keep.xlsx"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    EXPECT_FALSE(m_book.Save(m_dir.Path(QStringLiteral("missing/folder/x.xlsx"))));
    EXPECT_TRUE(m_book.Save(path));
    EXPECT_TRUE(m_back.Open(path));
    EXPECT_EQ(QDir(m_dir.Path(QString())).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("keep.xlsx")});
}

TEST(YXlsxBookOpenTest, RefusesWhatIsNotAWorkbook) {
    ScratchDir dir;
    YXlsxBook book;
    EXPECT_FALSE(book.Open(dir.Path(QStringLiteral("none.xlsx"))));
    EXPECT_FALSE(book.LastError().isEmpty());
}

// A template whose parts claim sizes of gigabytes (a damaged file, or a zip bomb) is refused
// without the memory being asked for (found by fuzzing: a 4 GB claim ended the program).
TEST(YXlsxBookOpenTest, RefusesPartsThatClaimGigabytes) {
    ScratchDir dir;
    QFile in(YConf::Instance().TemplatePath(YConf::PitTable));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray zip = in.readAll();
    // Uncompressed size fields: 22 bytes into a local header, 24 into a central directory entry.
    int patched = 0;
    for (const auto& [signature, offset] :
         {std::pair{QByteArray("PK\x03\x04", 4), 22}, std::pair{QByteArray("PK\x01\x02", 4), 24}}) {
        for (qsizetype at = zip.indexOf(signature); at >= 0; at = zip.indexOf(signature, at + 4)) {
            zip.replace(at + offset, 4, QByteArray("\xfe\xff\xff\xff", 4));
            ++patched;
        }
    }
    ASSERT_GT(patched, 2);
    const QString path = dir.Path(QStringLiteral("bomb.xlsx"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(zip);
    out.close();
    const auto refused = [&path] {
        YXlsxBook book;
        return !book.Open(path) && book.LastError() == QStringLiteral("表格模板%1已损坏").arg(path);
    };
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_TRUE(refused()); // the sanitizer's shadow memory rules out an address-space limit
#else
    // In a child with 1 GB of address space to spare: asking for the claimed 4 GB would end it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        QFile status(QStringLiteral("/proc/self/statm"));
        const qint64 pages =
            status.open(QIODevice::ReadOnly) ? status.readAll().split(' ')[0].toLongLong() : 0;
        limit.rlim_cur = rlim_t(pages * 4096 + (1ll << 30));
        setrlimit(RLIMIT_AS, &limit);
        _exit(refused() ? 0 : 1);
    }
    int result = 0;
    ASSERT_EQ(waitpid(child, &result, 0), child);
    EXPECT_TRUE(WIFEXITED(result) && WEXITSTATUS(result) == 0) << "refused within the limit";
#endif
}

TEST(YXlsxBookTemplatesTest, EveryBundledTemplateOpensWithItsPageSheet) {
    const std::pair<int, const char*> tables[] = {{YConf::PitTable, "取土弃土场表"},
                                                  {YConf::CalcTable, "土方计算表"},
                                                  {YConf::HaulTable, "土方运量统计表"},
                                                  {YConf::HaulTable1, "土方运量统计表"},
                                                  {YConf::ClassDetailTable, "土石方分类计算详表"}};
    for (const auto& [id, sheet] : tables) {
        YXlsxBook book;
        ASSERT_TRUE(book.Open(YConf::Instance().TemplatePath(id))) << id;
        EXPECT_EQ(book.SheetNames(), QStringList{QString::fromUtf8(sheet)}) << id;
    }
}

} // namespace
