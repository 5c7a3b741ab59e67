#include "cli/YCliArgs.h"
#include "cli/YCliInputProject.h"
#include "cli/YCliVerb.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YDocImport.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>

// dalvex-cli import-project <p.dvx> <road.Prj>: fills the project from a road-design project
// (chain breaks, identity, cross-sections, troughs, structures, contents, vertical curve), as
// the desktop program's 读入Ravel道路项目 does.
namespace {

const QString kUsage = QStringLiteral("import-project <p.dvx> <road.Prj>");

int Run(YCliContext& c) {
    YCliArgs a(c.args, {}, {});
    if (!a.Ok() || a.Positional().size() != 2) {
        c.io->Error(a.Ok() ? QStringLiteral("用法：dalvex-cli ") + kUsage : a.Error());
        return 2;
    }
    YCliInputProject project(*c.io);
    if (!project.Open(a.Positional()[0])) {
        return 1;
    }
    const QString file = QFileInfo(a.Positional()[1]).absoluteFilePath();
    if (!YDocImport::RavelProject(project.Doc(), file)) {
        return 1;
    }
    c.out(QStringLiteral("已读入道路项目：%1\n").arg(file));
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("import-project"), kUsage,
                          QStringLiteral("read a road-design project (*.Prj) into the project"),
                          Run});

} // namespace
