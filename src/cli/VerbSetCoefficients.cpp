#include "cli/YCliArgs.h"
#include "cli/YCliInputProject.h"
#include "cli/YCliVerb.h"
#include "core/import/YInputChecks.h"
#include "core/platform/YUserIO.h"

#include <array>

// dalvex-cli set-coefficients <p.dvx> c1 … c6: the natural-to-compacted coefficients of the
// six classes (土方1-3, 石方1-3), each within 0 … 100.
namespace {

const QString kUsage = QStringLiteral("set-coefficients <p.dvx> c1 c2 c3 c4 c5 c6");

int Run(YCliContext& c) {
    if (c.args.size() != 7) {
        c.io->Error(QStringLiteral("用法：dalvex-cli ") + kUsage);
        return 2;
    }
    std::array<double, 6> coef{};
    for (size_t k = 0; k < 6; ++k) {
        const std::optional<double> v = YCliArgs::ReadNumber(c.args[qsizetype(k) + 1]);
        if (!v) {
            c.io->Error(QStringLiteral("“%1”不是数字").arg(c.args[qsizetype(k) + 1]));
            return 2;
        }
        coef[k] = *v;
    }
    YCliInputProject project(*c.io);
    if (!project.Open(c.args[0]) || !project.RequireEditable() ||
        !YInputChecks::SetCoefficients(project.Db(), *c.io, coef)) {
        return 1;
    }
    QStringList texts;
    for (double v : coef) {
        texts.append(QString::number(v));
    }
    c.out(QStringLiteral("土石系数：%1\n").arg(texts.join(QLatin1Char(' '))));
    return 0;
}

YCliVerbRegistration reg({QStringLiteral("set-coefficients"), kUsage,
                          QStringLiteral("set the six natural-to-compacted class coefficients"),
                          Run});

} // namespace
