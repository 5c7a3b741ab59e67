#include "cli/YCliArgs.h"
#include "cli/YCliInputProject.h"
#include "cli/YCliVerb.h"
#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/import/YInputChecks.h"
#include "core/import/YInputTableText.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>

// dalvex-cli import-table <p.dvx> <table> <file> [--clear]: reads an input table from its text
// layout, then makes the data-entry dialog's OK checks. A failed check undoes the import.
namespace {

const QString kUsage = QStringLiteral("import-table <p.dvx> <table> <file> [--clear]");

// The dialog's OK for the table; false when the rows must not stay.
bool CheckOnOk(const YInputTableDef& def, YDatabase& db, YUserIO& io) {
    if (def.table == QStringLiteral("土石含量")) {
        return YInputChecks::CheckContents(db, io);
    }
    if (def.table == QStringLiteral("取土坑")) {
        return YInputChecks::CheckPitContents(db, io);
    }
    if (def.table == QStringLiteral("竖曲线")) {
        return YInputChecks::SyncStations(db, io, def.table) != YInputChecks::WalkEnd::Duplicate;
    }
    return true;
}

int Run(YCliContext& c) {
    YCliArgs a(c.args, {QStringLiteral("--clear")}, {});
    if (!a.Ok() || a.Positional().size() != 3) {
        c.io->Error(a.Ok() ? QStringLiteral("用法：dalvex-cli ") + kUsage : a.Error());
        return 2;
    }
    const YInputTableDef* def = YInputTableDef::Find(a.Positional()[1]);
    if (def == nullptr) {
        c.io->Error(
            QStringLiteral("未知的表“%1”；可用：%2")
                .arg(a.Positional()[1], YInputTableDef::Names().join(QStringLiteral("，"))));
        return 2;
    }
    YCliInputProject project(*c.io);
    if (!project.Open(a.Positional()[0]) || !project.RequireEditable()) {
        return 1;
    }
    const QString file = QFileInfo(a.Positional()[2]).absoluteFilePath();
    const auto clear = a.Has(QStringLiteral("--clear")) ? YInputTableText::Clear::Yes
                                                        : YInputTableText::Clear::Ask;
    YTransaction tr(project.Db());
    const auto result = YInputTableText(project.Db(), *c.io).Import(*def, file, clear);
    if (result.status == YInputTableText::Status::CannotOpen) {
        c.io->Error(QStringLiteral("无法打开文件%1").arg(file));
    } else if (result.status == YInputTableText::Status::NoTable) {
        c.io->Error(QStringLiteral("此项目文件（版本%1）没有[%2]表")
                        .arg(project.Db().Version())
                        .arg(def->table));
    }
    if (!result.Ok() || !CheckOnOk(*def, project.Db(), *c.io) || !tr.Commit()) {
        return 1;
    }
    c.out(QStringLiteral("已读入 %1 行到[%2]：%3\n").arg(result.nRows).arg(def->table, file));
    return 0;
}

YCliVerbRegistration
    reg({QStringLiteral("import-table"), kUsage,
         QStringLiteral("read an input table ([路槽], [构造物], [取土坑], [弃土坑], "
                        "[土石含量], [项目分段], [竖曲线], [断链]) from text"),
         Run});

} // namespace
