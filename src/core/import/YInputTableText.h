#pragma once

#include "core/import/YInputTableDef.h"
#include "core/station/YStationNumbering.h"

#include <QString>
#include <QVariant>

class YDatabase;
class YUserIO;

// Text export and import of an input table, one row per line, fields separated by a space and
// a tab (the layouts of YInputTableDef). Import reads what export writes: lines are trimmed of
// spaces and tabs, empty lines and lines beginning with ";" are skipped, fields are separated
// by runs of spaces or tabs, a line with too few fields is skipped, and every complete line
// becomes a new row.
//
// An import is one transaction: a line whose number or station cannot be read stops it with
// "数据文件%s第%d行格式不对,请改正后再运行\n" and the table keeps exactly the rows it had
// (clearing included). Record sets open on the table see the new rows after a Requery.
class YInputTableText {
  public:
    enum class Status {
        Done,
        CannotOpen, // the file could not be read or written (no message: the caller's)
        NoTable,    // the project file has no such table (layout too old)
        BadLine,    // a line could not be read; message shown, nothing changed
        Failed      // a statement failed; message shown, nothing changed
    };
    struct Result {
        Status status = Status::Failed;
        int nRows = 0; // rows written to the file or added to the table
        bool Ok() const { return status == Status::Done; }
    };
    // What to do with the rows a table already has.
    enum class Clear { Ask, Yes, No };

    YInputTableText(YDatabase& db, YUserIO& io);

    [[nodiscard]] Result Export(const YInputTableDef& def, const QString& path);
    [[nodiscard]] Result Import(const YInputTableDef& def, const QString& path, Clear clear);

  private:
    struct Layout; // the fields of the definition this file can hold, with their columns
    Layout LayoutOf(const YInputTableDef& def);
    QString ExportLine(const Layout& layout, const class QSqlQuery& q) const;
    [[nodiscard]] bool ImportLines(const Layout& layout, const QString& path, const QString& text,
                                   int firstCounter, Result& result);
    [[nodiscard]] bool FollowsEarlierBreaks(YInputField::Kind kind, const QVariant& v);
    void LoadBreaks(YStationNumbering& numbering);
    void ReloadChainBreaks();

    YDatabase& m_db;
    YUserIO& m_io;
    YStationNumbering m_breaks; // chain breaks so far, while a [断链] import runs
};
