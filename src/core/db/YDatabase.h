#pragma once

#include "core/station/YStationNumbering.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

class YOpenSet;

// One open project file: the SQLite connection, the layout version the record sets bind
// their columns by, and the current project segment that filters the per-segment tables.
// The document owns one; every record set of the document is constructed with it.
//
// The connection is a QSqlDatabase with a name of its own, removed when the YDatabase is
// destroyed, so several projects can be open at once. The file is kept in SQLite's rollback
// journal mode (journal_mode=DELETE) with synchronous=FULL: a committed transaction is on the
// disk before the call returns and a crash mid-transaction leaves the file as it was before
// it. WAL would be faster for many small transactions, but it keeps committed data in a
// "-wal" file beside the project until a checkpoint, and a project file is a document that
// users copy, mail and keep on network shares, where only the single file travels. The cost of
// the journal is one sync per transaction, so the statements of one user action are grouped in
// one YTransaction.
class YDatabase {
  public:
    YDatabase();
    ~YDatabase();
    YDatabase(const YDatabase&) = delete;
    YDatabase& operator=(const YDatabase&) = delete;

    // Opens an existing project file and reads its layout version. Fails (LastError says why)
    // when the file is missing, is not an SQLite database, or holds no project tables.
    [[nodiscard]] bool Open(const QString& path);
    // Creates a new database file with build (YSchema::CreateProject passes the tables of a
    // layout version) and opens it. The file is built under a temporary name in the same
    // folder and renamed into place when complete, so an existing file at the path is replaced
    // only by a whole new project.
    [[nodiscard]] bool Create(const QString& path, const std::function<bool(YDatabase&)>& build);
    // Closes every open record set of this database, rolls back an unfinished transaction and
    // closes the connection.
    void Close();
    bool IsOpen() const { return m_db.isOpen(); }
    QString Path() const { return m_strPath; }

    // Set before Open: the file is opened read-only inside one read transaction held until
    // Close, so a reader sees the state of one moment while another program writes (that
    // writer's commits wait for it, up to the busy timeout).
    void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly; }
    bool IsReadOnly() const { return m_bReadOnly; }

    // Layout version: VER of [版本], 2 when the table is missing or unreadable. A record set
    // that fails to open at version 2 or older sets it to 1 (see YRecordset::Open).
    int Version() const { return m_nVersion; }
    void SetVersion(int version) { m_nVersion = version; }

    // The current project segment (分段编号), -1 for none. From version 5 the per-segment
    // record sets show only its rows; they pick a change up at their next Requery.
    int CurrentSegment() const { return m_nCurrentSegment; }
    void SetCurrentSegment(int segment) { m_nCurrentSegment = segment; }

    // The project's own station numbering (项目标识 and 断链): every station text of this file
    // is made and read with it, whatever other project is open. The document sets it from
    // the file when it opens the project and when the chain breaks change.
    const YStationNumbering& Numbering() const { return m_numbering; }
    void SetNumbering(const YStationNumbering& numbering) { m_numbering = numbering; }

    // Runs one statement with positional parameters ("?"). False and LastError on failure.
    [[nodiscard]] bool Exec(const QString& sql, const QVariantList& params = {});
    // The first column of the first row of a query; empty on failure or when there is no row.
    std::optional<QVariant> QueryValue(const QString& sql, const QVariantList& params = {});

    // Schema introspection of the open file.
    bool HasTable(const QString& table);
    QStringList TableNames();
    // Column names in file order; empty when the table does not exist.
    std::optional<QStringList> ColumnNames(const QString& table);
    std::optional<qint64> RowCount(const QString& table);

    QSqlDatabase& Connection() { return m_db; }
    QString LastError() const { return m_strError; }
    void SetLastError(const QString& text) { m_strError = text; }

    // Number of transactions (YTransaction scopes) open right now.
    int TransactionDepth() const { return m_nTransactionDepth; }

  private:
    friend class YTransaction;
    friend class YRecordset;

    [[nodiscard]] bool Connect(const QString& path);
    void Disconnect();
    int ReadLayoutVersion();
    // False, with LastError saying the file at path is damaged, when the last error is SQLite
    // finding the file corrupt; true (nothing changed) otherwise.
    [[nodiscard]] bool ExplainDamage(const QString& path);

    // Transactions nest: the outermost scope is BEGIN IMMEDIATE … COMMIT, inner scopes are
    // savepoints, so an inner rollback undoes only its own part.
    [[nodiscard]] bool BeginTransaction();
    [[nodiscard]] bool CommitTransaction();
    void RollbackTransaction();
    // A joined scope (see YTransaction) failed: the innermost open scope can only be rolled
    // back whole, which its Commit then does.
    void FailInnermostScope();
    // After a rollback the record sets' rows no longer match the file: every open set is
    // re-queried (and stands on its first row).
    void RequeryOpenSets();

    void Register(YOpenSet* set);
    void Unregister(YOpenSet* set);

    QSqlDatabase m_db;
    QString m_strConnection;
    QString m_strPath;
    QString m_strError;
    int m_nVersion = 2;
    int m_nCurrentSegment = -1;
    int m_nTransactionDepth = 0;
    int m_nFailedDepth = 0; // the scope at this depth must roll back; 0: none
    bool m_bReadOnly = false;
    YStationNumbering m_numbering;
    std::vector<YOpenSet*> m_openSets;
};
