#include "core/compute/YBulkStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

#if defined(Q_OS_UNIX)
#include <dlfcn.h>
#endif

namespace {

std::atomic<bool> g_forceQt{false};

// Result codes of SQLite's C interface.
constexpr int SqliteOk = 0;
constexpr int SqliteDone = 101;

} // namespace

// The few entry points of SQLite's C interface a bulk statement needs.
struct YBulkStatement::Api {
    int (*prepare)(void* db, const char* sql, int bytes, void** stmt, const char** tail);
    int (*bindDouble)(void* stmt, int pos, double value);
    int (*bindInt64)(void* stmt, int pos, long long value);
    int (*step)(void* stmt);
    int (*reset)(void* stmt);
    int (*finalize)(void* stmt);
    const char* (*errmsg)(void* db);
};

// The C interface of the SQLite library the driver has loaded. Only a library that is already
// in the process is taken (RTLD_NOLOAD): a driver with its own built-in SQLite leaves the
// shared library unloaded, and its handles must never meet another copy's functions.
const YBulkStatement::Api* YBulkStatement::NativeApi() {
#if defined(Q_OS_UNIX)
    static const Api* api = []() -> const Api* {
        void* lib = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (lib == nullptr) {
            return nullptr;
        }
        static Api a;
        const auto sym = [lib](const char* name) { return dlsym(lib, name); };
        a.prepare = reinterpret_cast<decltype(a.prepare)>(sym("sqlite3_prepare_v2"));
        a.bindDouble = reinterpret_cast<decltype(a.bindDouble)>(sym("sqlite3_bind_double"));
        a.bindInt64 = reinterpret_cast<decltype(a.bindInt64)>(sym("sqlite3_bind_int64"));
        a.step = reinterpret_cast<decltype(a.step)>(sym("sqlite3_step"));
        a.reset = reinterpret_cast<decltype(a.reset)>(sym("sqlite3_reset"));
        a.finalize = reinterpret_cast<decltype(a.finalize)>(sym("sqlite3_finalize"));
        a.errmsg = reinterpret_cast<decltype(a.errmsg)>(sym("sqlite3_errmsg"));
        const bool complete =
            a.prepare && a.bindDouble && a.bindInt64 && a.step && a.reset && a.finalize && a.errmsg;
        return complete ? &a : nullptr;
    }();
    return api;
#else
    return nullptr;
#endif
}

void YBulkStatement::ForceQtDriver(bool force) {
    g_forceQt = force;
}

YBulkStatement::YBulkStatement(QSqlDatabase& db) : m_db(db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!g_forceQt && handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        m_pHandle = *static_cast<void* const*>(handle.constData());
        m_pApi = m_pHandle ? NativeApi() : nullptr;
    }
}

YBulkStatement::~YBulkStatement() {
    if (m_pStmt != nullptr) {
        m_pApi->finalize(m_pStmt);
    }
}

bool YBulkStatement::Prepare(const QString& sql) {
    if (m_pApi != nullptr) {
        const QByteArray utf8 = sql.toUtf8();
        if (m_pApi->prepare(m_pHandle, utf8.constData(), int(utf8.size()), &m_pStmt, nullptr) ==
            SqliteOk) {
            return true;
        }
        m_strError = QString::fromUtf8(m_pApi->errmsg(m_pHandle));
        m_pStmt = nullptr;
        return false;
    }
    m_query = std::make_unique<QSqlQuery>(m_db);
    if (!m_query->prepare(sql)) {
        m_strError = m_query->lastError().text();
        return false;
    }
    return true;
}

void YBulkStatement::BindDouble(int pos, double value) {
    if (m_pStmt != nullptr) {
        m_pApi->bindDouble(m_pStmt, pos + 1, value);
    } else {
        m_query->bindValue(pos, value);
    }
}

void YBulkStatement::BindInt(int pos, qint64 value) {
    if (m_pStmt != nullptr) {
        m_pApi->bindInt64(m_pStmt, pos + 1, value);
    } else {
        m_query->bindValue(pos, value);
    }
}

bool YBulkStatement::Exec() {
    if (m_pStmt == nullptr) {
        if (!m_query->exec()) {
            m_strError = m_query->lastError().text();
            return false;
        }
        return true;
    }
    const int rc = m_pApi->step(m_pStmt);
    m_pApi->reset(m_pStmt);
    if (rc != SqliteDone) {
        m_strError = QString::fromUtf8(m_pApi->errmsg(m_pHandle));
        return false;
    }
    return true;
}
