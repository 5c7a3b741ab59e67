#include "gui/dialogs/YLandXmlDlg.h"

#include "gui/dialogs/YOkCancel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace {

// The lines of the alignment with the guess selected; an empty entry first where the file
// states the areas and no line is needed.
void Fill(QComboBox& box, const QStringList& names, const QString& guess) {
    box.clear();
    box.addItem(QString());
    box.addItems(names);
    box.setCurrentIndex(std::max(0, box.findText(guess)));
}

} // namespace

YLandXmlDlg::YLandXmlDlg(YLandXmlChoices choices, QWidget* parent)
    : QDialog(parent), m_choices(std::move(choices)), m_pAlignment(new QComboBox(this)),
      m_pGround(new QComboBox(this)), m_pDesign(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("读入LandXML文件"));
    for (const YLandXmlChoices::Alignment& a : m_choices.alignments) {
        m_pAlignment->addItem(a.name);
    }
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("线路"), m_pAlignment);
    form->addRow(QStringLiteral("地面线"), m_pGround);
    form->addRow(QStringLiteral("设计线"), m_pDesign);
    form->addRow(YOkCancel::Make(*this));
    connect(m_pAlignment, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowAlignment(index); });
    ShowAlignment(m_pAlignment->currentIndex());
    resize(360, 160);
}

void YLandXmlDlg::ShowAlignment(int index) {
    if (index < 0 || index >= int(m_choices.alignments.size())) {
        return;
    }
    const YLandXmlChoices::Alignment& a = m_choices.alignments[size_t(index)];
    Fill(*m_pGround, a.surfaces, a.ground);
    Fill(*m_pDesign, a.surfaces, a.design);
}

YLandXmlOptions YLandXmlDlg::Options() const {
    return {m_pAlignment->currentText(), m_pGround->currentText(), m_pDesign->currentText()};
}
