#include "gui/dialogs/YTshlDlg.h"

#include "core/db/YDatabase.h"
#include "core/db/YTshlSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YInputChecks.h"

namespace {
YGridDlg::Setup TshlSetup(const CDalvexDoc& doc) {
    using F = YGridModel::Format;
    YGridDlg::Setup s;
    s.title = QStringLiteral("土石含量");
    s.table = QStringLiteral("土石含量");
    s.columns = {{QStringLiteral("桩号"), F::Text}};
    const bool bRates = doc.GetVersion() >= 3; // usable rates from layout version 3
    for (const char* name : {"松土", "普通土", "硬土", "软石", "次坚石", "坚石"}) {
        s.columns.push_back({QString::fromUtf8(name), F::Plain});
        if (bRates) {
            s.columns.push_back({QString::fromUtf8(name) + QStringLiteral("利用率"), F::Plain});
        }
    }
    return s;
}
} // namespace

YTshlDlg::YTshlDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent)
    : YGridDlg(doc, chooser, TshlSetup(doc), parent) {}

bool YTshlDlg::OnOk() {
    if (!YInputChecks::CheckContents(Document().GetDatabase(), Document().UserIO())) {
        return false;
    }
    (void)Document().GetTshlSet().Requery();
    return true;
}
