#include "gui/widgets/CPropertyItemEdit.h"

#include <QLineEdit>
#include <QSignalBlocker>

QWidget* CPropertyItemEdit::CreateEditor(QWidget* parent, std::function<void()> edited) {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    QObject::connect(edit, &QLineEdit::editingFinished, edit,
                     [edited = std::move(edited)] { edited(); });
    return edit;
}

void CPropertyItemEdit::ShowValue(QWidget* editor) const {
    auto* edit = static_cast<QLineEdit*>(editor);
    const QSignalBlocker block(edit);
    edit->setText(Text());
}

bool CPropertyItemEdit::TakeValue(QWidget* editor) {
    auto* edit = static_cast<QLineEdit*>(editor);
    const QString before = Text();
    if (!Parse(edit->text().trimmed())) {
        ShowValue(editor);
        return false;
    }
    ShowValue(editor);
    return Text() != before;
}
