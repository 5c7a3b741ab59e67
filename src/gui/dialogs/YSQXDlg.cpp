#include "gui/dialogs/YSQXDlg.h"

#include "core/db/YSQXSet.h"
#include "core/document/CDalvexDoc.h"

namespace {
YGridDlg::Setup MakeYSQXDlgSetup() {
    using F = YGridModel::Format;
    YGridDlg::Setup s;
    s.title = QStringLiteral("纵坡数据录入");
    s.table = QStringLiteral("竖曲线");
    s.columns = {{QStringLiteral("桩号"), F::Text},
                 {QStringLiteral("高程"), F::Number},
                 {QStringLiteral("半径"), F::Number}};
    return s;
}
} // namespace

YSQXDlg::YSQXDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent)
    : YGridDlg(doc, chooser, MakeYSQXDlgSetup(), parent) {}

bool YSQXDlg::OnOk() {
    SyncStations(Document().GetSQXSet());
    return true;
}
