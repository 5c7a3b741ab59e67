#include "gui/dialogs/YDCDRSetDlg.h"

#include "core/document/CDalvexDoc.h"
#include "core/neighbours/YPortPairSetup.h"
#include "gui/dialogs/YOkCancel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

YDCDRSetDlg::YDCDRSetDlg(CDalvexDoc& source, CDalvexDoc& dest, QWidget* parent)
    : QDialog(parent), m_source(source), m_dest(dest),
      m_pSetup(std::make_unique<YPortPairSetup>(source, dest)), m_pCombo(new QComboBox(this)),
      m_pExit(new QLineEdit(source.Numbering().Text(0.0), this)),
      m_pDist(new QLineEdit(QStringLiteral("0"), this)),
      m_pEntry(new QLineEdit(dest.Numbering().Text(0.0), this)) {
    setWindowTitle(QStringLiteral("跨项目调配设置"));
    m_pDist->setValidator(new QDoubleValidator(0.0, 1e9, 3, m_pDist));
    auto* group = new QGroupBox(QStringLiteral("调出调入口设置"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("已有调入调出口"), m_pCombo);
    form->addRow(QStringLiteral("从项目"), new QLabel(m_pSetup->SourceName(), group));
    form->addRow(QStringLiteral("经过桩号"), m_pExit);
    form->addRow(QStringLiteral("绕行"), m_pDist);
    form->addRow(QStringLiteral("经过桩号"), m_pEntry);
    form->addRow(QStringLiteral("到项目"), new QLabel(m_pSetup->DestName(), group));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(YOkCancel::Make(*this));
    // The combo is sorted by its texts; the item data keeps the link index.
    std::vector<YPortPairSetup::Entry> entries = m_pSetup->Entries();
    std::stable_sort(entries.begin() + (entries.empty() ? 0 : 1), entries.end(),
                     [](const auto& a, const auto& b) { return a.strText < b.strText; });
    for (const YPortPairSetup::Entry& e : entries) {
        m_pCombo->addItem(e.strText, e.nLink);
    }
    m_pCombo->setCurrentIndex(-1);
    connect(m_pCombo, &QComboBox::currentIndexChanged, this, &YDCDRSetDlg::OnPortChosen);
}

YDCDRSetDlg::~YDCDRSetDlg() = default;

void YDCDRSetDlg::OnPortChosen(int index) {
    const int link = index >= 0 ? m_pCombo->itemData(index).toInt() : -1;
    const bool bNew = link < 0;
    for (QLineEdit* edit : {m_pExit, m_pDist, m_pEntry}) {
        edit->setEnabled(bNew);
    }
    if (bNew) {
        return;
    }
    const YNearPrjItem& l = m_source.Model().m_arrNearPrj[size_t(link)];
    m_pExit->setText(m_source.Numbering().Text(l.m_sta));
    m_pDist->setText(QString::number(l.m_dDist, 'f', 3));
    m_pEntry->setText(m_dest.Numbering().Text(l.m_staNear));
}

void YDCDRSetDlg::accept() {
    const int index = m_pCombo->currentIndex();
    const int link = index >= 0 ? m_pCombo->itemData(index).toInt() : -1;
    std::optional<YPortPairSetup::Ports> ports;
    if (link >= 0) {
        ports = m_pSetup->UseExisting(link);
    } else {
        // Each station is read with its own project's chain breaks.
        ports = m_pSetup->CreatePort(m_source.Numbering().ParseOrZero(m_pExit->text()),
                                     m_pDist->text().toDouble(),
                                     m_dest.Numbering().ParseOrZero(m_pEntry->text()));
    }
    if (!ports) {
        return; // the message was shown; the dialog stays open
    }
    m_nExit = ports->nExit;
    m_nEntry = ports->nEntry;
    QDialog::accept();
}
