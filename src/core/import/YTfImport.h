#pragma once

#include "core/import/TfFormat.h"

#include <QString>

class YDatabase;
class YUserIO;

// Import of an earthwork text file into [逐桩断面], replacing what was there: one row per data
// line with the station formatted by the station system, the areas as absolute values and the
// centre height with its sign.
//
// The project import (the File menu's earthwork formats) also makes the file the project's
// single segment (from version 5: segment 1 ending at the last station read) and gives the
// project a new identity: name = the file's base name, a fresh GUID; other properties such as
// 项目标识 are dropped. The data-entry dialog's import only replaces the cross-sections.
//
// The file is read completely before anything is written, and the writes are one transaction:
// a line that cannot be read shows "数据文件%s第%d行格式不对,请改正后再运行\n" with the file's full
// path and the physical line number (and the reason for a value out of range or a station
// that does not advance), and the project keeps everything it had. A file with no data line
// changes nothing either.
class YTfImport {
  public:
    enum class Status {
        Done,
        CannotOpen, // the file could not be opened: nothing shown, nothing changed
        BadLine,    // message shown, nothing changed
        NoData,     // no data line in the file: message shown, nothing changed
        Failed      // a statement failed: message shown, nothing changed
    };
    struct Result {
        Status status = Status::Failed;
        int nRows = 0;
        bool Ok() const { return status == Status::Done; }
    };
    enum class Scope { Project, SectionsOnly };

    YTfImport(YDatabase& db, YUserIO& io);

    [[nodiscard]] Result Import(const QString& path, const TfFormat& format, Scope scope);

    static QString DoneMessage() { return QStringLiteral("读入土方数据完成! "); }
    static QString NoDataMessage(const QString& path);

  private:
    [[nodiscard]] bool WriteSections(const struct YTfReadResult& read);
    [[nodiscard]] bool WriteProject(const QString& path, const struct YTfReadResult& read);

    YDatabase& m_db;
    YUserIO& m_io;
};
