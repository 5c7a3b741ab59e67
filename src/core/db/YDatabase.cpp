#include "core/db/YDatabase.h"

#include "core/db/YLayoutVersion.h"
#include "core/db/YOpenSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>
#include <atomic>
#include <filesystem>

namespace {

QString NextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("dalvex-db-%1").arg(++counter);
}

// SQLite files start with this 16-byte header; an empty file would silently become a new
// database, so the header is checked before connecting.
bool HasSqliteHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return file.read(16) == QByteArray("SQLite format 3", 16);
}

// Settings of every connection. The journal is a rollback journal synced in full (see the
// class comment); the page cache is raised to 32 MiB so the result tables of a long road stay
// in memory; waiting up to 5 s for a lock held by another program (the sqlite3 shell) is
// better than failing at once. Temporary data (the statement journal of savepoints) goes to a
// temporary file once it outgrows a small buffer: held in memory, SQLite truncates it by
// walking it from the start at every savepoint release, which grows with what the
// transaction has written so far.
const char* const kPragmas[] = {
    "PRAGMA journal_mode=DELETE",
    "PRAGMA synchronous=FULL",
    "PRAGMA cache_size=-32768",
    "PRAGMA temp_store=FILE",
};

QString Quote(const QString& name) {
    return u'[' + name + u']';
}

} // namespace

YDatabase::YDatabase() : m_strConnection(NextConnectionName()) {}

YDatabase::~YDatabase() {
    Close();
}

bool YDatabase::Connect(const QString& path) {
    Disconnect();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_strConnection);
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(m_bReadOnly
                               ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY")
                               : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!m_db.open()) {
        m_strError = QStringLiteral("无法打开文件%1：%2").arg(path, m_db.lastError().text());
        Disconnect();
        return false;
    }
    for (const char* pragma : kPragmas) {
        // A read-only connection cannot change the journal mode; it needs none of them.
        if (!m_bReadOnly && !Exec(QString::fromUtf8(pragma))) {
            Disconnect();
            return false;
        }
    }
    // The first read of a deferred transaction takes SQLite's shared lock, kept until Close.
    if (m_bReadOnly &&
        (!Exec(QStringLiteral("BEGIN")) ||
         !QueryValue(QStringLiteral("SELECT count(*) FROM sqlite_master")).has_value())) {
        Disconnect();
        return false;
    }
    m_strPath = path;
    return true;
}

void YDatabase::Disconnect() {
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_strConnection);
    }
    m_strPath.clear();
    m_nTransactionDepth = 0;
    m_nFailedDepth = 0;
}

bool YDatabase::Open(const QString& path) {
    Close();
    if (!QFileInfo(path).isFile()) {
        m_strError = QStringLiteral("文件不存在：%1").arg(path);
        return false;
    }
    if (!HasSqliteHeader(path)) {
        m_strError = QStringLiteral("不是项目数据库文件：%1").arg(path);
        return false;
    }
    m_strError.clear();
    if (!Connect(path)) {
        (void)ExplainDamage(path);
        return false;
    }
    // [逐桩断面] exists in every layout; a database without it is someone else's.
    if (!HasTable(QStringLiteral("逐桩断面"))) {
        if (!ExplainDamage(path)) {
            Disconnect();
            return false;
        }
        m_strError = QStringLiteral("不是项目数据库文件：%1（缺少表[逐桩断面]）").arg(path);
        Disconnect();
        return false;
    }
    m_nVersion = ReadLayoutVersion();
    m_nCurrentSegment = -1;
    return true;
}

bool YDatabase::ExplainDamage(const QString& path) {
    // SQLite's words for a file cut short or overwritten (SQLITE_CORRUPT, SQLITE_NOTADB): the
    // user is told it is the project file that is damaged, not shown a failed statement.
    if (m_strError.contains(QLatin1String("malformed")) ||
        m_strError.contains(QLatin1String("not a database"))) {
        m_strError = QStringLiteral("项目文件已损坏：%1（%2）").arg(path, m_strError);
        return false;
    }
    return true;
}

bool YDatabase::Create(const QString& path, const std::function<bool(YDatabase&)>& build) {
    Close();
    const QFileInfo target(path);
    const QString temp = target.dir().filePath(
        QStringLiteral(".%1.%2.tmp")
            .arg(target.fileName(), QUuid::createUuid().toString(QUuid::WithoutBraces)));
    const bool built = Connect(temp) && build(*this);
    const QString error = m_strError;
    Disconnect();
    if (!built) {
        QFile::remove(temp);
        m_strError = QStringLiteral("无法创建项目文件%1：%2").arg(path, error);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp).toStdString(),
                            QFile::encodeName(path).toStdString(), ec);
    if (ec) {
        QFile::remove(temp);
        m_strError = QStringLiteral("无法创建项目文件%1：%2")
                         .arg(path, QString::fromLocal8Bit(ec.message().c_str()));
        return false;
    }
    return Open(path);
}

void YDatabase::Close() {
    // Closing a set unregisters it, so walk a copy.
    const std::vector<YOpenSet*> sets = m_openSets;
    for (YOpenSet* set : sets) {
        set->Close();
    }
    m_openSets.clear();
    if (m_nTransactionDepth > 0 && m_db.isOpen()) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    }
    Disconnect();
    m_nVersion = 2;
    m_nCurrentSegment = -1;
}

