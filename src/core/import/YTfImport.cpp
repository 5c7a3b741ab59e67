#include "core/import/YTfImport.h"

#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/import/YTextFile.h"
#include "core/import/YTfReader.h"
#include "core/platform/YGuid.h"
#include "core/platform/YUserIO.h"
#include "core/station/YStation.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

YTfImport::YTfImport(YDatabase& db, YUserIO& io) : m_db(db), m_io(io) {}

QString YTfImport::NoDataMessage(const QString& path) {
    return QStringLiteral("数据文件%1中没有可读入的断面,未作任何改动\n")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

YTfImport::Result YTfImport::Import(const QString& path, const TfFormat& format, Scope scope) {
    YWaitScope wait(m_io);
    const std::optional<QByteArray> bytes = YTextFile::ReadBytes(path);
    if (!bytes) {
        return {Status::CannotOpen, 0};
    }
    const YTfReadResult read = YTfReader(format).Read(*bytes);
    if (!read.Ok()) {
        m_io.Error(YTextFile::BadLineMessage(path, read.nFailLine, read.strReason));
        return {Status::BadLine, 0};
    }
    if (read.lines.empty()) {
        // Replacing the sections by none would empty the project and keep stale results.
        m_io.Error(NoDataMessage(path));
        return {Status::NoData, 0};
    }
    YTransaction tr(m_db);
    const bool ok = tr.IsActive() && WriteSections(read) &&
                    (scope != Scope::Project || WriteProject(path, read)) && tr.Commit();
    if (!ok) {
        m_io.Error(m_db.LastError());
        return {Status::Failed, 0};
    }
    m_io.Info(DoneMessage());
    return {Status::Done, int(read.lines.size())};
}

bool YTfImport::WriteSections(const YTfReadResult& read) {
    if (!m_db.Exec(QStringLiteral("DELETE FROM [逐桩断面]"))) {
        return false;
    }
    QSqlQuery insert(m_db.Connection());
    if (!insert.prepare(QStringLiteral("INSERT INTO [逐桩断面] ([桩号],[挖方面积],[填方面积],"
                                       "[中桩填挖],[sta]) VALUES (?,?,?,?,?)"))) {
        m_db.SetLastError(insert.lastError().text());
        return false;
    }
    for (const YTfLine& line : read.lines) {
        insert.bindValue(0, m_db.Numbering().Text(YStation(line.dStation)));
        insert.bindValue(1, std::fabs(line.dCut));
        insert.bindValue(2, std::fabs(line.dFill));
        insert.bindValue(3, line.dHeight);
        insert.bindValue(4, line.dStation);
        if (!insert.exec()) {
            m_db.SetLastError(insert.lastError().text());
            return false;
        }
    }
    return true;
}

// From layout version 5: the file becomes the project's only segment and gives the project
// its name and a new identity.
bool YTfImport::WriteProject(const QString& path, const YTfReadResult& read) {
    if (m_db.Version() < 5) {
        return true;
    }
    if (m_db.HasTable(QStringLiteral("项目分段"))) {
        if (!m_db.Exec(QStringLiteral("DELETE FROM [项目分段]"))) {
            return false;
        }
        if (!read.lines.empty()) {
            const QString end = m_db.Numbering().Text(YStation(read.lines.back().dStation));
            if (!m_db.Exec(QStringLiteral("INSERT INTO [项目分段] ([分段编号],[结束桩号]) "
                                          "VALUES (1, ?)"),
                           {end})) {
                return false;
            }
        }
    }
    const QString insert = QStringLiteral("INSERT INTO [项目] ([属性名称],[属性值]) VALUES (?, ?)");
    return m_db.Exec(QStringLiteral("DELETE FROM [项目]")) &&
           m_db.Exec(insert, {QStringLiteral("项目名称"), QFileInfo(path).completeBaseName()}) &&
           m_db.Exec(insert, {QStringLiteral("GUID"), YGuid::NewText()});
}
