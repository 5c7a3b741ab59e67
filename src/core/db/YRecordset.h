#pragma once

#include "core/db/YColumnDef.h"
#include "core/db/YFastStatement.h"
#include "core/db/YFieldExchange.h"
#include "core/db/YOpenSet.h"
#include "core/db/YRowCache.h"

#include <QStringList>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class YDatabase;
class YStation;

// A record set over one table of the project file: the rows of the table (of the current
// project segment, for per-segment tables from layout version 5) in the set's sort order,
// with a current row whose columns are copied into the typed members of the derived set.
//
// How it works, and what it costs (n rows, c columns):
// - Open / Requery run one SELECT and keep the rows in memory: O(n·c), read on SQLite's C
//   interface where it is reachable. RequeryIfChanged skips the read when the file has not
//   changed since (a model loaded right after opening reads each table once).
// - Move*, SetPosition: copy the cached row into the members, O(c), no SQL.
// - Seek / FindByStation: binary search over the cached, sorted rows, O(log n + c).
// - Edit + Update: the members are compared with the cached row, and one prepared UPDATE by
//   rowid writes the columns whose values changed (none: no statement at all); the cached row
//   is replaced. O(c) in memory + O(changed + log n) in SQLite. One statement is kept per
//   distinct set of changed columns, so a caller that keeps changing the same few columns
//   binds only those. AddNew + Update: one prepared INSERT of every column; the row joins the
//   cache at its sort position (found by binary search; rows added in sort order are
//   appended). Delete: one prepared DELETE by rowid. Nothing is re-read after a single-row
//   write. The statements run on SQLite's C interface where it is reachable (YFastStatement).
//   Values compare as the file keeps them: NULL equals NULL, 0 equals -0, any other number
//   differs down to its last bit, and a null text (NULL) differs from the empty one.
// - An Update that moves a row's sort keys leaves it where it stands, so a walk over the set
//   goes on undisturbed; the next Seek, FindByStation or insertion sorts the cache again
//   (as a Requery would order it) and keeps the current row.
//
// Every write is immediate. Wrap the writes of one user action in a YTransaction; a rollback
// re-queries the open sets so their rows match the file again.
//
// Failures (missing table or column, a value of the wrong kind in the file, a failed
// statement) return false and leave the reason, in words for the user, in LastError().
class YRecordset : public YOpenSet {
  public:
    explicit YRecordset(YDatabase& db);
    virtual ~YRecordset();
    YRecordset(const YRecordset&) = delete;
    YRecordset& operator=(const YRecordset&) = delete;

    // What a derived set declares.
    virtual QString TableName() const = 0; // without brackets, e.g. "逐桩断面"
    // Sort columns, e.g. "[sta]" or "[GCID],[ID]"; empty for the order of the rows in the file.
    virtual QString DefaultSort() const { return {}; }
    // False for sets over the project-wide (input) tables.
    virtual bool IsPerSegment() const { return true; }
    // The set's own column count at a layout version (without 分段编号).
    virtual int ColumnCount(int version) const = 0;

    // Opens with the columns of the database's layout version. At version 2 or older a set
    // that cannot open sets the database's version to 1 and tries once more with the
    // version-1 columns, so every set opened afterwards reads the file as version 1.
    [[nodiscard]] bool Open();
    void Close() override;
    bool IsOpen() const { return m_bOpen; }
    // Reloads the rows with the current segment's filter and stands on the first row.
    [[nodiscard]] bool Requery() override;
    // The same, without reading the rows again when nothing in the file has changed since
    // they were read (the same segment, no row changed by this connection, nothing committed
    // by another); for readers that want the file's rows, such as the model's loader right
    // after the project was opened.
    [[nodiscard]] bool RequeryIfChanged();

    YDatabase& Database() const { return m_db; }
    int Version() const;
    // Columns bound while open, 分段编号 included (0 when closed).
    int FieldCount() const { return int(m_bindings.size()); }
    QStringList BoundColumns() const;
    std::vector<YColumnDef> BoundColumnDefs() const;
    bool HasColumn(const QString& name) const;
    // "[分段编号] = s" while a segment filter applies, else empty.
    QString Filter() const;

