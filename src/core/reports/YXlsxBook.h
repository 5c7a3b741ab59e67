#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
} // namespace pugi

// A workbook (.xlsx: a zip of XML parts) opened from a template, changed in memory and saved
// under a new name. Our stand-in for driving a spreadsheet program: copy a page sheet, rename
// it, write numbers and texts, insert rows, put a picture on a sheet. It also reads cells
// back, which the tests use.
//
// Rules the output keeps so every spreadsheet program opens it without a repair prompt:
// - texts are inline strings, never formulas, so a name starting with "=" stays text;
// - formula cells lose their cached values and the workbook asks for a full recalculation on
//   load (LibreOffice ignores the flag but recalculates cells without a value); calcChain.xml
//   is dropped because it would name cells that moved;
// - a copied sheet takes its relationships (drawings, printer settings) and its print area
//   and print titles with it; at most one tab stays selected.
//
// Sheets are numbered from 0 in tab order. Sheet XML is parsed when first touched; Release()
// turns a finished sheet back into bytes so a workbook of hundreds of pages stays small.
// Failures return false / nothing and leave a reason in words in LastError().
class YXlsxBook {
  public:
    enum class CellKind { Empty, Number, Text, Formula };

    YXlsxBook();
    ~YXlsxBook();
    YXlsxBook(const YXlsxBook&) = delete;
    YXlsxBook& operator=(const YXlsxBook&) = delete;

    [[nodiscard]] bool Open(const QString& path);
    // Writes the workbook to a temporary file beside path, then renames it over path, so a
    // failed save never leaves a half-written file under the final name.
    [[nodiscard]] bool Save(const QString& path);
    QString LastError() const { return m_strError; }

    int SheetCount() const { return int(m_sheets.size()); }
    QStringList SheetNames() const;
    // -1 when there is no sheet of that name.
    int SheetIndex(const QString& name) const;
    // Copies sheet `index` with everything it carries, names the copy and puts it at tab
    // position `position` (SheetCount() for the end). Returns the copy's index, or -1.
    int CopySheet(int index, int position, const QString& newName);
    [[nodiscard]] bool RenameSheet(int index, const QString& newName);
    [[nodiscard]] bool RemoveSheet(int index);
    // Done with a sheet for now: its XML goes back to bytes (reading or writing it again parses
    // it again).
    void Release(int sheet);
    // An empty sheet at the end, for pictures; printed A3 landscape on one page.
    int AddSheet(const QString& name);
    // Makes this tab the active, selected one.
    void SetActiveSheet(int index);

    // Cells: row and column from 1. Writing keeps the cell's style.
    void SetNumber(int sheet, int row, int col, double value);
    void SetText(int sheet, int row, int col, const QString& text);
    void ClearCell(int sheet, int row, int col);
    // Inserts `count` empty rows before `row`: cells, row heights, merged ranges, formulas,
    // print areas below move down; the new rows take the styles of the row above.
    void InsertRows(int sheet, int row, int count = 1);
    // Puts a PNG picture with its top-left corner at the cell, at its pixel size (96 dpi).
    [[nodiscard]] bool AddPicture(int sheet, int row, int col, const QByteArray& png, int widthPx,
                                  int heightPx);

    CellKind Kind(int sheet, int row, int col) const;
    // The cell's value as text: a number in its shortest exact form, a text, or a formula's
    // cached value; empty for an empty cell.
    QString Text(int sheet, int row, int col) const;
    std::optional<double> Number(int sheet, int row, int col) const;
    // The formula without "=", empty when the cell has none.
    QString Formula(int sheet, int row, int col) const;
    // Whether the formula cell still carries a cached value.
    bool HasCachedValue(int sheet, int row, int col) const;
    // The merged ranges of a sheet ("A1:C2").
    QStringList MergedRanges(int sheet) const;
    // Number of pictures anchored on a sheet.
    int PictureCount(int sheet) const;
    // The names of every part of the package, in order (for checks).
    QStringList PartNames() const;
    // The bytes of a part as they would be saved; empty when there is no such part.
    QByteArray PartBytes(const QString& name) const;

  private:
    struct Sheet;
    struct Part;

    bool Fail(const QString& text);
    bool LoadWorkbook();
    std::unique_ptr<Sheet> NewSheetEntry(const QString& name, const QString& part);
    Sheet& SheetAt(int index) const;
    pugi::xml_document& SheetDoc(int index) const;
    pugi::xml_node RowNode(int sheet, int row, bool create) const;
    pugi::xml_node CellNode(int sheet, int row, int col, bool create) const;
    QString UniquePartName(const QString& prefix, const QString& suffix) const;
    QString NewRelId(const pugi::xml_node& rels) const;
    void AddOverride(const QString& part, const QString& contentType);
    void AddDefault(const QString& ext, const QString& contentType);
    QString ContentTypeOf(const QString& part) const;
    void SyncSheetElements();
    void ShiftLocalSheetIds(int from, int by);
    void RenameInDefinedNames(const QString& oldName, const QString& newName);
    void PrepareFormulas(pugi::xml_document& doc) const;
    QByteArray Serialize(const pugi::xml_document& doc) const;
    QByteArray& Bytes(const QString& name);
    bool HasPart(const QString& name) const;
    pugi::xml_document& Xml(const QString& name);
    std::unique_ptr<pugi::xml_document> ParseRels(const QString& owner) const;
    static QString RelsName(const QString& part);
    static QString ResolveTarget(const QString& owner, const QString& target);
    static QString RelativeTarget(const QString& owner, const QString& part);
    void CopyRelatedParts(const QString& fromPart, const QString& toPart);
    QString SharedString(int index) const;
    void LoadSharedStrings() const;

    // Parts in package order; XML parts that were changed are held parsed.
    std::vector<QString> m_partOrder;
    std::map<QString, std::unique_ptr<Part>> m_parts;
    std::vector<std::unique_ptr<Sheet>> m_sheets;
    QString m_strWorkbookPart;
    mutable std::optional<QStringList> m_sharedStrings;
    QString m_strError;
};
