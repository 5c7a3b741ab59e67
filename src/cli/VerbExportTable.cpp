#include "cli/YCliInputProject.h"
#include "cli/YCliOutput.h"
#include "cli/YCliVerb.h"
#include "core/import/YInputTableText.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>

// dalvex-cli export-table <p.dvx> <table> <file>: writes an input table in its text layout.
namespace {

const QString kUsage = QStringLiteral("export-table <p.dvx> <table> <file>");

int Run(YCliContext& c) {
    if (c.args.size() != 3) {
        c.io->Error(QStringLiteral("用法：dalvex-cli ") + kUsage);
        return 2;
    }
    const YInputTableDef* def = YInputTableDef::Find(c.args[1]);
    if (def == nullptr) {
        c.io->Error(QStringLiteral("未知的表“%1”；可用：%2")
                        .arg(c.args[1], YInputTableDef::Names().join(QStringLiteral("，"))));
        return 2;
    }
    YCliInputProject project(*c.io, YOpenAccess::Read);
    const QString file = QFileInfo(c.args[2]).absoluteFilePath();
    if (!project.Open(c.args[0]) || !YCliOutput::Check(file, c.args[0], *c.io)) {
        return 1;
    }
    const auto result = YInputTableText(project.Db(), *c.io).Export(*def, file);
    if (result.status == YInputTableText::Status::CannotOpen) {
        c.io->Error(QStringLiteral("无法写入文件%1").arg(file));
    } else if (result.status == YInputTableText::Status::NoTable) {
        c.io->Error(QStringLiteral("此项目文件没有[%1]表").arg(def->table));
    }
    if (!result.Ok()) {
        return 1;
    }
    c.out(QStringLiteral("已写出[%1]的 %2 行：%3\n").arg(def->table).arg(result.nRows).arg(file));
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("export-table"), kUsage,
                          QStringLiteral("write an input table as text"), Run});

} // namespace
