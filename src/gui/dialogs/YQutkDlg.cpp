#include "gui/dialogs/YQutkDlg.h"

#include "core/db/YDatabase.h"
#include "core/db/YQtkSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YInputChecks.h"
#include "gui/dialogs/YPitDlgSetup.h"

namespace {
YGridDlg::Setup QutkSetup() {
    using F = YGridModel::Format;
    std::vector<YGridModel::Column> quantities;
    for (const char* name : {"松土", "普通土", "硬土", "软石", "次坚石", "坚石"}) {
        quantities.push_back({QString::fromUtf8(name), F::WideNumber});
    }
    quantities.push_back({QStringLiteral("土方总量"), F::Number});
    quantities.push_back({QStringLiteral("石方总量"), F::Number});
    return YPitDlgSetup::Make(QStringLiteral("取土坑"), QStringLiteral("取土坑"),
                              QStringLiteral("取土坑"), quantities);
}
} // namespace

YQutkDlg::YQutkDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent)
    : YGridDlg(doc, chooser, QutkSetup(), parent) {}

YQutkDlg::~YQutkDlg() {
    YPitDlgSetup::ReloadModel(Document());
}

bool YQutkDlg::OnOk() {
    if (!YInputChecks::CheckPitContents(Document().GetDatabase(), Document().UserIO())) {
        return false;
    }
    (void)Document().GetQtkSet().Requery();
    return true;
}
