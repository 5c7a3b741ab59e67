#include "RawSqlite.h"

#include <QFile>

RawDb::RawDb(const QString& path) {
    if (sqlite3_open(QFile::encodeName(path).constData(), &m_db) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

std::vector<std::string> RawDb::Tables() const {
    std::vector<std::string> names;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(m_db,
                       "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                       "'sqlite_%'",
                       -1, &st, nullptr);
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    return names;
}

qint64 RawReadAll(const QString& path, const std::vector<std::string>& tables) {
    RawDb db(path);
    qint64 rows = 0;
    double sink = 0;
    for (const std::string& table : tables.empty() ? db.Tables() : tables) {
        sqlite3_stmt* st = nullptr;
        const std::string sql = "SELECT * FROM [" + table + "]";
        sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &st, nullptr);
        const int columns = st ? sqlite3_column_count(st) : 0;
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER:
                    sink += double(sqlite3_column_int64(st, c));
                    break;
                case SQLITE_FLOAT:
                    sink += sqlite3_column_double(st, c);
                    break;
                case SQLITE_TEXT:
                    sink += sqlite3_column_bytes(st, c);
                    break;
                default:
                    break;
                }
            }
        }
        sqlite3_finalize(st);
    }
    return sink == -1.0 ? -rows : rows; // keeps the reads
}
