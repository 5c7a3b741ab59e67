#include "core/db/YFastStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <type_traits>

#if defined(Q_OS_UNIX)
#include <dlfcn.h>
#endif

namespace {

std::atomic<bool> g_forceQt{false};

// Result codes of SQLite's C interface.
constexpr int SqliteOk = 0;
constexpr int SqliteDone = 101;

// SQLITE_TRANSIENT: SQLite copies a bound text before the bind call returns.
using Destructor = void (*)(void*);
const Destructor SqliteTransient = reinterpret_cast<Destructor>(-1);

} // namespace

// The few entry points of SQLite's C interface a statement needs.
struct YFastStatement::Api {
    int (*prepare)(void* db, const char* sql, int bytes, void** stmt, const char** tail);
    int (*bindDouble)(void* stmt, int pos, double value);
    int (*bindInt64)(void* stmt, int pos, long long value);
    int (*bindText16)(void* stmt, int pos, const void* text, int bytes, Destructor destructor);
    int (*bindNull)(void* stmt, int pos);
    int (*step)(void* stmt);
    int (*reset)(void* stmt);
    int (*finalize)(void* stmt);
    int (*changes)(void* db);
    long long (*lastInsertRowId)(void* db);
    const char* (*errmsg)(void* db);
};

// The C interface of the SQLite library the driver has loaded. Only a library that is already
// in the process is taken (RTLD_NOLOAD): a driver with its own built-in SQLite leaves the
// shared library unloaded, and its handles must never meet another copy's functions.
const YFastStatement::Api* YFastStatement::NativeApi() {
#if defined(Q_OS_UNIX)
    static const Api* api = []() -> const Api* {
        void* lib = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (lib == nullptr) {
            return nullptr;
        }
        static Api a;
        const auto load = [lib](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            return fn != nullptr;
        };
        const bool complete =
            load(a.prepare, "sqlite3_prepare_v2") && load(a.bindDouble, "sqlite3_bind_double") &&
            load(a.bindInt64, "sqlite3_bind_int64") && load(a.bindText16, "sqlite3_bind_text16") &&
            load(a.bindNull, "sqlite3_bind_null") && load(a.step, "sqlite3_step") &&
            load(a.reset, "sqlite3_reset") && load(a.finalize, "sqlite3_finalize") &&
            load(a.changes, "sqlite3_changes") &&
            load(a.lastInsertRowId, "sqlite3_last_insert_rowid") &&
            load(a.errmsg, "sqlite3_errmsg");
        return complete ? &a : nullptr;
    }();
    return api;
#else
    return nullptr;
#endif
}

void YFastStatement::ForceQtDriver(bool force) {
    g_forceQt = force;
}

YFastStatement::YFastStatement(QSqlDatabase& db) : m_db(db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!g_forceQt && handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        m_pHandle = *static_cast<void* const*>(handle.constData());
        m_pApi = m_pHandle ? NativeApi() : nullptr;
    }
}

YFastStatement::~YFastStatement() {
    Finalize();
}

void YFastStatement::Finalize() {
    if (m_pStmt != nullptr) {
        m_pApi->finalize(m_pStmt);
        m_pStmt = nullptr;
    }
    m_query.reset();
}

bool YFastStatement::Prepare(const QString& sql) {
    Finalize();
    m_strError.clear();
    if (m_pApi != nullptr) {
        const QByteArray utf8 = sql.toUtf8();
        if (m_pApi->prepare(m_pHandle, utf8.constData(), int(utf8.size()), &m_pStmt, nullptr) !=
            SqliteOk) {
            m_strError = QString::fromUtf8(m_pApi->errmsg(m_pHandle));
            m_pStmt = nullptr;
            return false;
        }
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
        m_pApi->bindDouble(m_pStmt, pos + 1, value);
    } else if (m_query) {
        m_query->bindValue(pos, value);
    }
}

void YFastStatement::BindInt(int pos, qint64 value) {
    if (m_pStmt != nullptr) {
        m_pApi->bindInt64(m_pStmt, pos + 1, value);
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
        m_pApi->bindText16(m_pStmt, pos + 1, text, int(value.size() * 2), SqliteTransient);
    } else if (m_query) {
        m_query->bindValue(pos, value);
    }
}

void YFastStatement::BindNull(int pos) {
    if (m_pStmt != nullptr) {
        m_pApi->bindNull(m_pStmt, pos + 1);
    } else if (m_query) {
        m_query->bindValue(pos, QVariant());
    }
}

bool YFastStatement::Exec() {
    if (m_pStmt != nullptr) {
        const int rc = m_pApi->step(m_pStmt);
        if (rc == SqliteDone) {
            m_nChanged = m_pApi->changes(m_pHandle);
            m_nInserted = m_pApi->lastInsertRowId(m_pHandle);
        } else {
            m_strError = QString::fromUtf8(m_pApi->errmsg(m_pHandle));
        }
        m_pApi->reset(m_pStmt); // a reset statement holds no lock and no open read
        return rc == SqliteDone;
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
