#include "core/db/YFastStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <optional>
#include <sqlite3.h>

namespace {

std::atomic<bool> g_forceQt{false};
std::optional<QString> g_driverSourceIdForTests;

sqlite3* Db(void* handle) {
    return static_cast<sqlite3*>(handle);
}
sqlite3_stmt* Stmt(void* stmt) {
    return static_cast<sqlite3_stmt*>(stmt);
}

// The source id (version, date and check-in) of the SQLite library that runs the connection,
// asked through the Qt driver, so it is the driver's library that answers.
QString DriverSourceId(QSqlDatabase& db) {
    QSqlQuery q(db);
    return q.exec(QStringLiteral("SELECT sqlite_source_id()")) && q.next() ? q.value(0).toString()
                                                                           : QString();
}

YFastStatement::Cell CellOf(int sqliteType) {
    switch (sqliteType) {
    case SQLITE_INTEGER:
        return YFastStatement::Cell::Integer;
    case SQLITE_FLOAT:
        return YFastStatement::Cell::Float;
    case SQLITE_TEXT:
        return YFastStatement::Cell::Text;
    case SQLITE_BLOB:
        return YFastStatement::Cell::Blob;
    default:
        return YFastStatement::Cell::Null;
    }
}

} // namespace

bool YFastStatement::SameLibrary(const QString& driverSourceId) {
    return !driverSourceId.isEmpty() && driverSourceId == QString::fromLatin1(sqlite3_sourceid());
}

// The handle of the driver is used with the functions of the SQLite this program links only
// when the driver runs the very same library version: a driver with another (or its own
// built-in) SQLite lays its connection out differently, and its handles must never meet our
// functions. The driver is the same for every connection of the process, so one answer holds.
bool YFastStatement::DriverMatchesLinkedLibrary(QSqlDatabase& db) {
    if (g_driverSourceIdForTests) {
        return SameLibrary(*g_driverSourceIdForTests);
    }
    static const bool same = SameLibrary(DriverSourceId(db));
    return same;
}

void YFastStatement::ForceQtDriver(bool force) {
    g_forceQt = force;
}

void YFastStatement::SetDriverSourceIdForTests(const std::optional<QString>& sourceId) {
    g_driverSourceIdForTests = sourceId;
}

YFastStatement::YFastStatement(QSqlDatabase& db) : m_db(db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!g_forceQt && handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        void* h = *static_cast<void* const*>(handle.constData());
        m_pHandle = h != nullptr && DriverMatchesLinkedLibrary(db) ? h : nullptr;
    }
}

YFastStatement::~YFastStatement() {
    Finalize();
}

void YFastStatement::Finalize() {
    if (m_pStmt != nullptr) {
        sqlite3_finalize(Stmt(m_pStmt));
        m_pStmt = nullptr;
    }
    m_query.reset();
}

bool YFastStatement::Prepare(const QString& sql) {
    Finalize();
    m_strError.clear();
    if (m_pHandle != nullptr) {
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(Db(m_pHandle), utf8.constData(), int(utf8.size()), &stmt, nullptr) !=
            SQLITE_OK) {
            m_strError = QString::fromUtf8(sqlite3_errmsg(Db(m_pHandle)));
            sqlite3_finalize(stmt);
            return false;
        }
        m_pStmt = stmt;
        if (m_pStmt == nullptr) { // only blanks or a comment
            m_strError = QStringLiteral("空语句");
            return false;
        }
        return true;
    }
    m_query = std::make_unique<QSqlQuery>(m_db);
    if (!m_query->prepare(sql)) {
        m_strError = m_query->lastError().text();
        m_query.reset();
        return false;
    }
    return true;
}

void YFastStatement::BindDouble(int pos, double value) {
    if (m_pStmt != nullptr) {
        sqlite3_bind_double(Stmt(m_pStmt), pos + 1, value);
    } else if (m_query) {
        m_query->bindValue(pos, value);
    }
}

void YFastStatement::BindInt(int pos, qint64 value) {
    if (m_pStmt != nullptr) {
        sqlite3_bind_int64(Stmt(m_pStmt), pos + 1, value);
    } else if (m_query) {
        m_query->bindValue(pos, value);
    }
}

void YFastStatement::BindText(int pos, const QString& value) {
    if (value.isNull()) {
        BindNull(pos);
    } else if (m_pStmt != nullptr) {
        // A null pointer would bind NULL: an empty text gets a pointer of its own.
        static const char16_t empty[] = u"";
        const void* text = value.isEmpty() ? static_cast<const void*>(empty) : value.utf16();
        sqlite3_bind_text16(Stmt(m_pStmt), pos + 1, text, int(value.size() * 2), SQLITE_TRANSIENT);
    } else if (m_query) {
        m_query->bindValue(pos, value);
    }
}

void YFastStatement::BindNull(int pos) {
    if (m_pStmt != nullptr) {
        sqlite3_bind_null(Stmt(m_pStmt), pos + 1);
    } else if (m_query) {
        m_query->bindValue(pos, QVariant());
    }
}

