#include "gui/dialogs/YPrjFDDlg.h"

#include "core/db/YPrjFDSet.h"
#include "core/document/CDalvexDoc.h"

#include <QTableView>

namespace {
YGridDlg::Setup PrjFDSetup() {
    using F = YGridModel::Format;
    YGridDlg::Setup s;
    s.title = QStringLiteral("项目分段设置");
    s.table = QStringLiteral("项目分段");
    s.sort = QStringLiteral("分段编号");
    s.columns = {{QStringLiteral("分段编号"), F::Integer}, {QStringLiteral("结束桩号"), F::Text}};
    return s;
}
} // namespace

YPrjFDDlg::YPrjFDDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent)
    : YGridDlg(doc, chooser, PrjFDSetup(), parent) {
    // The grid starts on the current segment's row.
    const int current = doc.GetCurrentSegment();
    for (int row = 0; row < Model().rowCount(); ++row) {
        if (Model().index(row, YGridModel::ModelColumn(0)).data(Qt::EditRole).toInt() == current) {
            View().setCurrentIndex(Model().index(row, YGridModel::ModelColumn(0)));
        }
    }
}

bool YPrjFDDlg::OnOk() {
    CDalvexDoc& doc = Document();
    if (!doc.GetPrjFDSet().IsOpen() || !doc.GetPrjFDSet().Requery()) {
        return true;
    }
    const int row = View().currentIndex().row();
    if (row >= 0) {
        const int segment =
            Model().index(row, YGridModel::ModelColumn(0)).data(Qt::EditRole).toInt();
        doc.SwitchSegment(segment);
    } else {
        doc.SwitchSegment(doc.GetCurrentSegment());
    }
    return true;
}
