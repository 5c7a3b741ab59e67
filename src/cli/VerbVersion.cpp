#include "cli/YCliVerb.h"
#include "core/platform/YConf.h"

namespace {
YCliVerbRegistration
    reg({QStringLiteral("version"), QStringLiteral("version"),
         QStringLiteral("print the program version"), [](YCliContext& c) {
             c.out(QStringLiteral("dalvex-cli %1\n").arg(QString::fromLatin1(DALVEX_VERSION)));
             return 0;
         }});
} // namespace
