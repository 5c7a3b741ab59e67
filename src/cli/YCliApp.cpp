#include "cli/YCliApp.h"

#include "cli/YCliVerb.h"
#include "core/platform/YConf.h"
#include "core/platform/YConsoleUserIO.h"

#include <algorithm>
#include <cstdio>

namespace {
void Print(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

QString VersionText() {
    return QStringLiteral("dalvex-cli %1 (%2)\n")
        .arg(QString::fromLatin1(DALVEX_VERSION), YConf::Instance().Text(1000));
}
} // namespace

QString YCliApp::HelpText() {
    QString text = VersionText();
    text += QStringLiteral("\n用法 / usage: dalvex-cli [--yes] [--json] <verb> [arguments]\n\n"
                           "Options:\n"
                           "  --help      this text\n"
                           "  --version   program version\n"
                           "  --yes       answer every question with yes\n"
                           "  --json      machine-readable output where a verb offers it\n\n"
                           "Verbs:\n");
    std::vector<YCliVerb> verbs = YCliVerbs::All();
    std::sort(verbs.begin(), verbs.end(),
              [](const YCliVerb& a, const YCliVerb& b) { return a.name < b.name; });
    for (const YCliVerb& verb : verbs) {
        text += QStringLiteral("  %1\n      %2\n").arg(verb.usage, verb.summary);
    }
    return text;
}

int YCliApp::Run(const QStringList& args) {
    YCliContext ctx;
    QString verbName;
    for (const QString& arg : args) {
        if (verbName.isEmpty() && arg.startsWith(QLatin1String("--"))) {
            if (arg == QLatin1String("--help")) {
                Print(HelpText());
                return 0;
            }
            if (arg == QLatin1String("--version")) {
                Print(VersionText());
                return 0;
            }
            if (arg == QLatin1String("--yes")) {
                ctx.bYes = true;
            } else if (arg == QLatin1String("--json")) {
                ctx.bJson = true;
            } else {
                std::fprintf(stderr, "unknown option %s\n", qPrintable(arg));
                return 2;
            }
        } else if (verbName.isEmpty()) {
            verbName = arg;
        } else if (arg == QLatin1String("--json")) {
            ctx.bJson = true;
        } else if (arg == QLatin1String("--yes")) {
            ctx.bYes = true;
        } else {
            ctx.args.append(arg);
        }
    }
    if (verbName.isEmpty() || verbName == QLatin1String("help")) {
        Print(HelpText());
        return verbName.isEmpty() ? 2 : 0;
    }
    const YCliVerb* verb = YCliVerbs::Find(verbName);
    if (verb == nullptr) {
        std::fprintf(stderr, "unknown verb %s (see --help)\n", qPrintable(verbName));
        return 2;
    }
    YConsoleUserIO io(ctx.bYes);
    ctx.io = &io;
    ctx.out = Print;
    return verb->run(ctx);
}
