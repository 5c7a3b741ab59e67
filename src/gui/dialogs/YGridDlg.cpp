#include "gui/dialogs/YGridDlg.h"

#include "core/db/YDatabase.h"
#include "core/db/YRecordset.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YInputChecks.h"
#include "core/import/YInputTableDef.h"
#include "core/import/YInputTableText.h"
#include "core/platform/YProfile.h"
#include "core/platform/YUserIO.h"
#include "gui/dialogs/YGridDelegate.h"
#include "gui/widgets/YFileChooser.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString PlacementSection = QStringLiteral("对话框设置");
constexpr int Margin = 10; // pixels between the grid and the dialog's edges
} // namespace

YGridDlg::YGridDlg(CDalvexDoc& doc, YFileChooser& chooser, Setup setup, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_chooser(chooser), m_setup(std::move(setup)) {
    m_bEditable = YInputChecks::IsEditable(doc.GetDatabase());
    m_pModel = new YGridModel(doc.GetDatabase().Connection(), m_setup.table, m_setup.columns,
                              m_setup.sort, this);
    m_pModel->SetRefusalHandler([this](const QString& reason) { m_doc.UserIO().Warning(reason); });
    QString title = m_setup.title;
    if (!m_bEditable) {
        m_pModel->SetAccess(m_setup.bPartlyEditable ? YGridModel::Access::CellsOnly
                                                    : YGridModel::Access::ReadOnly);
        title += m_setup.bPartlyEditable ? QStringLiteral("(部分只读)") : QStringLiteral("(只读)");
    }
    setWindowTitle(title);

    m_pView = new QTableView(this);
    m_pView->setModel(m_pModel);
    m_pView->setItemDelegate(new YGridDelegate(m_pView));
    m_pView->hideColumn(0); // rowid
    m_pView->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_pView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_pView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_pView->horizontalHeader()->setDefaultSectionSize(90);
    m_pView->verticalHeader()->setDefaultSectionSize(22);

    m_pAdd = new QPushButton(QStringLiteral("添加行"), this);
    m_pDelete = new QPushButton(QStringLiteral("删除行"), this);
    m_pExport = new QPushButton(QStringLiteral("导出..."), this);
    m_pImport = new QPushButton(QStringLiteral("导入..."), this);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    ok->setDefault(true);
    const bool bRows = m_pModel->GetAccess() == YGridModel::Access::Editable;
    m_pAdd->setEnabled(bRows);
    m_pDelete->setEnabled(bRows);
    m_pImport->setEnabled(m_bEditable);
    m_pExport->setVisible(m_setup.bExport);
    connect(m_pAdd, &QPushButton::clicked, this, [this] {
        const int row = m_pModel->AppendRow();
        if (row >= 0) {
            const QModelIndex first = m_pModel->index(row, YGridModel::ModelColumn(0));
            m_pView->scrollTo(first);
            m_pView->setCurrentIndex(first);
        }
    });
    connect(m_pDelete, &QPushButton::clicked, this,
            [this] { m_pModel->DeleteRow(m_pView->currentIndex().row()); });
    connect(m_pExport, &QPushButton::clicked, this, &YGridDlg::Export);
    connect(m_pImport, &QPushButton::clicked, this, &YGridDlg::Import);
    connect(ok, &QPushButton::clicked, this, &YGridDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &YGridDlg::reject);

    // The grid fills the dialog with a margin; the buttons keep to the bottom and right edges.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->addWidget(m_pView, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_pAdd, m_pDelete, m_pExport, m_pImport}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    const int width = qBound(420, 60 + 92 * int(m_pModel->Columns().size()), 1100);
    resize(width, 420);
    if (m_setup.bResizable) {
        setMinimumSize(size()); // never smaller than it opens
        RestorePlacement();
    } else {
        setFixedSize(size());
    }
}

YGridDlg::~YGridDlg() = default;

const YInputTableDef* YGridDlg::TextDef() const {
    return m_setup.bExport ? YInputTableDef::Find(m_setup.table) : nullptr;
}

void YGridDlg::Refresh() {
    m_pModel->select();
}

void YGridDlg::SyncStations(YRecordset& documentSet) {
    if (m_bEditable) {
        (void)YInputChecks::SyncStations(m_doc.GetDatabase(), m_doc.UserIO(), m_setup.table);
    }
    if (documentSet.IsOpen()) {
        (void)documentSet.Requery();
    }
}

void YGridDlg::Export() {
    const YInputTableDef* def = TextDef();
    if (def == nullptr) {
        return;
    }
    const QString path = m_chooser.SaveFileName(this, QString(), QString(), QString());
    if (path.isEmpty()) {
        return;
    }
    YInputTableText text(m_doc.GetDatabase(), m_doc.UserIO());
    (void)text.Export(*def, path); // a file that cannot be written is reported by nothing else
}

void YGridDlg::Import() {
    if (!m_bEditable) {
        return;
    }
    DoImport();
    Refresh();
}

void YGridDlg::DoImport() {
    const YInputTableDef* def = TextDef();
    if (def == nullptr) {
        return;
    }
    const QString path = m_chooser.OpenFileName(this, QString());
    if (path.isEmpty()) {
        return;
    }
    YInputTableText text(m_doc.GetDatabase(), m_doc.UserIO());
    (void)text.Import(*def, path, YInputTableText::Clear::Ask); // failures were shown
}

void YGridDlg::accept() {
    if (OnOk()) {
        QDialog::accept();
    }
}

void YGridDlg::done(int result) {
    if (!m_setup.placementKey.isEmpty()) {
        SavePlacement();
    }
    QDialog::done(result);
}

void YGridDlg::SavePlacement() const {
    YProfile::Instance().WriteBinary(PlacementSection, m_setup.placementKey, saveGeometry());
}

void YGridDlg::RestorePlacement() {
    if (m_setup.placementKey.isEmpty()) {
        return;
    }
    const QByteArray geometry =
        YProfile::Instance().GetBinary(PlacementSection, m_setup.placementKey);
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
}
