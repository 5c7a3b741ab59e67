#include "gui/dialogs/YGzwDlg.h"

#include "core/db/YGzwSet.h"
#include "core/document/CDalvexDoc.h"

namespace {
YGridDlg::Setup MakeYGzwDlgSetup() {
    using F = YGridModel::Format;
    YGridDlg::Setup s;
    s.title = QStringLiteral("构造物");
    s.table = QStringLiteral("构造物");
    s.columns = {{QStringLiteral("起始桩号"), F::Text}, {QStringLiteral("终止桩号"), F::Text},
                 {QStringLiteral("名称"), F::Text},     {QStringLiteral("跨径"), F::Number},
                 {QStringLiteral("能否跨越"), F::Flag}, {QStringLiteral("绕行距离"), F::Number}};
    s.bPartlyEditable = true;
    s.bResizable = true;
    return s;
}
} // namespace

YGzwDlg::YGzwDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent)
    : YGridDlg(doc, chooser, MakeYGzwDlgSetup(), parent) {}

bool YGzwDlg::OnOk() {
    (void)Document().GetGzwSet().Requery();
    return true;
}
