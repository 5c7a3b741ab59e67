#pragma once

#include "core/reports/YXlsxBook.h"

#include <QString>
#include <functional>

class CDalvexDoc;
class YUserIO;

// A picture for a workbook: PNG bytes and their size in pixels.
struct YReportPicture {
    QByteArray png;
    int width = 0;
    int height = 0;
};

// The output of one table into a workbook made from its template: pages are copies of the
// template's page sheet, put before it in order; at the end the untouched page sheet is
// removed and the workbook is saved under the chosen name in one step. A table that stops
// half-way is never saved, so the user never gets a partial workbook under the table's name.
//
// Every failure is told to the user through the user-IO interface; the functions return false.
class YTableOutput {
  public:
    explicit YTableOutput(YUserIO& io) : m_io(io) {}

    // Opens the template of a table id (506-510) as YConf configures it, or the given path.
    // pageSheet names the page sheet; empty for the first sheet.
    [[nodiscard]] bool Open(int tableId, const QString& pageSheet = {});
    [[nodiscard]] bool OpenPath(const QString& path, const QString& tableName,
                                const QString& pageSheet = {});
    // Appends a page named name and returns its sheet index.
    int NewPage(const QString& name);
    // Done with the current page (frees its parsed XML).
    void EndPage(int sheet) { m_book.Release(sheet); }
    // Removes the page sheet, selects the first page, saves atomically.
    [[nodiscard]] bool Finish(const QString& outPath);

    YXlsxBook& Book() { return m_book; }
    int PageCount() const { return m_nPages; }

    // Helpers for the cells of the tables: numbers only when they are greater than 1e-5, as
    // the tables leave absent quantities empty.
    void SetIfPresent(int sheet, int row, int col, double value);

    // The default output path: beside the project, "<项目名称>-<table name>.xlsx".
    static QString DefaultPath(const CDalvexDoc& doc, const QString& tableName);
    // "第%d页  共%d页"
    static QString PageText(int page, int pages);

  private:
    YUserIO& m_io;
    YXlsxBook m_book;
    int m_nTemplate = -1;
    int m_nPages = 0;
};