bool YFastStatement::Exec() {
    if (m_pStmt != nullptr) {
        const int rc = sqlite3_step(Stmt(m_pStmt));
        if (rc == SQLITE_DONE) {
            m_nChanged = sqlite3_changes(Db(m_pHandle));
            m_nInserted = sqlite3_last_insert_rowid(Db(m_pHandle));
        } else {
            m_strError = QString::fromUtf8(sqlite3_errmsg(Db(m_pHandle)));
        }
        sqlite3_reset(Stmt(m_pStmt)); // a reset statement holds no lock and no open read
        return rc == SQLITE_DONE;
    }
    if (!m_query) {
        m_strError = QStringLiteral("语句没有准备好");
        return false;
    }
    if (!m_query->exec()) {
        m_strError = m_query->lastError().text();
        return false;
    }
    m_nChanged = m_query->numRowsAffected();
    m_nInserted = m_query->lastInsertId().toLongLong(); // only while the query is active
    m_query->finish();
    return true;
}

std::optional<YFastStatement::ChangeStamp> YFastStatement::Stamp(QSqlDatabase& db) {
    YFastStatement version(db);
    if (version.m_pHandle == nullptr || !version.Prepare(QStringLiteral("PRAGMA data_version")) ||
        !version.Next()) {
        return std::nullopt;
    }
    const ChangeStamp stamp{sqlite3_total_changes64(Db(version.m_pHandle)),
                            unsigned(version.Int(0))};
    version.Reset();
    return stamp;
}

bool YFastStatement::Next() {
    if (m_pStmt != nullptr) {
        const int rc = sqlite3_step(Stmt(m_pStmt));
        if (rc == SQLITE_ROW) {
            return true;
        }
        if (rc != SQLITE_DONE) {
            m_strError = QString::fromUtf8(sqlite3_errmsg(Db(m_pHandle)));
        }
        sqlite3_reset(Stmt(m_pStmt));
        return false;
    }
    if (!m_query) {
        m_strError = QStringLiteral("语句没有准备好");
        return false;
    }
    if (!m_bReading) {
        m_query->setForwardOnly(true);
        if (!m_query->exec()) {
            m_strError = m_query->lastError().text();
            return false;
        }
        m_bReading = true;
    }
    if (m_query->next()) {
        return true;
    }
    if (m_query->lastError().isValid()) {
        m_strError = m_query->lastError().text();
    }
    Reset();
    return false;
}

void YFastStatement::Reset() {
    if (m_pStmt != nullptr) {
        sqlite3_reset(Stmt(m_pStmt));
    } else if (m_query) {
        m_query->finish();
    }
    m_bReading = false;
}

YFastStatement::Cell YFastStatement::Type(int col) const {
    if (m_pStmt != nullptr) {
        return CellOf(sqlite3_column_type(Stmt(m_pStmt), col));
    }
    const QVariant v = Value(col);
    if (v.isNull()) {
        return Cell::Null;
    }
    switch (v.typeId()) {
    case QMetaType::Double:
        return Cell::Float;
    case QMetaType::QString:
        return Cell::Text;
    case QMetaType::QByteArray:
        return Cell::Blob;
    default:
        return Cell::Integer;
    }
}

YFastStatement::Cell YFastStatement::Number(int col, double& number) const {
    if (m_pStmt == nullptr) {
        const Cell cell = Type(col);
        if (cell == Cell::Integer || cell == Cell::Float) {
            number = Double(col);
        }
        return cell;
    }
    sqlite3_value* v = sqlite3_column_value(Stmt(m_pStmt), col);
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER) {
        number = double(sqlite3_value_int64(v));
    } else if (type == SQLITE_FLOAT) {
        number = sqlite3_value_double(v);
    }
    return CellOf(type);
}

double YFastStatement::Double(int col) const {
    if (m_pStmt != nullptr) {
        return sqlite3_column_type(Stmt(m_pStmt), col) == SQLITE_INTEGER
                   ? double(sqlite3_column_int64(Stmt(m_pStmt), col))
                   : sqlite3_column_double(Stmt(m_pStmt), col);
    }
    const QVariant v = Value(col);
    return v.typeId() == QMetaType::Double ? v.toDouble() : double(v.toLongLong());
}

qint64 YFastStatement::Int(int col) const {
    if (m_pStmt != nullptr) {
        return sqlite3_column_int64(Stmt(m_pStmt), col);
    }
    return Value(col).toLongLong();
}

QString YFastStatement::Text(int col) const {
    if (m_pStmt != nullptr) {
        // UTF-16 as the file keeps it in UTF-8: one conversion, as the driver makes.
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(Stmt(m_pStmt), col));
        const int bytes = sqlite3_column_bytes16(Stmt(m_pStmt), col);
        return text ? QString::fromUtf16(text, bytes / 2) : QString();
    }
    return Value(col).toString();
}

QVariant YFastStatement::Value(int col) const {
    if (m_pStmt == nullptr) {
        return m_query ? m_query->value(col) : QVariant();
    }
    sqlite3_stmt* st = Stmt(m_pStmt);
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, col)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, col));
    case SQLITE_TEXT:
        return QVariant(Text(col));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(st, col));
        return QVariant(QByteArray(data, sqlite3_column_bytes(st, col)));
    }
    default:
        return QVariant();
    }
}
