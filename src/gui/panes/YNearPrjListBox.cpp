#include "gui/panes/YNearPrjListBox.h"

#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int LinkRole = Qt::UserRole + 1;
constexpr int LinesRole = Qt::UserRole + 2;

class EntryDelegate : public QStyledItemDelegate {
  public:
    explicit EntryDelegate(YNearPrjListBox* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), m_list->LineHeight()};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyle* style = m_list->style();
        QStyleOptionButton button;
        button.initFrom(m_list);
        button.rect = option.rect.adjusted(1, 1, -1, -1);
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        const bool bSelected = option.state & QStyle::State_Selected;
        if (bSelected) {
            button.state |= QStyle::State_Sunken | QStyle::State_On;
        }
        if (option.state & QStyle::State_MouseOver) {
            button.state |= QStyle::State_MouseOver;
        }
        style->drawControl(QStyle::CE_PushButtonBevel, &button, p, m_list);
        p->save();
        p->setPen(option.palette.color(QPalette::ButtonText));
        const QStringList lines = index.data(LinesRole).toStringList();
        const int h = option.fontMetrics.height();
        QRect line = option.rect.adjusted(6, 3, -4, 0);
        line.setHeight(h);
        for (const QString& text : lines) {
            p->drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                        option.fontMetrics.elidedText(text, Qt::ElideRight, line.width()));
            line.translate(0, h);
        }
        p->restore();
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.initFrom(m_list);
            focus.rect = option.rect.adjusted(3, 3, -3, -3);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, m_list);
        }
    }

  private:
    YNearPrjListBox* m_list;
};

} // namespace

YNearPrjListBox::YNearPrjListBox(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("nearList"));
    setItemDelegate(new EntryDelegate(this));
    setUniformItemSizes(true);
    setMouseTracking(true); // hot tracking
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int YNearPrjListBox::LineHeight() const {
    return 3 * fontMetrics().height() + 6;
}

void YNearPrjListBox::Fill(const std::vector<YNearListEntry>& entries,
                           const std::vector<QStringList>& lines, int selected) {
    clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        auto* item = new QListWidgetItem(lines[i].join(QLatin1Char('\n')), this);
        item->setData(KeyRole, entries[i].strKey);
        item->setData(LinkRole, entries[i].nLink);
        item->setData(LinesRole, lines[i]);
    }
    if (selected >= 0 && selected < count()) {
        setCurrentRow(selected);
    }
}

YNearListEntry YNearPrjListBox::EntryAt(int row) const {
    const QListWidgetItem* it = item(row);
    if (it == nullptr) {
        return {};
    }
    return {it->data(KeyRole).toString(), it->data(LinkRole).toInt()};
}
