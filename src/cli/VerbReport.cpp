#include "cli/YCliArgs.h"
#include "cli/YCliInputProject.h"
#include "cli/YCliOutput.h"
#include "cli/YCliVerb.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"
#include "core/reports/COutQQk.h"
#include "core/reports/YCalcTable.h"
#include "core/reports/YHaulTable.h"
#include "core/reports/YKmTables.h"
#include "draw/YReportDiagram.h"

#include <QFileInfo>

// dalvex-cli report <table> <p.dvx> <out.xlsx> [options]: one of the earthwork tables written
// from its template, with every choice of the table's dialog as an option.
namespace {

const QString kUsage = QStringLiteral(
    "report <earthwork|haul|pits|km-quantities|km-haul> <p.dvx> <out.xlsx> [--segment N]\n"
    "      earthwork: [--per-km] [--mark-centres] [--six-class] [--six-class-diagram]\n"
    "                 [--qty-decimals N] [--dist-decimals N] [--sta-decimals N]\n"
    "                 [--natural ITEM,...] [--compacted ITEM,...] [--pages A-B]\n"
    "                 ITEM: 3-12 or 挖余土方 挖余石方 弃方等 填方总量 填方土方 填方石方\n"
    "                       本桩利用土方 本桩利用石方 填缺土方 填缺石方\n"
    "      haul:      [--volume] [--manual NAME] [--manual-share P] [--bulldozer NAME]\n"
    "                 [--bulldozer-limit M] [--scraper NAME] [--scraper-limit M]\n"
    "                 [--excavator NAME] [--rock-bulldozer NAME] [--rock-bulldozer-limit M]\n"
    "                 [--rock-manual NAME] [--rock-manual-limit M] [--dump-truck NAME]");

// "3,填方总量" -> item ids; empty on a word that names no item.
std::optional<std::vector<int>> Items(const QString& list) {
    std::vector<int> ids;
    for (const QString& word : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        int id = word.trimmed().toInt(&ok);
        if (!ok) {
            id = 0;
            for (int k = YCalcTableOptions::RemSoil; k <= YCalcTableOptions::NeedRock; ++k) {
                if (YCalcTableOptions::ItemName(YCalcTableOptions::Item(k)) == word.trimmed()) {
                    id = k;
                }
            }
        }
        if (id < YCalcTableOptions::RemSoil || id > YCalcTableOptions::NeedRock) {
            return std::nullopt;
        }
        ids.push_back(id);
    }
    return ids;
}

int Earthwork(YCliArgs& a, YUserIO& io, CDalvexDoc& doc, const QString& out) {
    YCalcTableOptions opt;
    opt.perKm = a.Has(QStringLiteral("--per-km"));
    opt.markCentres = a.Has(QStringLiteral("--mark-centres"));
    opt.sixClass = a.Has(QStringLiteral("--six-class"));
    opt.sixClassDiagram = a.Has(QStringLiteral("--six-class-diagram"));
    opt.qtyDecimals = a.Integer(QStringLiteral("--qty-decimals")).value_or(opt.qtyDecimals);
    opt.distDecimals = a.Integer(QStringLiteral("--dist-decimals")).value_or(opt.distDecimals);
    opt.staDecimals = a.Integer(QStringLiteral("--sta-decimals")).value_or(opt.staDecimals);
    if (!a.Ok()) {
        io.Error(a.Error());
        return 2;
    }
    for (const bool bNatural : {true, false}) {
        const auto list =
            a.Value(bNatural ? QStringLiteral("--natural") : QStringLiteral("--compacted"));
        if (!list) {
            continue;
        }
        const auto ids = Items(*list);
        if (!ids) {
            io.Error(QStringLiteral("不认识的输出项：%1").arg(*list));
            return 2;
        }
        for (int id : *ids) {
            opt.natural[size_t(id)] = bNatural;
        }
    }
    YCalcTable table(doc);
    table.m_diagram = [&doc](const YCalcTableOptions&) { return YReportDiagram(doc); };
    if (!table.Prepare(opt.perKm)) {
        io.Error(QStringLiteral("调配未完成！不能输出表！"));
        return 1;
    }
    if (const auto pages = a.Value(QStringLiteral("--pages"))) {
        const QStringList ab = pages->split(QLatin1Char('-'));
        bool ok1 = false;
        bool ok2 = false;
        opt.fromPage = ab.value(0).toInt(&ok1);
        opt.toPage = ab.size() == 2 ? ab[1].toInt(&ok2) : opt.fromPage;
        if (!ok1 || (ab.size() == 2 && !ok2) || ab.size() > 2 || opt.fromPage < 1 ||
            opt.toPage < opt.fromPage || opt.toPage > int(table.Pages().size())) {
            io.Error(QStringLiteral("--pages 须是 1 到 %1 之间的页码范围（如 1-3）")
                         .arg(table.Pages().size()));
            return 2;
        }
    }
    return table.Output(opt, out) ? 0 : 1;
}

int Haul(YCliArgs& a, YUserIO& io, CDalvexDoc& doc, const QString& out) {
    YHaulTableOptions opt;
    opt.mode = a.Has(QStringLiteral("--volume")) ? 1 : 0;
    const std::pair<const char*, QString*> names[] = {{"--manual", &opt.manual},
                                                      {"--bulldozer", &opt.bulldozer},
                                                      {"--scraper", &opt.scraper},
                                                      {"--excavator", &opt.excavator},
                                                      {"--rock-bulldozer", &opt.rockBulldozer},
                                                      {"--rock-manual", &opt.rockManual},
                                                      {"--dump-truck", &opt.dumpTruck}};
    for (const auto& [name, field] : names) {
        *field = a.Value(QString::fromLatin1(name)).value_or(*field);
    }
    const std::pair<const char*, double*> numbers[] = {
        {"--manual-share", &opt.manualShare},
        {"--bulldozer-limit", &opt.bulldozerLimit},
        {"--scraper-limit", &opt.scraperLimit},
        {"--rock-bulldozer-limit", &opt.rockBulldozerLimit},
        {"--rock-manual-limit", &opt.rockManualLimit}};
    for (const auto& [name, field] : numbers) {
        *field = a.Number(QString::fromLatin1(name)).value_or(*field);
    }
    if (!a.Ok()) {
        io.Error(a.Error());
        return 2;
    }
    if (opt.manualShare < 0.0 || opt.manualShare > 100.0) {
        io.Error(QStringLiteral("--manual-share 须在 0 到 100 之间（%）"));
        return 2;
    }
    YHaulTable table(doc);
    if (!table.Prepare()) {
        return 1;
    }
    return table.Output(opt, out) ? 0 : 1;
}

int Run(YCliContext& c) {
    YCliArgs a(c.args,
               {QStringLiteral("--per-km"), QStringLiteral("--mark-centres"),
                QStringLiteral("--six-class"), QStringLiteral("--six-class-diagram"),
                QStringLiteral("--volume")},
               {QStringLiteral("--segment"), QStringLiteral("--qty-decimals"),
                QStringLiteral("--dist-decimals"), QStringLiteral("--sta-decimals"),
                QStringLiteral("--natural"), QStringLiteral("--compacted"),
                QStringLiteral("--pages"), QStringLiteral("--manual"),
                QStringLiteral("--manual-share"), QStringLiteral("--bulldozer"),
                QStringLiteral("--bulldozer-limit"), QStringLiteral("--scraper"),
                QStringLiteral("--scraper-limit"), QStringLiteral("--excavator"),
                QStringLiteral("--rock-bulldozer"), QStringLiteral("--rock-bulldozer-limit"),
                QStringLiteral("--rock-manual"), QStringLiteral("--rock-manual-limit"),
                QStringLiteral("--dump-truck")});
    const QStringList tables = {QStringLiteral("earthwork"), QStringLiteral("haul"),
                                QStringLiteral("pits"), QStringLiteral("km-quantities"),
                                QStringLiteral("km-haul")};
    if (!a.Ok() || a.Positional().size() != 3 || !tables.contains(a.Positional()[0])) {
        c.io->Error(a.Ok() ? QStringLiteral("用法：dalvex-cli ") + kUsage : a.Error());
        return 2;
    }
    const std::optional<int> segment = a.Integer(QStringLiteral("--segment"));
    if (!a.Ok()) {
        c.io->Error(a.Error());
        return 2;
    }
    YCliInputProject project(*c.io, YOpenAccess::Read);
    const QString out = QFileInfo(a.Positional()[2]).absoluteFilePath();
    if (!project.Open(a.Positional()[1]) || !YCliOutput::Check(out, a.Positional()[1], *c.io)) {
        return 1;
    }
    CDalvexDoc& doc = project.Doc();
    if (segment && !doc.SwitchSegment(*segment)) {
        c.io->Error(QStringLiteral("项目没有第%1段").arg(*segment));
        return 1;
    }
    const QString table = a.Positional()[0];
    int rc = 1;
    if (table == QLatin1String("earthwork")) {
        rc = Earthwork(a, *c.io, doc, out);
    } else if (table == QLatin1String("haul")) {
        rc = Haul(a, *c.io, doc, out);
    } else if (table == QLatin1String("pits")) {
        rc = COutQQk(doc).Output(out) ? 0 : 1;
    } else {
        const YKmTables::Kind kind = table == QLatin1String("km-quantities")
                                         ? YKmTables::Kind::Quantities
                                         : YKmTables::Kind::Haul;
        rc = YKmTables(doc).Output(kind, out) ? 0 : 1;
    }
    if (rc == 0) {
        c.out(QStringLiteral("已输出：%1\n").arg(out));
    }
    return rc;
}

YCliVerbRegistration reg({QStringLiteral("report"), kUsage,
                          QStringLiteral("write an earthwork table (.xlsx) from its template"),
                          Run});

} // namespace
