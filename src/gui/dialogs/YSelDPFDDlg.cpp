#include "gui/dialogs/YSelDPFDDlg.h"

#include "gui/dialogs/YOkCancel.h"

#include "core/db/YPrjFDSet.h"
#include "core/document/CDalvexDoc.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

YSelDPFDDlg::YSelDPFDDlg(CDalvexDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_pList(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("请选择调配段落"));
    const int current = doc.GetCurrentSegment();
    if (doc.GetVersion() >= 5 && doc.GetPrjFDSet().IsOpen()) {
        // The set's row is the current segment: walk it and stand where it stood.
        YPrjFDSet& set = doc.GetPrjFDSet();
        const int position = set.Position();
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
            m_pList->addItem(
                QStringLiteral("分段%1终止桩号%2").arg(set.m_nSegment).arg(set.m_strEnd),
                int(set.m_nSegment));
        }
        set.SetPosition(position);
    }
    m_pList->setCurrentIndex(m_pList->findData(current));
    QDialogButtonBox* buttons = YOkCancel::Make(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("调配段落"), this));
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
    resize(320, 120);
}

void YSelDPFDDlg::accept() {
    const QVariant chosen = m_pList->currentData();
    if (chosen.isValid() && chosen.toInt() != m_doc.GetCurrentSegment()) {
        m_doc.SwitchSegment(chosen.toInt());
    }
    QDialog::accept();
}
