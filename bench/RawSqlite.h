#pragma once

#include <QString>
#include <sqlite3.h>
#include <string>
#include <vector>

// The raw engine, without the program's layers: the baseline the benchmarks set their figures
// against.

// A sqlite3 connection closed on scope exit.
class RawDb {
  public:
    explicit RawDb(const QString& path);
    ~RawDb() { sqlite3_close(m_db); }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;
    sqlite3* Handle() const { return m_db; }
    bool Exec(const char* sql) const {
        return m_db && sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    std::vector<std::string> Tables() const;

  private:
    sqlite3* m_db = nullptr;
};

// Reads every value of every row of the named tables (all tables when none are named), each as
// the type it is stored in; the rows.
qint64 RawReadAll(const QString& path, const std::vector<std::string>& tables = {});
