#include "gui/dialogs/YZzmjDlg.h"

#include "core/db/YZzmjSet.h"
#include "core/document/CDalvexDoc.h"
#include "gui/dialogs/YReadTfDlg.h"

#include <QPushButton>

namespace {
YGridDlg::Setup ZzmjSetup() {
    using F = YGridModel::Format;
    YGridDlg::Setup s;
    s.title = QStringLiteral("逐桩面积");
    s.table = QStringLiteral("逐桩断面");
    s.columns = {{QStringLiteral("桩号"), F::Text},
                 {QStringLiteral("挖方面积"), F::Number},
                 {QStringLiteral("填方面积"), F::Number},
                 {QStringLiteral("中桩填挖"), F::Number}};
    s.bExport = false; // the areas come from earthwork files, read through a format
    return s;
}
} // namespace

YZzmjDlg::YZzmjDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent)
    : YGridDlg(doc, chooser, ZzmjSetup(), parent) {
    ImportButton()->setObjectName(QStringLiteral("button1048"));
}

void YZzmjDlg::DoImport() {
    // The format dialog opens on no slot: the user picks or names a format.
    YReadTfDlg format(-1, Document().UserIO(), this);
    if (format.exec() != QDialog::Accepted) {
        return;
    }
    YReadTfDlg::ImportFile(Document(), Chooser(), format.Format(), YTfImport::Scope::SectionsOnly,
                           this);
}

bool YZzmjDlg::OnOk() {
    SyncStations(Document().GetZzmjSet());
    return true;
}
