#include "cli/YCliArgs.h"
#include "cli/YCliOutput.h"
#include "cli/YCliProject.h"
#include "cli/YCliVerb.h"
#include "core/db/YSQXSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/platform/YUserIO.h"
#include "draw/YDiagramPicture.h"

// dalvex-cli diagram <file.dvx> <out.png|out.svg|out.pdf> [--from STA] [--to STA] [--width PX]
// [--height PX] [--segment N] [--marks]: the allocation diagram of the project segment, or of a
// station range of it, as a picture.
namespace {

const QString kUsage = QStringLiteral(
    "用法：dalvex-cli diagram <file.dvx> <out.png|out.svg|out.pdf> [--from STA] [--to STA] "
    "[--width PX] [--height PX] [--segment N] [--marks]");

// A station option read with the project's numbering; false after the message when it does
// not read.
bool ReadStation(YCliContext& c, const YCliArgs& a, const QString& name,
                 const YStationNumbering& numbering, double& value) {
    const std::optional<QString> text = a.Value(name);
    if (!text) {
        return true;
    }
    const std::optional<YStation> sta = numbering.ParseStation(*text);
    if (!sta) {
        c.io->Error(QStringLiteral("桩号不正确：%1").arg(*text));
        return false;
    }
    value = sta->Value();
    return true;
}

int RunDiagram(YCliContext& c) {
    YCliArgs a(c.args, {QStringLiteral("--marks")},
               {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--width"),
                QStringLiteral("--height"), QStringLiteral("--segment")});
    const std::optional<int> width = a.Integer(QStringLiteral("--width"));
    const std::optional<int> height = a.Integer(QStringLiteral("--height"));
    const std::optional<int> segment = a.Integer(QStringLiteral("--segment"));
    if (!a.Ok() || a.Positional().size() != 2) {
        c.io->Error(a.Ok() ? kUsage : a.Error() + QLatin1Char('\n') + kUsage);
        return 2;
    }
    const QSize size(width.value_or(1600), height.value_or(600));
    if (size.width() < 100 || size.height() < 100 || size.width() > 20000 ||
        size.height() > 20000) {
        c.io->Error(QStringLiteral("图片大小应在 100 到 20000 像素之间"));
        return 2;
    }
    YCliProject project(*c.io, YOpenAccess::Read);
    CDalvexDoc* doc = project.Open(a.Positional().at(0));
    if (doc == nullptr || !YCliOutput::Check(a.Positional().at(1), a.Positional().at(0), *c.io)) {
        return 1;
    }
    if (segment && !doc->SwitchSegment(*segment)) {
        c.io->Error(QStringLiteral("项目没有第%1段").arg(*segment));
        return 1;
    }
    YSegmentModel& model = doc->Model();
    if (model.m_arrTF.empty()) {
        c.io->Error(QStringLiteral("项目还没有土石方计算结果，请先进行数据预处理"));
        return 1;
    }
    YDiagramPicture::Content content;
    content.pModel = &model;
    content.pNumbering = &doc->Numbering();
    content.title = doc->GetProjectName();
    content.dFrom = model.m_arrTF.front().m_staStart.Value();
    content.dTo = model.m_arrTF.back().m_staEnd.Value();
    content.nClassFilter = g_nClassFilter;
    content.bSmallMarks = a.Has(QStringLiteral("--marks"));
    if (!ReadStation(c, a, QStringLiteral("--from"), doc->Numbering(), content.dFrom) ||
        !ReadStation(c, a, QStringLiteral("--to"), doc->Numbering(), content.dTo)) {
        return 2;
    }
    if (content.dTo <= content.dFrom) {
        c.io->Error(QStringLiteral("终止桩号应大于起始桩号"));
        return 2;
    }
    if (doc->GetSQXSet().IsOpen()) {
        content.gradePoints = doc->GetSQXSet().GradePoints();
    }
    QString error;
    if (!YDiagramPicture(std::move(content)).Save(a.Positional().at(1), size, error)) {
        c.io->Error(error);
        return 1;
    }
    return 0;
}

YCliVerbRegistration regDiagram({QStringLiteral("diagram"), kUsage.mid(kUsage.indexOf(u"diagram")),
                                 QStringLiteral("draw the allocation diagram into a picture"),
                                 RunDiagram});

} // namespace