int YDatabase::ReadLayoutVersion() {
    if (!HasTable(QStringLiteral("版本"))) {
        return 2;
    }
    const auto value =
        QueryValue(QStringLiteral("SELECT [VER] FROM [版本] ORDER BY rowid LIMIT 1"));
    bool ok = false;
    const int version = value ? value->toInt(&ok) : 0;
    return (ok && version >= YLayoutVersion::Oldest) ? version : 2;
}

bool YDatabase::Exec(const QString& sql, const QVariantList& params) {
    QSqlQuery query(m_db);
    if (!query.prepare(sql)) {
        m_strError = QStringLiteral("%1：%2").arg(query.lastError().text(), sql);
        return false;
    }
    for (int i = 0; i < params.size(); ++i) {
        query.bindValue(i, params[i]);
    }
    if (!query.exec()) {
        m_strError = QStringLiteral("%1：%2").arg(query.lastError().text(), sql);
        return false;
    }
    return true;
}

std::optional<QVariant> YDatabase::QueryValue(const QString& sql, const QVariantList& params) {
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        m_strError = QStringLiteral("%1：%2").arg(query.lastError().text(), sql);
        return std::nullopt;
    }
    for (int i = 0; i < params.size(); ++i) {
        query.bindValue(i, params[i]);
    }
    if (!query.exec()) {
        m_strError = QStringLiteral("%1：%2").arg(query.lastError().text(), sql);
        return std::nullopt;
    }
    if (!query.next()) {
        return std::nullopt;
    }
    return query.value(0);
}

bool YDatabase::HasTable(const QString& table) {
    const auto n = QueryValue(
        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"),
        {table});
    return n && n->toInt() > 0;
}

QStringList YDatabase::TableNames() {
    QStringList names;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (query.exec(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid"))) {
        while (query.next()) {
            names << query.value(0).toString();
        }
    }
    return names;
}

std::optional<QStringList> YDatabase::ColumnNames(const QString& table) {
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"))) {
        m_strError = query.lastError().text();
        return std::nullopt;
    }
    query.bindValue(0, table);
    if (!query.exec()) {
        m_strError = query.lastError().text();
        return std::nullopt;
    }
    QStringList names;
    while (query.next()) {
        names << query.value(0).toString();
    }
    if (names.isEmpty()) {
        m_strError = QStringLiteral("缺少表[%1]").arg(table);
        return std::nullopt;
    }
    return names;
}

std::optional<qint64> YDatabase::RowCount(const QString& table) {
    if (!HasTable(table)) {
        return std::nullopt;
    }
    const auto n = QueryValue(QStringLiteral("SELECT count(*) FROM %1").arg(Quote(table)));
    return n ? std::optional<qint64>(n->toLongLong()) : std::nullopt;
}

bool YDatabase::BeginTransaction() {
    const QString sql = m_nTransactionDepth == 0
                            ? QStringLiteral("BEGIN IMMEDIATE")
                            : QStringLiteral("SAVEPOINT y%1").arg(m_nTransactionDepth);
    if (!Exec(sql)) {
        return false;
    }
    ++m_nTransactionDepth;
    return true;
}

bool YDatabase::CommitTransaction() {
    if (m_nTransactionDepth <= 0) {
        m_strError = QStringLiteral("没有进行中的事务");
        return false;
    }
    const int level = m_nTransactionDepth - 1;
    if (m_nFailedDepth == m_nTransactionDepth) {
        // A joined scope inside this one failed halfway: none of this scope may stay.
        const QString error = m_strError;
        RollbackTransaction();
        m_strError = error.isEmpty() ? QStringLiteral("写入项目文件失败，本次操作未保存") : error;
        return false;
    }
    const QString sql =
        level == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE y%1").arg(level);
    if (Exec(sql)) {
        m_nTransactionDepth = level;
        return true;
    }
    // A commit that failed (disk full, lock) leaves the transaction open: undo it, so the file
    // keeps its state before the action and nothing half-done can be committed later.
    const QString error = m_strError;
    RollbackTransaction();
    m_strError = error;
    return false;
}

void YDatabase::RollbackTransaction() {
    if (m_nTransactionDepth <= 0) {
        return;
    }
    const int level = --m_nTransactionDepth;
    if (m_nFailedDepth > level) {
        m_nFailedDepth = 0; // what failed is undone
    }
    if (level == 0) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    } else {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK TO y%1").arg(level));
        QSqlQuery(m_db).exec(QStringLiteral("RELEASE y%1").arg(level));
    }
    RequeryOpenSets();
}

void YDatabase::FailInnermostScope() {
    // A failure already marked further out covers this one.
    if (m_nFailedDepth == 0 || m_nFailedDepth > m_nTransactionDepth) {
        m_nFailedDepth = m_nTransactionDepth;
    }
}

void YDatabase::RequeryOpenSets() {
    const std::vector<YOpenSet*> sets = m_openSets;
    for (YOpenSet* set : sets) {
        (void)set->Requery(); // a failure stays in the set's LastError
    }
}

void YDatabase::Register(YOpenSet* set) {
    if (std::find(m_openSets.begin(), m_openSets.end(), set) == m_openSets.end()) {
        m_openSets.push_back(set);
    }
}

void YDatabase::Unregister(YOpenSet* set) {
    m_openSets.erase(std::remove(m_openSets.begin(), m_openSets.end(), set), m_openSets.end());
}
