#include "cli/YCliArgs.h"
#include "cli/YCliOutput.h"
#include "cli/YCliProject.h"
#include "cli/YCliVerb.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YTextFile.h"
#include "core/platform/YUserIO.h"
#include "core/process/YMassHaul.h"
#include "draw/YMassHaulPicture.h"

#include <QFileInfo>

// dalvex-cli masshaul <file.dvx> <out.csv|out.png|out.svg|out.pdf> [--segment N] [--width PX]
// [--height PX]: the mass-haul curve of the project segment, with its balance points and the
// hauls recorded so far, as a table or a picture.
namespace {

const QString kUsage = QStringLiteral(
    "masshaul <file.dvx> <out.csv|out.png|out.svg|out.pdf> [--segment N] [--width PX] "
    "[--height PX]");

int Run(YCliContext& c) {
    YCliArgs a(
        c.args, {},
        {QStringLiteral("--segment"), QStringLiteral("--width"), QStringLiteral("--height")});
    const std::optional<int> segment = a.Integer(QStringLiteral("--segment"));
    const QSize size(a.Integer(QStringLiteral("--width")).value_or(1600),
                     a.Integer(QStringLiteral("--height")).value_or(500));
    if (!a.Ok() || a.Positional().size() != 2) {
        c.io->Error(a.Ok() ? QStringLiteral("用法：dalvex-cli ") + kUsage : a.Error());
        return 2;
    }
    if (size.width() < 100 || size.height() < 100 || size.width() > 20000 ||
        size.height() > 20000) {
        c.io->Error(QStringLiteral("图片大小应在 100 到 20000 像素之间"));
        return 2;
    }
    const QString out = a.Positional().at(1);
    YCliProject project(*c.io, YOpenAccess::Read);
    CDalvexDoc* doc = project.Open(a.Positional().at(0));
    if (doc == nullptr || !YCliOutput::Check(out, a.Positional().at(0), *c.io)) {
        return 1;
    }
    if (segment && !doc->SwitchSegment(*segment)) {
        c.io->Error(QStringLiteral("项目没有第%1段").arg(*segment));
        return 1;
    }
    if (doc->Segments().empty()) {
        c.io->Error(QStringLiteral("项目还没有土石方计算结果，请先进行数据预处理"));
        return 1;
    }
    YMassHaul mh = YMassHaul::Build(*doc);
    if (QFileInfo(out).suffix().toLower() == QLatin1String("csv")) {
        if (!YTextFile::WriteUtf8(out, mh.Csv(doc->Numbering()))) {
            c.io->Error(QStringLiteral("不能写入文件：%1").arg(out));
            return 1;
        }
        return 0;
    }
    QString error;
    if (!YMassHaulPicture(std::move(mh), doc->Numbering(), doc->GetProjectName())
             .Save(out, size, error)) {
        c.io->Error(error);
        return 1;
    }
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("masshaul"), kUsage,
                          QStringLiteral("the mass-haul curve as a table or a picture"), Run});

} // namespace
