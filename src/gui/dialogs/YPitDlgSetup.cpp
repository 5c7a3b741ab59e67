#include "gui/dialogs/YPitDlgSetup.h"

#include "core/document/CDalvexDoc.h"

YGridDlg::Setup YPitDlgSetup::Make(const QString& title, const QString& table,
                                   const QString& placementKey,
                                   const std::vector<YGridModel::Column>& quantities) {
    using F = YGridModel::Format;
    YGridDlg::Setup s;
    s.title = title;
    s.table = table;
    s.sort = QStringLiteral("上路桩号");
    s.columns = {{QStringLiteral("上路桩号"), F::Text},
                 {QStringLiteral("前经济分界点桩号"), F::Text},
                 {QStringLiteral("后经济分界点桩号"), F::Text},
                 {QStringLiteral("支线长度"), F::Number}};
    s.columns.insert(s.columns.end(), quantities.begin(), quantities.end());
    s.bPartlyEditable = true;
    s.bResizable = true;
    s.placementKey = placementKey;
    return s;
}

void YPitDlgSetup::ReloadModel(CDalvexDoc& doc) {
    if (doc.GetSegmentCount() > 0) {
        (void)doc.ReloadModel();
    }
}
