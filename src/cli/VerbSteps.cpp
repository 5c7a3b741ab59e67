#include "cli/YCliProject.h"
#include "cli/YCliVerb.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"
#include "core/process/YProcessList.h"
#include "core/process/YTaskList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// dalvex-cli steps <p.dvx> and tasks <p.dvx>: the process list and the task list of a project,
// as the two panes of the desktop program show them (tab-separated columns).
namespace {

QString Num(double v) {
    return QString::number(v, 'f', 3);
}

QString Shown(double v) {
    return v > 1e-5 ? Num(v) : QString();
}

QString JsonText(const QJsonArray& rows) {
    return QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Indented));
}

int RunSteps(YCliContext& c) {
    if (c.args.size() != 1) {
        c.io->Error(QStringLiteral("用法：dalvex-cli steps <file.dvx> [--json]"));
        return 2;
    }
    YCliProject project(*c.io, YOpenAccess::Read);
    CDalvexDoc* doc = project.Open(c.args.first());
    if (!doc) {
        return 1;
    }
    const std::vector<YProcessEntry> entries = YProcessList::Build(*doc);
    if (c.bJson) {
        QJsonArray rows;
        for (const YProcessEntry& e : entries) {
            rows.append(
                QJsonObject{{QStringLiteral("step"), e.nStep},
                            {QStringLiteral("kind"), static_cast<int>(e.nKind)},
                            {QStringLiteral("label"), e.Label()},
                            {QStringLiteral("applied"), e.bApplied},
                            {QStringLiteral("from"),
                             YProcessEntry::Range(doc->Numbering(), e.staSrcStart, e.staSrcEnd)},
                            {QStringLiteral("to"),
                             YProcessEntry::Range(doc->Numbering(), e.staDstStart, e.staDstEnd)},
                            {QStringLiteral("soil"), e.dSoil},
                            {QStringLiteral("rock"), e.dRock},
                            {QStringLiteral("distance"), e.dDistance}});
        }
        c.out(JsonText(rows));
        return 0;
    }
    QString text = QStringLiteral("操作\t从\t到\t土\t石\t运距\n开始调配\n");
    for (const YProcessEntry& e : entries) {
        text += QStringList{e.Label(),
                            YProcessEntry::Range(doc->Numbering(), e.staSrcStart, e.staSrcEnd),
                            YProcessEntry::Range(doc->Numbering(), e.staDstStart, e.staDstEnd),
                            Num(e.dSoil),
                            Num(e.dRock),
                            Num(e.dDistance)}
                    .join(QLatin1Char('\t'));
        text += e.bApplied ? QStringLiteral("\n") : QStringLiteral("\t(已取消)\n");
    }
    c.out(text);
    return 0;
}

int RunTasks(YCliContext& c) {
    if (c.args.size() != 1) {
        c.io->Error(QStringLiteral("用法：dalvex-cli tasks <file.dvx> [--json]"));
        return 2;
    }
    YCliProject project(*c.io, YOpenAccess::Read);
    CDalvexDoc* doc = project.Open(c.args.first());
    if (!doc) {
        return 1;
    }
    const std::vector<YTask> tasks = YTaskList::Build(doc->Segments());
    QJsonArray rows;
    QString text = QStringLiteral("类型\t从\t到\t挖余土\t挖余石\t填缺\t废土\t废石\n");
    int row = 0;
    for (const YTask& t : tasks) {
        ++row;
        rows.append(QJsonObject{{QStringLiteral("label"), t.Label(row)},
                                {QStringLiteral("type"), t.nType},
                                {QStringLiteral("from"), doc->Numbering().Text(t.staFrom)},
                                {QStringLiteral("to"), doc->Numbering().Text(t.staTo)},
                                {QStringLiteral("usableSoil"), t.dUseSoil},
                                {QStringLiteral("usableRock"), t.dUseRock},
                                {QStringLiteral("fill"), t.dFill},
                                {QStringLiteral("unusableSoil"), t.dUnuseSoil},
                                {QStringLiteral("unusableRock"), t.dUnuseRock}});
        const bool surplus = t.nType == 0;
        text += QStringList{t.Label(row),
                            doc->Numbering().Text(t.staFrom),
                            doc->Numbering().Text(t.staTo),
                            surplus ? Shown(t.dUseSoil) : QString(),
                            surplus ? Shown(t.dUseRock) : QString(),
                            surplus ? QString() : Num(t.dFill),
                            surplus ? Shown(t.dUnuseSoil) : QString(),
                            surplus ? Shown(t.dUnuseRock) : QString()}
                    .join(QLatin1Char('\t')) +
                QLatin1Char('\n');
    }
    c.out(c.bJson ? JsonText(rows) : text);
    return 0;
}

YCliVerbRegistration
    regSteps({QStringLiteral("steps"), QStringLiteral("steps <file.dvx> [--json]"),
              QStringLiteral("the allocation steps as the process list shows them"), RunSteps});
YCliVerbRegistration regTasks({QStringLiteral("tasks"), QStringLiteral("tasks <file.dvx> [--json]"),
                               QStringLiteral("what is still to allocate: surplus and fill runs"),
                               RunTasks});

} // namespace
