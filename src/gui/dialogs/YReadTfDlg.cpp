#include "gui/dialogs/YReadTfDlg.h"

#include "gui/dialogs/YOkCancel.h"

#include "core/db/YPrjFDSet.h"
#include "core/db/YZzmjSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"
#include "gui/dialogs/YReadPropertyItemManager.h"
#include "gui/widgets/YFileChooser.h"
#include "gui/widgets/YPropertyGrid.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

YReadTfDlg::YReadTfDlg(int slot, YUserIO& io, QWidget* parent)
    : QDialog(parent), m_io(io), m_pGrid(new YPropertyGrid(this)),
      m_pManager(new YReadPropertyItemManager(
          *m_pGrid, slot >= 0 && slot < TfFormat::SlotCount ? TfFormat::Load(slot) : TfFormat(),
          this)) {
    setWindowTitle(QStringLiteral("土方数据格式 选择/修改/定义"));
    m_pGrid->setObjectName(QStringLiteral("grid%1").arg(GridId));
    m_pManager->CreateItems();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pGrid, 1);
    QDialogButtonBox* buttons = YOkCancel::Make(*this);
    layout->addWidget(buttons);
    resize(460, 330);
}

YReadTfDlg::~YReadTfDlg() {
    // Confirmed or not, the format is kept under its name (a placeholder name stores nothing).
    (void)Format().Store();
}

const TfFormat& YReadTfDlg::Format() const {
    return m_pManager->Format();
}

void YReadTfDlg::accept() {
    if (Format().CheckOnOk(m_io)) {
        QDialog::accept();
    }
}

bool YReadTfDlg::ImportFile(CDalvexDoc& doc, YFileChooser& chooser, const TfFormat& format,
                            YTfImport::Scope scope, QWidget* parent) {
    const QString filter = QStringLiteral("%1 土方文件(*.%2)|*.%2|所有文件(*.*)|*.*||")
                               .arg(format.m_strName, format.m_strSuffix);
    const QString path = chooser.OpenFileName(parent, filter);
    if (path.isEmpty()) {
        return false;
    }
    YTfImport::Result result;
    {
        YWaitScope wait(doc.UserIO());
        YTfImport import(doc.GetDatabase(), doc.UserIO());
        result = import.Import(path, format, scope);
    }
    if (!result.Ok()) {
        return false; // a file that cannot be opened ends silently; a bad line was reported
    }
    // The document's record sets see the new rows; a project import rewrote the project's name
    // and GUID and made segment 1 current.
    (void)doc.GetZzmjSet().Requery();
    if (scope == YTfImport::Scope::Project) {
        doc.ReloadProjectProperties();
    }
    if (scope == YTfImport::Scope::Project && doc.GetVersion() >= 5 && doc.GetPrjFDSet().IsOpen() &&
        doc.GetPrjFDSet().Requery()) {
        doc.SwitchSegment(doc.GetCurrentSegment());
    }
    return true; // the import said "读入土方数据完成! "
}
