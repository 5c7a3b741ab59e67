#include "gui/widgets/CPropertyItemList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

CPropertyItemList::CPropertyItemList(int id, QString label, QStringList entries, bool bEditable)
    : CPropertyItem(id, std::move(label)), m_entries(std::move(entries)), m_bEditable(bEditable) {}

QString CPropertyItemList::Text() const {
    const QStringList entries = Entries();
    if (m_nIndex >= 0 && m_nIndex < entries.size()) {
        return entries.at(m_nIndex);
    }
    return m_strText;
}

QVariant CPropertyItemList::Value() const {
    if (m_bEditable) {
        return Text();
    }
    return m_nIndex;
}

void CPropertyItemList::SetValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        m_nIndex = int(Entries().indexOf(text));
        m_strText = m_nIndex < 0 && m_bEditable ? text : QString();
        if (m_nIndex < 0 && !m_bEditable) {
            m_nIndex = 0;
        }
        return;
    }
    m_nIndex = value.toInt();
    m_strText.clear();
}

QWidget* CPropertyItemList::CreateEditor(QWidget* parent, std::function<void()> edited) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(m_bEditable);
    combo->setFrame(false);
    QObject::connect(combo, &QComboBox::activated, combo, [edited] { edited(); });
    if (m_bEditable) {
        QObject::connect(combo->lineEdit(), &QLineEdit::editingFinished, combo,
                         [edited] { edited(); });
    }
    return combo;
}

void CPropertyItemList::ShowValue(QWidget* editor) const {
    auto* combo = static_cast<QComboBox*>(editor);
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(Entries());
    combo->setCurrentIndex(m_nIndex);
    if (m_bEditable) {
        combo->setEditText(Text());
    }
}

bool CPropertyItemList::TakeValue(QWidget* editor) {
    auto* combo = static_cast<QComboBox*>(editor);
    const QString before = Text();
    const int nBefore = m_nIndex;
    if (m_bEditable) {
        SetValue(combo->currentText().trimmed());
    } else {
        m_nIndex = combo->currentIndex();
    }
    return m_nIndex != nBefore || Text() != before;
}
