#include "cli/YCliVerb.h"
#include "core/db/YDatabase.h"
#include "core/db/YSchema.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

// dalvex-cli new <file.dvx>: a new, empty project file of the current layout.
namespace {

int RunNew(YCliContext& c) {
    if (c.args.size() != 1) {
        c.io->Error(QStringLiteral("用法：dalvex-cli new <file.dvx>"));
        return 2;
    }
    const QString path = QFileInfo(c.args.first()).absoluteFilePath();
    if (QFileInfo::exists(path) &&
        !c.io->Ask(QStringLiteral("文件%1已存在，是否替换？").arg(path))) {
        return 1;
    }
    YDatabase db;
    if (!YSchema::CreateProject(db, path, YSchema::CurrentVersion)) {
        c.io->Error(db.LastError());
        return 1;
    }
    if (c.bJson) {
        const QJsonObject o{{QStringLiteral("file"), path},
                            {QStringLiteral("version"), db.Version()}};
        c.out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
    } else {
        c.out(QStringLiteral("已创建项目文件 %1（版本 %2）\n").arg(path).arg(db.Version()));
    }
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("new"), QStringLiteral("new <file.dvx>"),
                          QStringLiteral("create an empty project file (layout version 6)"),
                          RunNew});

} // namespace