    // Position. An empty set is at BOF and EOF at once.
    bool IsBOF() const { return m_rows.Empty() || m_nPos < 0; }
    bool IsEOF() const { return m_rows.Empty() || m_nPos >= m_rows.Size(); }
    void MoveFirst();
    void MoveNext();
    void MovePrev();
    void MoveLast();
    int RecordCount() const { return m_rows.Size(); }
    // Index of the current row in sort order (-1 before the first, RecordCount() after the
    // last).
    int Position() const { return m_nPos; }
    bool SetPosition(int index);
    qint64 RowId() const; // rowid of the current row, 0 when none
    // Linear search, O(n).
    bool MoveToRowId(qint64 rowid);

    // A number column of the cached rows without moving there: the column's slot (-1 when
    // the set has no such number column) and the value of row `index` in it (NaN for NULL).
    // For walks over many rows that need a column or two, not every member.
    int NumberSlot(const QString& column) const;
    double NumberAt(int index, int slot) const { return m_rows[index].num[size_t(slot)]; }

    // Keyed positioning on the first row (in sort order) whose leading sort columns equal the
    // keys, numbers compared within YStation::Epsilon. O(log n). On failure the position does
    // not change. The leading sort columns must be numeric.
    [[nodiscard]] bool Seek(std::initializer_list<double> keys);
    // Seek on a set whose first sort column holds stations in metres (sta, ssta, 起始桩号 …).
    [[nodiscard]] bool FindByStation(const YStation& station);
    // Stands on the first row whose first sort key is at or after key; false (and at EOF)
    // when there is none.
    bool SeekAtOrAfter(double key);
    // Seek on a set sorted by a text column (the pits by 上路桩号): exact text.
    [[nodiscard]] bool SeekText(const QString& key);

    // Writing. AddNew clears the members (the segment number becomes the current segment);
    // Edit starts changing the current row; Update writes either (for an Edit, the changed
    // columns only: an Update with nothing changed issues no statement and cannot see a row
    // deleted behind the set's back); CancelUpdate restores the current row's values. After an
    // AddNew's Update the set stands on the row it stood on before, as a dynaset does.
    void AddNew();
    [[nodiscard]] bool Edit();
    [[nodiscard]] bool Update();
    void CancelUpdate();
    bool IsAdding() const { return m_mode == Mode::Add; }
    bool IsEditing() const { return m_mode == Mode::Edit; }
    qint64 LastInsertedRowId() const { return m_nLastInsert; }
    // Writes one number column of the rows at the given positions to value, one UPDATE for
    // each run of rows adjacent both in the set and in rowid order, and keeps the cached rows
    // (and the current row's members) current; for a flag written over thousands of rows at
    // once, such as the log's 成败 in an undo. Not while editing or adding.
    [[nodiscard]] bool SetNumberAt(std::vector<int> positions, const QString& column, double value);
    // Deletes the rows at these positions, runs of adjacent rows with one statement, and drops
    // them from the cache without re-reading the table; the set then stands before its first
    // row. Not while editing or adding.
    [[nodiscard]] bool DeleteAt(std::vector<int> positions);
    // Deletes the current row. The set then stands between its neighbours: MoveNext reaches
    // the row after it, MovePrev the row before.
    [[nodiscard]] bool Delete();
    // Deletes the current segment's rows (the whole table for project-wide sets, below
    // version 5, or with no current segment) and re-queries. An empty set issues nothing.
    [[nodiscard]] bool DeleteSegmentRows();

    // Held-back updates, for one action that edits the same rows many times inside one
    // transaction (a whole plan of transfers): from DeferUpdates on, Edit + Update change the
    // cached rows only; FlushUpdates writes each changed row once, its changed columns against
    // what the file held. Every other write, and Close, flushes first; a Requery drops what was
    // held back (the file is re-read, as after a rolled-back write). Flush before committing.
    void DeferUpdates();
    [[nodiscard]] bool FlushUpdates();
    bool IsDeferring() const { return m_deferred.has_value(); }

