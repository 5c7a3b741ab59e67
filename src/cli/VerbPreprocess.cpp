#include "cli/YCliArgs.h"
#include "cli/YCliInputProject.h"
#include "cli/YCliVerb.h"
#include "core/compute/YDocPreprocess.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

// dalvex-cli preprocess <p.dvx> [options]: the preprocessing with the settings of its dialog
// (defaults as the dialog's: average-area rule, soil classes reused locally, trough judged by
// the centre height and deducted down to 0, no loss).
namespace {

const QString kUsage = QStringLiteral(
    "preprocess <p.dvx> [--method average|prismoidal] [--reuse 1,2,3|none] [--trough-by-depth] "
    "[--trough-to-cut] [--soil-loss P] [--rock-loss P] [--segment N] [--yes]");

// The class list "1,2,3" (classes I–VI as 1–6) as reuse bits; empty on a bad list.
std::optional<quint32> ReuseBits(const QString& list) {
    if (list == QLatin1String("none")) {
        return 0u;
    }
    quint32 bits = 0;
    for (const QString& item : list.split(QLatin1Char(','))) {
        bool ok = false;
        const int k = item.trimmed().toInt(&ok);
        if (!ok || k < 1 || k > 6) {
            return std::nullopt;
        }
        bits |= 1u << (k - 1);
    }
    return bits;
}

std::optional<YPreprocessOptions> ReadOptions(YCliArgs& a, YUserIO& io) {
    quint32 word = YPreprocessOptions::DefaultWord;
    const QString method = a.Value(QStringLiteral("--method")).value_or(QStringLiteral("average"));
    if (method != QLatin1String("average") && method != QLatin1String("prismoidal")) {
        io.Error(QStringLiteral("--method 只能是 average 或 prismoidal"));
        return std::nullopt;
    }
    word = (word & ~YPreprocessOptions::MethodMask) |
           (method == QLatin1String("average") ? YPreprocessOptions::AverageArea
                                               : YPreprocessOptions::Prismoidal);
    if (const auto list = a.Value(QStringLiteral("--reuse"))) {
        const std::optional<quint32> bits = ReuseBits(*list);
        if (!bits) {
            io.Error(QStringLiteral("--reuse 须是 1 到 6 的类别列表（如 1,2,3）或 none"));
            return std::nullopt;
        }
        word = (word & ~YPreprocessOptions::ReuseMask) | *bits;
    }
    if (a.Has(QStringLiteral("--trough-by-depth"))) {
        word |= YPreprocessOptions::TroughByDepth;
    }
    if (a.Has(QStringLiteral("--trough-to-cut"))) {
        word |= YPreprocessOptions::TroughToCut;
    }
    const double soil = a.Number(QStringLiteral("--soil-loss")).value_or(0.0);
    const double rock = a.Number(QStringLiteral("--rock-loss")).value_or(0.0);
    if (!a.Ok()) {
        io.Error(a.Error());
        return std::nullopt;
    }
    if (!YPreprocessOptions::LossRateValid(soil) || !YPreprocessOptions::LossRateValid(rock)) {
        io.Error(
            QStringLiteral("损耗率须在 0 到 %1 之间（%）").arg(YPreprocessOptions::MaxLossRate));
        return std::nullopt;
    }
    return YPreprocessOptions::Make(word, soil, rock);
}

int Report(YCliContext& c, YCliInputProject& project, const YPreprocessor::Result& r) {
    using O = YPreprocessor::Outcome;
    switch (r.outcome) {
    case O::Done:
        c.out(c.bJson ? project.ResultJson()
                      : QStringLiteral("预处理完成（新增构造物端点断面 %1 个）\n")
                                .arg(r.nInsertedSections) +
                            project.ResultSummary());
        return 0;
    case O::NoSections:
        c.io->Error(QStringLiteral("项目没有逐桩断面数据，未做预处理"));
        return 1;
    case O::Declined:
        c.io->Error(QStringLiteral("保留现有计算结果，未做预处理（用 --yes 重新计算）"));
        return 1;
    default:
        return 1; // the preprocessing has said why; nothing was changed
    }
}

int Run(YCliContext& c) {
    YCliArgs a(c.args, {QStringLiteral("--trough-by-depth"), QStringLiteral("--trough-to-cut")},
               {QStringLiteral("--method"), QStringLiteral("--reuse"),
                QStringLiteral("--soil-loss"), QStringLiteral("--rock-loss"),
                QStringLiteral("--segment")});
    if (!a.Ok() || a.Positional().size() != 1) {
        c.io->Error(a.Ok() ? QStringLiteral("用法：dalvex-cli ") + kUsage : a.Error());
        return 2;
    }
    const std::optional<int> segment = a.Integer(QStringLiteral("--segment"));
    if (!a.Ok()) {
        c.io->Error(a.Error());
        return 2;
    }
    const std::optional<YPreprocessOptions> options = ReadOptions(a, *c.io);
    if (!options) {
        return 2;
    }
    YCliInputProject project(*c.io);
    if (!project.Open(a.Positional()[0])) {
        return 1;
    }
    if (segment && !project.Doc().SwitchSegment(*segment)) {
        c.io->Error(QStringLiteral("项目没有第%1段").arg(*segment));
        return 1;
    }
    return Report(c, project, YDocPreprocess::Run(project.Doc(), *options));
}

YCliVerbRegistration reg({QStringLiteral("preprocess"), kUsage,
                          QStringLiteral("compute the segment quantities from the cross-sections"),
                          Run});

} // namespace
