#include "cli/YCliArgs.h"
#include "cli/YCliInputProject.h"
#include "cli/YCliVerb.h"
#include "core/import/TfFormat.h"
#include "core/import/YTfImport.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>

// dalvex-cli import-earthwork <p.dvx> <file> [--format NAME | --station-col N --cut-col N
// --fill-col N [--height-col N] [--start-line N]]: reads an earthwork text file into
// [逐桩断面], in a format stored in the profile or given by its columns (default: station 1,
// height 2, cut 3, fill 4, from data line 1).
namespace {

const QString kUsage = QStringLiteral(
    "import-earthwork <p.dvx> <file> [--format NAME | --station-col N --cut-col N --fill-col N "
    "[--height-col N] [--start-line N]]");

std::optional<TfFormat> FormatByName(const QString& name, YUserIO& io) {
    for (int slot = 0; slot < TfFormat::SlotCount; ++slot) {
        if (!name.isEmpty() && TfFormat::SlotName(slot) == name) {
            return TfFormat::Load(slot);
        }
    }
    io.Error(QStringLiteral("没有名为“%1”的土方格式").arg(name));
    return std::nullopt;
}

// The layout given by its columns. The name only satisfies the format checks; such a format
// is not stored in the profile.
std::optional<TfFormat> FormatByColumns(YCliArgs& a, YUserIO& io) {
    TfFormat f;
    f.m_strName = QStringLiteral("dalvex-cli");
    const auto station = a.Integer(QStringLiteral("--station-col"));
    const auto cut = a.Integer(QStringLiteral("--cut-col"));
    const auto fill = a.Integer(QStringLiteral("--fill-col"));
    const auto height = a.Integer(QStringLiteral("--height-col"));
    const auto start = a.Integer(QStringLiteral("--start-line"));
    if (!a.Ok()) {
        io.Error(a.Error());
        return std::nullopt;
    }
    const bool any = station || cut || fill;
    if (any && !(station && cut && fill)) {
        io.Error(QStringLiteral("--station-col、--cut-col 和 --fill-col 须同时给出"));
        return std::nullopt;
    }
    if (any) {
        f.m_nStationCol = *station;
        f.m_nCutCol = *cut;
        f.m_nFillCol = *fill;
        f.m_bReadHeight = height ? 1 : 0;
    }
    f.m_nHeightCol = height.value_or(f.m_nHeightCol);
    f.m_nStartLine = start.value_or(1);
    if (!f.CheckOnOk(io)) {
        return std::nullopt;
    }
    return f;
}

int Run(YCliContext& c) {
    YCliArgs a(c.args, {},
               {QStringLiteral("--format"), QStringLiteral("--station-col"),
                QStringLiteral("--cut-col"), QStringLiteral("--fill-col"),
                QStringLiteral("--height-col"), QStringLiteral("--start-line")});
    if (!a.Ok() || a.Positional().size() != 2) {
        c.io->Error(a.Ok() ? QStringLiteral("用法：dalvex-cli ") + kUsage : a.Error());
        return 2;
    }
    const std::optional<QString> name = a.Value(QStringLiteral("--format"));
    const std::optional<TfFormat> format =
        name ? FormatByName(*name, *c.io) : FormatByColumns(a, *c.io);
    if (!format) {
        return 2;
    }
    YCliInputProject project(*c.io);
    if (!project.Open(a.Positional()[0])) {
        return 1;
    }
    const QString file = QFileInfo(a.Positional()[1]).absoluteFilePath();
    const YTfImport::Result result =
        YTfImport(project.Db(), *c.io).Import(file, *format, YTfImport::Scope::Project);
    if (result.status == YTfImport::Status::CannotOpen) {
        c.io->Error(QStringLiteral("无法打开文件%1").arg(file));
    }
    if (!result.Ok()) {
        return 1;
    }
    c.out(QStringLiteral("已读入 %1 个断面：%2\n").arg(result.nRows).arg(file));
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("import-earthwork"), kUsage,
                          QStringLiteral("read an earthwork text file into [逐桩断面]"), Run});

} // namespace