    QString LastError() const { return m_strError; }

    // 分段编号 of the current row (per-segment sets from version 5).
    qint16 m_nSegment = -1;

  protected:
    // Binds the set's own columns in file order. Sets whose layout depends on the version
    // choose it by OwnColumnCount(), as fixed by ColumnCount() when the set opened.
    virtual void DoFieldExchange(YFieldExchange& fx) = 0;
    int OwnColumnCount() const { return m_nOwnColumns; }
    // Called after the members were loaded from a row or cleared by AddNew: derived values.
    virtual void OnRowLoaded() {}

  private:
    // Runs statement (its rowid bounds bound at first and first + 1) once per run of positions
    // adjacent both in the set and in rowid order, each run's rows changed exactly; done(pos)
    // for every position of a run that went through.
    bool ForRowIdRuns(std::vector<int>& positions, YFastStatement& statement, int first,
                      const std::function<void(int)>& done);
    enum class Mode { None, Edit, Add };

    [[nodiscard]] bool OpenOnce();
    [[nodiscard]] bool Bind();
    [[nodiscard]] bool CheckColumns();
    // Prepares sql into slot; null (and LastError) on failure.
    YFastStatement* Prepare(std::unique_ptr<YFastStatement>& slot, const QString& sql);
    QString InsertSql() const;
    // The UPDATE of the bound columns at the given binding indexes (ascending), by rowid.
    YFastStatement* UpdateStatement(const std::vector<int>& columns);
    [[nodiscard]] bool Load();
    bool Fail(const QString& text);
    bool SegmentFiltered() const;
    QString SelectSql() const;

    // The binding of a number column; null when the set has none of that name.
    const YFieldExchange::Binding* NumberBinding(const QString& column) const;
    [[nodiscard]] bool ReadCell(const YFastStatement& query, int col,
                                const YFieldExchange::Binding& b, YRow& row, int line);
    [[nodiscard]] bool ReadValue(const QVariant& v, const YFieldExchange::Binding& b, YRow& row,
                                 int line);
    void LoadMembers(const YRow& row);
    void ClearMembers();
    // Copies the members into row; pChanged receives the indexes of the bindings whose value
    // differs from what row held.
    [[nodiscard]] bool StoreMembers(YRow& row, bool bAdding, std::vector<int>* pChanged);
    void BindColumn(YFastStatement& statement, int pos, const YFieldExchange::Binding& b,
                    const YRow& row) const;
    [[nodiscard]] bool Insert();
    [[nodiscard]] bool Rewrite();
    // The bindings whose values differ between two versions of a row.
    std::vector<int> ChangedColumns(const YRow& before, const YRow& after) const;
    [[nodiscard]] bool WriteColumns(const YRow& row, const std::vector<int>& changed);
    void Reposition(int index);
    void EnsureSorted();

    YDatabase& m_db;
    bool m_bOpen = false;
    int m_nOwnColumns = 0;
    std::vector<YFieldExchange::Binding> m_bindings;
    int m_nTexts = 0;
    int m_nNumbers = 0;
    int m_nFilterSegment = -1; // segment of the rows in the cache, -1 for all
    // The file's change stamp when the rows were read; empty when unknown.
    std::optional<YFastStatement::ChangeStamp> m_loadStamp;
    YRowCache m_rows;
    int m_nPos = -1;
    bool m_bBetweenRows = false; // the current row was deleted: MoveNext stays on m_nPos
    bool m_bOrderDirty = false;
    Mode m_mode = Mode::None;
    qint64 m_nLastInsert = 0;
    std::unique_ptr<YFastStatement> m_insert;
    std::unique_ptr<YFastStatement> m_delete;
    // UPDATE statements by the binding indexes of the columns they write.
    std::map<std::vector<int>, std::unique_ptr<YFastStatement>> m_updates;
    // While updates are held back: by rowid, each changed row as the file holds it.
    std::optional<std::unordered_map<qint64, YRow>> m_deferred;
    QString m_strError;
};
