#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class QSqlDatabase;
class QSqlQuery;

// A prepared statement of the project file that is run often: the bulk INSERTs and UPDATEs of
// the preprocessing, and the single-row writes of the record sets.
//
// Qt's SQLite driver formats and hashes a placeholder name for every value bound, which costs
// about nine times what SQLite itself spends on a row of doubles (some 100 µs for a row of
// [土石计算中间表]). Where the driver runs the same SQLite library as the one this program
// links (Debian's driver uses the shared system library), the statement runs on SQLite's C
// interface through the connection's own handle, so it shares the connection's transaction
// and savepoints. Otherwise (another library version answers through the driver), or when
// ForceQtDriver is set, it goes through QSqlQuery with the same results: the same values are
// stored either way (NULL, 64-bit integer, double, text).
//
// The statement holds the connection's handle: destroy it before the connection is closed
// (the record sets finalise theirs when they close, which YDatabase::Close does first).
class YFastStatement {
  public:
    explicit YFastStatement(QSqlDatabase& db);
    ~YFastStatement();
    YFastStatement(const YFastStatement&) = delete;
    YFastStatement& operator=(const YFastStatement&) = delete;

    // A second Prepare replaces the statement.
    [[nodiscard]] bool Prepare(const QString& sql);
    // Parameters count from 0, as QSqlQuery's positional ones. A value stays bound until it is
    // bound again.
    void BindDouble(int pos, double value);
    void BindInt(int pos, qint64 value);
    // A null QString binds NULL; an empty one binds the empty text.
    void BindText(int pos, const QString& value);
    void BindNull(int pos);
    // Runs the statement (one that returns no rows) once; false (LastError says why) on
    // failure or when not prepared.
    [[nodiscard]] bool Exec();
    // Of the last successful Exec: rows changed by an INSERT / UPDATE / DELETE, and the rowid
    // of the row an INSERT added.
    int RowsChanged() const { return m_nChanged; }
    qint64 InsertedRowId() const { return m_nInserted; }
    QString LastError() const { return m_strError; }

    // Reading the rows of a SELECT: each Next moves to the following row (the first call runs
    // the statement); false at the end, or on failure with LastError set. Reset ends the
    // reading early, so the statement holds no open read.
    [[nodiscard]] bool Next();
    void Reset();
    // A column of the current row (from 0) by the kind of value the file holds there.
    enum class Cell { Null, Integer, Float, Text, Blob };
    Cell Type(int col) const;
    // The kind of a cell and, for Integer and Float cells, its number, in one call into SQLite
    // (reading a long road's tables asks this some ten million times).
    Cell Number(int col, double& number) const;
    // A number (an integer converted); only for Integer and Float cells.
    double Double(int col) const;
    qint64 Int(int col) const;
    // A text cell's text.
    QString Text(int col) const;
    // Any cell as Qt's SQLite driver gives it (NULL: a null QVariant).
    QVariant Value(int col) const;

    // What has changed in the file since an earlier answer: this connection's count of rows
    // changed and SQLite's data version (which commits of other connections change). Equal
    // answers mean the tables read in between are still what the file holds. Empty where the
    // C interface is not reachable (nothing can then be known).
    struct ChangeStamp {
        qint64 nChanges = 0;
        unsigned nDataVersion = 0;
        bool operator==(const ChangeStamp&) const = default;
    };
    static std::optional<ChangeStamp> Stamp(QSqlDatabase& db);

    // Whether the statement runs on SQLite's C interface.
    bool IsNative() const { return m_pHandle != nullptr; }
    // Whether a driver reporting this sqlite_source_id() runs the library this program links.
    static bool SameLibrary(const QString& driverSourceId);
    // Tests: take the Qt driver's path even where the C interface is reachable. Applies to
    // statements constructed afterwards.
    static void ForceQtDriver(bool force);
    // Tests: pretend the driver reports this source id (empty optional: ask the driver).
    static void SetDriverSourceIdForTests(const std::optional<QString>& sourceId);

  private:
    static bool DriverMatchesLinkedLibrary(QSqlDatabase& db);
    void Finalize();

    QSqlDatabase& m_db;
    void* m_pHandle = nullptr; // sqlite3*, set only when the native path is safe
    void* m_pStmt = nullptr;   // sqlite3_stmt*
    std::unique_ptr<QSqlQuery> m_query;
    bool m_bReading = false; // Next has run the statement and not reached its end
    int m_nChanged = 0;
    qint64 m_nInserted = 0;
    QString m_strError;
};
