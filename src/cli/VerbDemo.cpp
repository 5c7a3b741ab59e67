#include "cli/YCliArgs.h"
#include "cli/YCliInputProject.h"
#include "cli/YCliVerb.h"
#include "core/compute/YDocPreprocess.h"
#include "core/db/YDatabase.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YInputChecks.h"
#include "core/import/YInputTableText.h"
#include "core/import/YTfImport.h"
#include "core/platform/YUserIO.h"

#include <QDir>
#include <QFileInfo>

// dalvex-cli demo <dir> [--from <sample dir>]: builds <dir>/demo.dvx from the sample road's
// text files (examples/sample-road), ready for allocation: chain break, cross-sections, trough,
// contents, structures, pits and vertical curve imported and checked, then preprocessed with
// the dialog's defaults.
namespace {

const QString kUsage = QStringLiteral("demo <dir> [--from <sample dir>]");

// The earthwork file's layout: station, centre height, cut, fill, after one header line.
TfFormat SampleFormat() {
    TfFormat f;
    f.m_strName = QStringLiteral("示例公路");
    f.m_strSuffix = QStringLiteral("tf");
    f.m_nStartLine = 2;
    f.m_nStationCol = 1;
    f.m_nHeightCol = 2;
    f.m_nCutCol = 3;
    f.m_nFillCol = 4;
    return f;
}

// Input tables and their files, in the order they are read: the chain break first, so that
// the station texts of the other files are read with it.
struct TableFile {
    const char* table;
    const char* file;
};
constexpr TableFile kTables[] = {
    {"断链", "chain-breaks.txt"},     {"路槽", "trough.txt"},        {"土石含量", "contents.txt"},
    {"构造物", "structures.txt"},     {"取土坑", "borrow-pits.txt"}, {"弃土坑", "waste-pits.txt"},
    {"竖曲线", "vertical-curve.txt"},
};
constexpr const char* kEarthwork = "sample-road.tf";

bool ImportTables(YCliInputProject& project, const QDir& from, YUserIO& io) {
    for (const TableFile& t : kTables) {
        const QString path = from.filePath(QString::fromUtf8(t.file));
        const YInputTableDef* def = YInputTableDef::Find(QString::fromUtf8(t.table));
        const auto result =
            YInputTableText(project.Db(), io).Import(*def, path, YInputTableText::Clear::Yes);
        if (result.status == YInputTableText::Status::CannotOpen) {
            io.Error(QStringLiteral("无法打开文件%1").arg(path));
        }
        if (!result.Ok()) {
            return false;
        }
    }
    return true;
}

bool Build(YCliInputProject& project, const QDir& from, YUserIO& io) {
    // The chain break goes in before the cross-sections, whose texts are formatted with it.
    if (!ImportTables(project, from, io)) {
        return false;
    }
    const QString earthwork = from.filePath(QString::fromUtf8(kEarthwork));
    const auto read =
        YTfImport(project.Db(), io).Import(earthwork, SampleFormat(), YTfImport::Scope::Project);
    if (read.status == YTfImport::Status::CannotOpen) {
        io.Error(QStringLiteral("无法打开文件%1").arg(earthwork));
    }
    YDatabase& db = project.Db();
    return read.Ok() && YInputChecks::CheckContents(db, io) &&
           YInputChecks::CheckPitContents(db, io) &&
           YInputChecks::SyncStations(db, io, QStringLiteral("逐桩断面")) ==
               YInputChecks::WalkEnd::Done &&
           YInputChecks::SyncStations(db, io, QStringLiteral("竖曲线")) ==
               YInputChecks::WalkEnd::Done;
}

QString DefaultSampleDir() {
#ifdef DALVEX_SOURCE_EXAMPLES
    return QStringLiteral(DALVEX_SOURCE_EXAMPLES) + QStringLiteral("/sample-road");
#else
    return QStringLiteral("examples/sample-road");
#endif
}

int Run(YCliContext& c) {
    YCliArgs a(c.args, {}, {QStringLiteral("--from")});
    if (!a.Ok() || a.Positional().size() != 1) {
        c.io->Error(a.Ok() ? QStringLiteral("用法：dalvex-cli ") + kUsage : a.Error());
        return 2;
    }
    const QDir from(a.Value(QStringLiteral("--from")).value_or(DefaultSampleDir()));
    if (!from.exists(QString::fromUtf8(kEarthwork))) {
        c.io->Error(QStringLiteral("示例数据目录%1中没有%2")
                        .arg(from.absolutePath(), QString::fromUtf8(kEarthwork)));
        return 2;
    }
    const QString dir = a.Positional()[0];
    if (!QDir().mkpath(dir)) {
        c.io->Error(QStringLiteral("无法创建目录%1").arg(dir));
        return 1;
    }
    const QString path = QDir(dir).absoluteFilePath(QStringLiteral("demo.dvx"));
    YCliInputProject project(*c.io);
    if (!project.Create(path) || !Build(project, from, *c.io) || !project.Reopen()) {
        c.io->Error(QStringLiteral("示例项目未能建成：%1").arg(path));
        return 1;
    }
    const auto result = YDocPreprocess::Run(project.Doc(), YPreprocessOptions{});
    if (!result.Ok()) {
        c.io->Error(QStringLiteral("示例项目预处理失败：%1").arg(path));
        return 1;
    }
    if (c.bJson) {
        c.out(project.ResultJson());
    } else {
        c.out(QStringLiteral("示例项目：%1\n项目名称：%2\n")
                  .arg(path, project.Doc().GetProjectName()) +
              project.ResultSummary());
    }
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("demo"), kUsage,
                          QStringLiteral("build the sample road project <dir>/demo.dvx, "
                                         "preprocessed and ready for allocation"),
                          Run});

} // namespace
