// The written workbooks read by an independent reader, openpyxl through Debian's
// /usr/bin/python3, cell by cell against our own reader. Skipped where openpyxl is missing.
#include "CliRunner.h"
#include "core/reports/YXlsxBook.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

using dalvex::test::ScratchDir;

namespace {

const char* const kPython = "/usr/bin/python3";

// Prints {"sheets": [...], "cells": {sheet: [[row, col, kind, value], …]}}; kind "n" number,
// "s" text, "f" formula.
const char* const kDump = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
out = {"sheets": wb.sheetnames, "cells": {}, "merged": {}}
for ws in wb.worksheets:
    cells = []
    for row in ws.iter_rows():
        for c in row:
            v = c.value
            if v is None:
                continue
            if isinstance(v, str) and c.data_type == "f":
                cells.append([c.row, c.column, "f", v])
            elif isinstance(v, str):
                cells.append([c.row, c.column, "s", v])
            else:
                cells.append([c.row, c.column, "n", float(v)])
    out["cells"][ws.title] = cells
    out["merged"][ws.title] = sorted(str(r) for r in ws.merged_cells.ranges)
print(json.dumps(out, ensure_ascii=False))
)PY";

bool HaveOpenpyxl() {
    QProcess p;
    p.start(QString::fromLatin1(kPython), {"-c", "import openpyxl"});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QJsonObject Dump(const QString& path) {
    QProcess p;
    p.start(QString::fromLatin1(kPython), {"-c", QString::fromUtf8(kDump), path});
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// Every cell openpyxl sees is the cell our reader sees, and the other way round.
void Compare(const QString& path) {
    const QJsonObject dump = Dump(path);
    YXlsxBook book;
    ASSERT_TRUE(book.Open(path));
    QStringList sheets;
    for (const auto& v : dump["sheets"].toArray()) {
        sheets << v.toString();
    }
    ASSERT_EQ(sheets, book.SheetNames());
    for (int s = 0; s < book.SheetCount(); ++s) {
        const QJsonArray cells = dump["cells"].toObject()[sheets[s]].toArray();
        int ours = 0;
        for (int row = 1; row <= 120; ++row) {
            for (int col = 1; col <= 45; ++col) {
                ours += book.Kind(s, row, col) != YXlsxBook::CellKind::Empty ? 1 : 0;
            }
        }
        EXPECT_EQ(cells.size(), ours) << sheets[s].toStdString();
        for (const auto& v : cells) {
            const QJsonArray c = v.toArray();
            const int row = c[0].toInt();
            const int col = c[1].toInt();
            const QString kind = c[2].toString();
            if (kind == "n") {
                EXPECT_EQ(book.Number(s, row, col), c[3].toDouble()) << row << "," << col;
            } else if (kind == "f") {
                EXPECT_EQ(book.Formula(s, row, col), c[3].toString().mid(1)) << row << "," << col;
            } else {
                EXPECT_EQ(book.Kind(s, row, col), YXlsxBook::CellKind::Text) << row << "," << col;
                EXPECT_EQ(book.Text(s, row, col), c[3].toString()) << row << "," << col;
            }
        }
        QStringList merged;
        for (const auto& m : dump["merged"].toObject()[sheets[s]].toArray()) {
            merged << m.toString();
        }
        QStringList ourMerged = book.MergedRanges(s);
        ourMerged.sort();
        merged.sort();
        EXPECT_EQ(merged, ourMerged);
    }
}

TEST(CliReportOpenpyxlTest, EveryTableReadsTheSameInOpenpyxl) {
    if (!HaveOpenpyxl()) {
        GTEST_SKIP() << "/usr/bin/python3 has no openpyxl (Debian python3-openpyxl)";
    }
    ScratchDir dir;
    const QString demo = dir.Path(QStringLiteral("demo"));
    ASSERT_EQ(RunCli({"demo", demo}).exitCode, 0);
    const QString project = QDir(demo).filePath(QStringLiteral("demo.dvx"));
    ASSERT_EQ(RunCli({"auto", project}).exitCode, 0);
    const QList<QStringList> runs = {{"earthwork", "--per-km"},
                                     {"earthwork", "--six-class"},
                                     {"haul"},
                                     {"haul", "--volume"},
                                     {"pits"},
                                     {"km-quantities"},
                                     {"km-haul"}};
    int n = 0;
    for (QStringList run : runs) {
        const QString out = dir.Path(QStringLiteral("t%1.xlsx").arg(++n));
        run.insert(1, project);
        run.insert(2, out);
        run.prepend(QStringLiteral("report"));
        const CliResult r = RunCli(run);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        SCOPED_TRACE(run.join(' ').toStdString());
        Compare(out);
    }
}

} // namespace
