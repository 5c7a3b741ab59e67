#include "core/platform/YConf.h"

#include "core/platform/YProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const char* const TemplateSection = "表格模板";

struct TableEntry {
    int id;
    const char* name;
};
constexpr TableEntry Tables[] = {
    {YConf::PitTable, "取土弃土场表"},
    {YConf::CalcTable, "土方计算表"},
    {YConf::HaulTable, "土方运量统计表"},
    {YConf::HaulTable1, "土方运量统计表1"},
    {YConf::ClassDetailTable, "土石方分类计算详表"},
};
} // namespace

YConf& YConf::Instance() {
    static YConf conf;
    return conf;
}

void YConf::Init(const QString& /*text*/, const QString& productKey) {
    m_strProductKey = productKey;
    m_bInit = true;
}

QString YConf::Text(int key) const {
    switch (key) {
    case 1000:
        return QStringLiteral("土石方调配");
    case 3:
        return QDir(DataDir()).filePath(QStringLiteral("docs/user-guide.md"));
    default:
        return {};
    }
}

QString YConf::TableName(int tableId) {
    for (const TableEntry& t : Tables) {
        if (t.id == tableId) {
            return QString::fromUtf8(t.name);
        }
    }
    return {};
}

QString YConf::TemplatePath(int tableId) const {
    const QString name = TableName(tableId);
    if (name.isEmpty()) {
        return {};
    }
    const QString entry = QString::number(tableId);
    const QString section = QString::fromUtf8(TemplateSection);
    YProfile& profile = YProfile::Instance();
    if (profile.Contains(section, entry)) {
        return profile.GetString(section, entry);
    }
    return QDir(DataDir()).filePath(QStringLiteral("templates/") + name + QStringLiteral(".xlsx"));
}

void YConf::SetTemplatePath(int tableId, const QString& path) {
    YProfile::Instance().WriteString(QString::fromUtf8(TemplateSection), QString::number(tableId),
                                     path);
}

void YConf::ResetTemplatePath(int tableId) {
    YProfile::Instance().Remove(QString::fromUtf8(TemplateSection), QString::number(tableId));
}

QString YConf::DataDir() {
    const QString env = qEnvironmentVariable("DALVEX_DATA_DIR");
    if (!env.isEmpty()) {
        return env;
    }
    if (QCoreApplication::instance() != nullptr) {
        // Installed layout: <prefix>/bin/dalvex and <prefix>/share/dalvex/templates.
        const QDir installed(QCoreApplication::applicationDirPath() +
                             QStringLiteral("/../share/dalvex"));
        if (installed.exists(QStringLiteral("templates"))) {
            return installed.canonicalPath();
        }
    }
    // Run from a build folder: the templates folder of the source tree.
    return QFileInfo(QString::fromUtf8(DALVEX_SOURCE_TEMPLATES)).absolutePath();
}
