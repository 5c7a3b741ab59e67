#include "gui/dialogs/YLcDlg.h"

#include "core/db/YLcSet.h"
#include "core/document/CDalvexDoc.h"

namespace {
YGridDlg::Setup MakeYLcDlgSetup() {
    using F = YGridModel::Format;
    YGridDlg::Setup s;
    s.title = QStringLiteral("路槽数据");
    s.table = QStringLiteral("路槽");
    s.columns = {{QStringLiteral("桩号"), F::Text},
                 {QStringLiteral("高度"), F::Number},
                 {QStringLiteral("宽度"), F::Number}};
    return s;
}
} // namespace

YLcDlg::YLcDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent)
    : YGridDlg(doc, chooser, MakeYLcDlgSetup(), parent) {}

bool YLcDlg::OnOk() {
    SyncStations(Document().GetLcSet());
    return true;
}
