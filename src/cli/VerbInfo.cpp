#include "cli/YCliVerb.h"
#include "core/db/YDatabase.h"
#include "core/db/YSchema.h"
#include "core/db/YTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocInfo.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// dalvex-cli info <file.dvx> [--json]: the layout version of a project file and the number of
// rows of each of its tables.
namespace {

struct TableCount {
    QString name;
    std::optional<qint64> rows; // empty: the file lacks the table
};

// The layout version as the record sets settle it: a file read as version 2 is version 1 when
// its computation table has only the oldest columns.
int SettledVersion(YDatabase& db) {
    if (db.Version() == 2) {
        YTsjsSet probe(db);
        (void)probe.Open();
    }
    return db.Version();
}

QString PlainText(const QString& path, int version, const std::vector<TableCount>& tables) {
    QString text = QStringLiteral("文件: %1\n版本: %2\n").arg(path).arg(version);
    text += QStringLiteral("表:\n");
    for (const TableCount& t : tables) {
        text += QStringLiteral("  %1  %2\n")
                    .arg(t.name, t.rows ? QString::number(*t.rows) : QStringLiteral("(缺少)"));
    }
    return text;
}

QString JsonText(const QString& path, int version, const std::vector<TableCount>& tables) {
    QJsonArray list;
    for (const TableCount& t : tables) {
        list.append(QJsonObject{
            {QStringLiteral("name"), t.name},
            {QStringLiteral("rows"), t.rows ? QJsonValue(double(*t.rows)) : QJsonValue()}});
    }
    const QJsonObject o{{QStringLiteral("file"), path},
                        {QStringLiteral("version"), version},
                        {QStringLiteral("tables"), list}};
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
}

int RunInfo(YCliContext& c) {
    if (c.args.size() != 1) {
        c.io->Error(QStringLiteral("用法：dalvex-cli info <file.dvx> [--json]"));
        return 2;
    }
    const QString path = QFileInfo(c.args.first()).absoluteFilePath();
    YDatabase db;
    db.SetReadOnly(true);
    if (!db.Open(path)) {
        c.io->Error(db.LastError());
        return 1;
    }
    const int version = SettledVersion(db);
    std::vector<TableCount> tables;
    for (const QString& table : YSchema::AllTables()) {
        tables.push_back({table, db.RowCount(table)});
    }
    db.Close();
    // The project as the document loads it: identity, segments and the model's figures.
    CDalvexDoc doc(*c.io);
    doc.SetAccess(YOpenAccess::Read);
    if (!doc.OnOpenDocument(path)) {
        return 1; // the document has said why
    }
    const YDocInfo project = YDocInfo::Collect(doc);
    if (c.bJson) {
        QJsonObject o = QJsonDocument::fromJson(JsonText(path, version, tables).toUtf8()).object();
        o.insert(QStringLiteral("project"), project.Json());
        c.out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
    } else {
        c.out(PlainText(path, version, tables) + project.Text());
    }
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("info"), QStringLiteral("info <file.dvx> [--json]"),
                          QStringLiteral("layout version and row count of every table"), RunInfo});

} // namespace
