#pragma once

#include "core/import/YRavelComponents.h"
#include "core/import/YRavelProjectFile.h"

#include <QString>
#include <optional>

class YDatabase;
class YUserIO;

// What a road-design project gave: the project file and each component file that could be
// read (a missing one is either not named by the project or was reported as unreadable).
struct YRavelData {
    YRavelProjectFile project;
    std::optional<YRavelEarthworkFile> earthwork;
    std::optional<YRavelControlFile> control;
    std::optional<YRavelProfileFile> profile;
};

// 读入道路项目: fills an open project from a road-design project (YRavelProjectFile) in one go:
// chain breaks, the project's name, identity and station label (layout version 5 on), the
// cross-sections and the segment over them, road-trough stations, structures, class contents
// and the vertical curve. The computed and allocation results it would make stale are
// deleted.
//
// Read() takes every file in before anything is written, reporting each component file that
// cannot be read (that part is then skipped, the rest is imported); Write() writes inside one
// transaction, so an import either lands whole or leaves the project as it was.
class YRavelImport {
  public:
    YRavelImport(YDatabase& db, YUserIO& io);

    // Empty, after "不能打开项目文件！", when the project file cannot be read.
    [[nodiscard]] std::optional<YRavelData> Read(const QString& projectPath);
    // Writes what was read. Inside the caller's transaction when there is one. False, with the
    // database's error, when a statement fails.
    [[nodiscard]] bool Write(const YRavelData& data);
    // The numbering the project has after Write(): the new chain breaks, and the new label from
    // version 5 (older projects keep theirs).
    YStationNumbering NewNumbering(const YRavelData& data) const;

    static QString DoneMessage() { return QStringLiteral(" 从Ravel项目中导入数据完成! "); }

  private:
    template <class File>
    void ReadComponent(const YRavelProjectFile& project, int code, const QString& message,
                       std::optional<File>& into);
    [[nodiscard]] bool WriteChainBreaks(const YRavelData& data);
    [[nodiscard]] bool WriteProperties(const YRavelData& data);
    [[nodiscard]] bool ClearResults();
    [[nodiscard]] bool WriteSections(const YRavelEarthworkFile& file, const YStationNumbering& n);
    [[nodiscard]] bool WriteControl(const YRavelControlFile& file, const YStationNumbering& n);
    [[nodiscard]] bool WriteContents(const std::vector<YRavelContents>& rows,
                                     const YStationNumbering& n);
    [[nodiscard]] bool WriteProfile(const YRavelProfileFile& file, const YStationNumbering& n);
    // Runs a prepared insert once per row; binds come from the row.
    template <class Row, class Bind>
    [[nodiscard]] bool InsertRows(const QString& sql, const std::vector<Row>& rows, Bind bind);

    YDatabase& m_db;
    YUserIO& m_io;
};
