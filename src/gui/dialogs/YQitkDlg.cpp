#include "gui/dialogs/YQitkDlg.h"

#include "core/db/YQitkSet.h"
#include "core/document/CDalvexDoc.h"
#include "gui/dialogs/YPitDlgSetup.h"

YQitkDlg::YQitkDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent)
    : YGridDlg(doc, chooser,
               YPitDlgSetup::Make(QStringLiteral("弃土坑"), QStringLiteral("弃土坑"),
                                  QStringLiteral("弃土坑"),
                                  {{QStringLiteral("总容量"), YGridModel::Format::Number}}),
               parent) {}

YQitkDlg::~YQitkDlg() {
    YPitDlgSetup::ReloadModel(Document());
}

bool YQitkDlg::OnOk() {
    (void)Document().GetQitkSet().Requery();
    return true;
}
