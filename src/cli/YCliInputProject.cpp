#include "cli/YCliInputProject.h"

#include "core/compute/YPreprocessor.h"
#include "core/db/YDatabase.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YInputChecks.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

namespace {

struct Totals {
    int rows = 0;
    double cut = 0;      // natural m³
    double fill = 0;     // compacted m³
    double local = 0;    // reused in place, compacted m³
    double surplus = 0;  // left for allocation, natural m³
    double shortage = 0; // fill still needed, compacted m³
};

Totals ReadTotals(YDatabase& db) {
    Totals t;
    QSqlQuery q(db.Connection());
    if (q.exec(QStringLiteral("SELECT COUNT(*), TOTAL([挖方总量]), TOTAL([填方总量]), "
                              "TOTAL([本桩利用土]) + TOTAL([本桩利用石]), "
                              "TOTAL([挖余土]) + TOTAL([挖余石]), TOTAL([利用后填方总量]) "
                              "FROM [土石计算]%1")
                   .arg(YPreprocessor::SegmentWhere(db))) &&
        q.next()) {
        t = {q.value(0).toInt(),    q.value(1).toDouble(), q.value(2).toDouble(),
             q.value(3).toDouble(), q.value(4).toDouble(), q.value(5).toDouble()};
    }
    return t;
}

} // namespace

YCliInputProject::YCliInputProject(YUserIO& io, YOpenAccess access) : m_io(io), m_access(access) {}

YCliInputProject::~YCliInputProject() = default;

bool YCliInputProject::Open(const QString& path) {
    m_strPath = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo::exists(m_strPath)) {
        m_io.Error(QStringLiteral("项目文件%1不存在").arg(m_strPath));
        return false;
    }
    m_doc = std::make_unique<CDalvexDoc>(m_io);
    m_doc->SetAccess(m_access);
    return m_doc->OnOpenDocument(m_strPath);
}

bool YCliInputProject::Create(const QString& path) {
    m_strPath = QFileInfo(path).absoluteFilePath();
    m_doc = std::make_unique<CDalvexDoc>(m_io);
    return m_doc->OnNewDocument(m_strPath);
}

bool YCliInputProject::Reopen() {
    m_doc->DeleteContents();
    m_doc = std::make_unique<CDalvexDoc>(m_io);
    return m_doc->OnOpenDocument(m_strPath);
}

YDatabase& YCliInputProject::Db() {
    return m_doc->GetDatabase();
}

bool YCliInputProject::RequireEditable() {
    if (YInputChecks::IsEditable(Db())) {
        return true;
    }
    m_io.Error(QStringLiteral("项目已有计算结果，输入数据只读（重新计算前请先清除计算结果）"));
    return false;
}

QString YCliInputProject::ResultSummary() {
    const Totals t = ReadTotals(Db());
    return QStringLiteral("计算段 %1 个\n"
                          "  挖方 %2 m³（天然方），填方 %3 m³（压实方）\n"
                          "  本桩利用 %4 m³（压实方）\n"
                          "  待调配：挖余 %5 m³（天然方），填缺 %6 m³（压实方）\n")
        .arg(t.rows)
        .arg(t.cut, 0, 'f', 1)
        .arg(t.fill, 0, 'f', 1)
        .arg(t.local, 0, 'f', 1)
        .arg(t.surplus, 0, 'f', 1)
        .arg(t.shortage, 0, 'f', 1);
}

QString YCliInputProject::ResultJson() {
    const Totals t = ReadTotals(Db());
    const QJsonObject o{
        {QStringLiteral("file"), m_strPath},     {QStringLiteral("segments"), t.rows},
        {QStringLiteral("cut"), t.cut},          {QStringLiteral("fill"), t.fill},
        {QStringLiteral("localReuse"), t.local}, {QStringLiteral("surplus"), t.surplus},
        {QStringLiteral("shortage"), t.shortage}};
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
}
