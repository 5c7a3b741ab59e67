#include "gui/widgets/YPropertyGrid.h"

#include "gui/widgets/CPropertyItem.h"

#include <QHeaderView>

YPropertyGrid::YPropertyGrid(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIndentation(12);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setAlternatingRowColors(true);
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
    header()->setStretchLastSection(true);
    setColumnWidth(0, 110);
}

YPropertyGrid::~YPropertyGrid() = default;

int YPropertyGrid::AddCategory(const QString& title) {
    auto* category = new QTreeWidgetItem(this, {title});
    QFont font = category->font(0);
    font.setBold(true);
    category->setFont(0, font);
    category->setFirstColumnSpanned(true);
    category->setFlags(Qt::ItemIsEnabled);
    category->setExpanded(true);
    return indexOfTopLevelItem(category);
}

CPropertyItem* YPropertyGrid::AddItem(int category, std::unique_ptr<CPropertyItem> item) {
    QTreeWidgetItem* parentRow = topLevelItem(category);
    Q_ASSERT(parentRow != nullptr);
    const int id = item->Id();
    Q_ASSERT(m_rows.find(id) == m_rows.end());
    Row row;
    row.row = new QTreeWidgetItem(parentRow, {item->Label()});
    row.row->setToolTip(0, item->Label());
    row.row->setFlags(Qt::ItemIsEnabled);
    row.editor = item->CreateEditor(this, [this, id] { OnEdited(id); });
    row.item = std::move(item);
    setItemWidget(row.row, 1, row.editor);
    parentRow->setExpanded(true);
    ShowRow(row);
    resizeColumnToContents(0); // labels are never cut
    CPropertyItem* added = row.item.get();
    m_rows.emplace(id, std::move(row));
    return added;
}

void YPropertyGrid::RemoveAll() {
    clear(); // deletes the rows and with them their editor widgets
    m_rows.clear();
}

const YPropertyGrid::Row* YPropertyGrid::Find(int id) const {
    const auto it = m_rows.find(id);
    return it == m_rows.end() ? nullptr : &it->second;
}

CPropertyItem* YPropertyGrid::Item(int id) const {
    const Row* row = Find(id);
    return row != nullptr ? row->item.get() : nullptr;
}

QWidget* YPropertyGrid::Editor(int id) const {
    const Row* row = Find(id);
    return row != nullptr ? row->editor : nullptr;
}

QVariant YPropertyGrid::Value(int id) const {
    const Row* row = Find(id);
    return row != nullptr ? row->item->Value() : QVariant();
}

void YPropertyGrid::SetValue(int id, const QVariant& value) {
    if (const Row* row = Find(id)) {
        row->item->SetValue(value);
        ShowRow(*row);
    }
}

void YPropertyGrid::EnableItem(int id, bool bEnabled) {
    if (const Row* row = Find(id)) {
        row->item->SetEnabled(bEnabled);
        ShowRow(*row);
    }
}

bool YPropertyGrid::IsItemEnabled(int id) const {
    const Row* row = Find(id);
    return row != nullptr && row->item->IsEnabled();
}

void YPropertyGrid::Redraw() {
    for (const auto& [id, row] : m_rows) {
        ShowRow(row);
    }
    viewport()->update();
}

void YPropertyGrid::ShowRow(const Row& row) const {
    row.item->ShowValue(row.editor);
    const bool bEnabled = row.item->IsEnabled();
    row.editor->setEnabled(bEnabled);
    row.row->setDisabled(!bEnabled);
}

void YPropertyGrid::OnEdited(int id) {
    const Row* row = Find(id);
    if (row == nullptr || !row->item->IsEnabled()) {
        return;
    }
    if (row->item->TakeValue(row->editor)) {
        emit ItemChanged(id);
    }
}
