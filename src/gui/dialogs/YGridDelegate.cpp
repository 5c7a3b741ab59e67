#include "gui/dialogs/YGridDelegate.h"

#include "gui/dialogs/YGridModel.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
YGridModel::Format FormatAt(const QModelIndex& index) {
    const auto* model = qobject_cast<const YGridModel*>(index.model());
    return model != nullptr ? model->FormatOf(index.column()) : YGridModel::Format::Text;
}
} // namespace

QWidget* YGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                     const QModelIndex& index) const {
    if (FormatAt(index) == YGridModel::Format::Flag) {
        auto* combo = new QComboBox(parent);
        combo->addItems({YGridModel::FlagText(true), YGridModel::FlagText(false)});
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    return edit;
}

void YGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QVariant value = index.data(Qt::EditRole);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(value.toBool() ? 0 : 1);
        return;
    }
    auto* edit = static_cast<QLineEdit*>(editor);
    // Numbers are edited with all their digits, not in the shown format.
    edit->setText(FormatAt(index) == YGridModel::Format::Text || value.isNull()
                      ? value.toString()
                      : QString::number(value.toDouble(), 'g', 15));
}

void YGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentIndex() == 0);
        return;
    }
    const QString text = static_cast<QLineEdit*>(editor)->text().trimmed();
    switch (FormatAt(index)) {
    case YGridModel::Format::Text:
        model->setData(index, text);
        return;
    case YGridModel::Format::Integer: {
        bool ok = false;
        const int n = text.toInt(&ok);
        model->setData(index, ok ? QVariant(n) : QVariant(text)); // the model says why not
        return;
    }
    default: {
        bool ok = false;
        const double d = text.toDouble(&ok);
        if (text.isEmpty()) {
            model->setData(index, 0.0);
        } else {
            model->setData(index, ok ? QVariant(d) : QVariant(text));
        }
        return;
    }
    }
}
