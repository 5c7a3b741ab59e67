#include "core/reports/YTableOutput.h"

#include "core/document/CDalvexDoc.h"
#include "core/platform/YConf.h"
#include "core/platform/YUserIO.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
constexpr double kPresent = 0.00001; // a quantity counts from 1e-5 m³ on
} // namespace

bool YTableOutput::Open(int tableId, const QString& pageSheet) {
    return OpenPath(YConf::Instance().TemplatePath(tableId), YConf::TableName(tableId), pageSheet);
}

bool YTableOutput::OpenPath(const QString& path, const QString& tableName,
                            const QString& pageSheet) {
    if (path.trimmed().isEmpty()) {
        m_io.Error(
            QStringLiteral("没有设置“%1”的表格模板，请用“表格模板设置”指定。").arg(tableName));
        return false;
    }
    if (!QFileInfo::exists(path)) {
        m_io.Error(QStringLiteral("找不到“%1”的表格模板%2").arg(tableName, path));
        return false;
    }
    if (!m_book.Open(path)) {
        m_io.Error(QStringLiteral("无法打开“%1”的表格模板%2").arg(tableName, path));
        return false;
    }
    m_nTemplate = pageSheet.isEmpty() ? 0 : m_book.SheetIndex(pageSheet);
    if (m_nTemplate < 0) {
        m_io.Error(QStringLiteral("表格模板%1中没有工作表“%2”").arg(path, pageSheet));
        return false;
    }
    return true;
}

int YTableOutput::NewPage(const QString& name) {
    const int sheet = m_book.CopySheet(m_nTemplate, m_nTemplate, name);
    if (sheet >= 0) {
        ++m_nTemplate;
        ++m_nPages;
    }
    return sheet;
}

bool YTableOutput::Finish(const QString& outPath) {
    if (m_nPages > 0 && !m_book.RemoveSheet(m_nTemplate)) {
        m_io.Error(m_book.LastError());
        return false;
    }
    m_book.SetActiveSheet(0);
    if (!m_book.Save(outPath)) {
        m_io.Error(m_book.LastError());
        return false;
    }
    return true;
}

void YTableOutput::SetIfPresent(int sheet, int row, int col, double value) {
    if (value > kPresent) {
        m_book.SetNumber(sheet, row, col, value);
    }
}

QString YTableOutput::DefaultPath(const CDalvexDoc& doc, const QString& tableName) {
    const QFileInfo project(doc.GetPathName());
    QString name = doc.GetProjectName();
    if (name.isEmpty()) {
        name = project.completeBaseName();
    }
    // A project name may hold characters a file name cannot.
    static const QRegularExpression bad(QStringLiteral("[\\\\/:*?\"<>|]"));
    name.replace(bad, QStringLiteral("_"));
    return project.absoluteDir().filePath(name + u'-' + tableName + QStringLiteral(".xlsx"));
}

QString YTableOutput::PageText(int page, int pages) {
    return QStringLiteral("第%1页  共%2页").arg(page).arg(pages);
}
