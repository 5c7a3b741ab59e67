#include "gui/dialogs/YTsxsDlg.h"

#include "gui/dialogs/YOkCancel.h"

#include "core/db/YDatabase.h"
#include "core/db/YTsxsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YInputChecks.h"
#include "gui/dialogs/YRangeCheck.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const char* const Labels[6] = {"Ⅰ类(松土)", "Ⅱ类(普通土)", "Ⅲ类(硬土)",
                               "Ⅳ类(软石)", "Ⅴ类(次坚石)", "Ⅵ类(坚石)"};
} // namespace

YTsxsDlg::YTsxsDlg(CDalvexDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_bEditable(YInputChecks::IsEditable(doc.GetDatabase())) {
    setWindowTitle(QStringLiteral("土石系数"));
    YTsxsSet& set = doc.GetTsxsSet();
    const bool bRow = set.IsOpen() && set.Requery() && !set.IsEOF();
    auto* soil = new QGroupBox(QStringLiteral("土方"), this);
    auto* rock = new QGroupBox(QStringLiteral("石方"), this);
    auto* soilForm = new QFormLayout(soil);
    auto* rockForm = new QFormLayout(rock);
    for (int k = 1; k <= 6; ++k) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("coef%1").arg(k));
        edit->setAlignment(Qt::AlignRight);
        edit->setText(bRow ? QString::number(set.m_dCoef[k - 1], 'g', 10) : QString());
        edit->setEnabled(m_bEditable);
        (k <= 3 ? soilForm : rockForm)->addRow(QString::fromUtf8(Labels[k - 1]), edit);
        m_edits[size_t(k - 1)] = edit;
    }
    auto* groups = new QHBoxLayout;
    groups->addWidget(soil);
    groups->addWidget(rock);
    QDialogButtonBox* buttons = YOkCancel::Make(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
}

void YTsxsDlg::accept() {
    if (!m_bEditable) {
        QDialog::accept();
        return;
    }
    std::array<double, 6> coef{};
    for (int k = 1; k <= 6; ++k) {
        const std::optional<double> d =
            YRangeCheck::Read(*m_edits[size_t(k - 1)], YInputChecks::MinCoefficient,
                              YInputChecks::MaxCoefficient, m_doc.UserIO());
        if (!d) {
            return;
        }
        coef[size_t(k - 1)] = *d;
    }
    if (!YInputChecks::SetCoefficients(m_doc.GetDatabase(), m_doc.UserIO(), coef)) {
        return;
    }
    (void)m_doc.GetTsxsSet().Requery();
    QDialog::accept();
}
