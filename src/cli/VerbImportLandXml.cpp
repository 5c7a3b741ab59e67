#include "cli/YCliArgs.h"
#include "cli/YCliInputProject.h"
#include "cli/YCliVerb.h"
#include "core/import/YDocImport.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>

// dalvex-cli import-landxml <p.dvx> <file.xml> [--alignment NAME] [--ground NAME]
// [--design NAME]: reads one alignment of a LandXML file (cross-sections, chain breaks,
// vertical curves) into the project.
namespace {

const QString kUsage = QStringLiteral(
    "import-landxml <p.dvx> <file.xml> [--alignment NAME] [--ground NAME] [--design NAME]");

int Run(YCliContext& c) {
    YCliArgs a(
        c.args, {},
        {QStringLiteral("--alignment"), QStringLiteral("--ground"), QStringLiteral("--design")});
    if (!a.Ok() || a.Positional().size() != 2) {
        c.io->Error(a.Ok() ? QStringLiteral("用法：dalvex-cli ") + kUsage : a.Error());
        return 2;
    }
    YLandXmlOptions options;
    options.alignment = a.Value(QStringLiteral("--alignment")).value_or(QString());
    options.ground = a.Value(QStringLiteral("--ground")).value_or(QString());
    options.design = a.Value(QStringLiteral("--design")).value_or(QString());
    YCliInputProject project(*c.io);
    if (!project.Open(a.Positional()[0])) {
        return 1;
    }
    const QString file = QFileInfo(a.Positional()[1]).absoluteFilePath();
    const YLandXmlImport::Result result = YDocImport::LandXml(project.Doc(), file, options);
    if (result.status == YLandXmlImport::Status::CannotOpen) {
        c.io->Error(QStringLiteral("无法打开文件%1").arg(file));
    }
    if (!result.Ok()) {
        return 1;
    }
    c.out(QStringLiteral("已读入 %1 个断面、%2 个断链、%3 个变坡点：%4\n")
              .arg(result.nSections)
              .arg(result.nChainBreaks)
              .arg(result.nCurvePoints)
              .arg(file));
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("import-landxml"), kUsage,
                          QStringLiteral("read one alignment of a LandXML file into the project"),
                          Run});

} // namespace
