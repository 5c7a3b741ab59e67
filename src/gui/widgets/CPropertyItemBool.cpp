#include "gui/widgets/CPropertyItemBool.h"

#include <QCheckBox>
#include <QSignalBlocker>

QWidget* CPropertyItemBool::CreateEditor(QWidget* parent, std::function<void()> edited) {
    auto* box = new QCheckBox(parent);
    QObject::connect(box, &QCheckBox::toggled, box, [edited = std::move(edited)] { edited(); });
    return box;
}

void CPropertyItemBool::ShowValue(QWidget* editor) const {
    auto* box = static_cast<QCheckBox*>(editor);
    const QSignalBlocker block(box);
    box->setChecked(m_bValue);
}

bool CPropertyItemBool::TakeValue(QWidget* editor) {
    const bool bNew = static_cast<QCheckBox*>(editor)->isChecked();
    if (bNew == m_bValue) {
        return false;
    }
    m_bValue = bNew;
    return true;
}
