#pragma once

#include <QString>
#include <memory>

class QSqlDatabase;
class QSqlQuery;

// One prepared statement run many times in a row (bulk INSERT / UPDATE inside a transaction).
//
// Qt's SQLite driver formats and hashes a placeholder name for every value bound, which costs
// about nine times what SQLite itself spends on a row of doubles; a preprocessing run binds
// millions of values. Where the connection's SQLite library is reachable (the driver uses the
// shared system library, already loaded in the process), the statement runs on SQLite's C
// interface through the connection's own handle, so it shares the connection's transaction.
// Otherwise, or when ForceQtDriver is set, it goes through QSqlQuery with the same results.
class YBulkStatement {
  public:
    explicit YBulkStatement(QSqlDatabase& db);
    ~YBulkStatement();
    YBulkStatement(const YBulkStatement&) = delete;
    YBulkStatement& operator=(const YBulkStatement&) = delete;

    [[nodiscard]] bool Prepare(const QString& sql);
    // Parameters count from 0, as QSqlQuery's positional ones.
    void BindDouble(int pos, double value);
    void BindInt(int pos, qint64 value);
    [[nodiscard]] bool Exec();
    QString LastError() const { return m_strError; }

    // Whether the statement runs on SQLite's C interface.
    bool IsNative() const { return m_pApi != nullptr; }
    // Tests: take the Qt driver's path even where the C interface is reachable.
    static void ForceQtDriver(bool force);

  private:
    struct Api;
    static const Api* NativeApi();

    QSqlDatabase& m_db;
    const Api* m_pApi = nullptr;
    void* m_pHandle = nullptr; // sqlite3*
    void* m_pStmt = nullptr;   // sqlite3_stmt*
    std::unique_ptr<QSqlQuery> m_query;
    QString m_strError;
};
