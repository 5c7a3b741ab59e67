#include "gui/panes/YFractionTableView.h"

#include "gui/widgets/YControlBar.h"

#include <QHeaderView>
#include <QResizeEvent>

YFractionTableView::YFractionTableView(std::vector<double> fractions, QWidget* parent)
    : QTableView(parent), m_fractions(std::move(fractions)) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(8);
    // The selection keeps its highlight colour when the list loses the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &YFractionTableView::OnSectionResized);
}

void YFractionTableView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    ApplyFractions();
}

void YFractionTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    ApplyFractions();
}

void YFractionTableView::ApplyFractions() {
    const int width = viewport()->width();
    if (width <= 0) {
        return;
    }
    m_bApplying = true;
    for (size_t i = 0; i < m_fractions.size(); ++i) {
        setColumnWidth(int(i), int(m_fractions[i] * width));
    }
    m_bApplying = false;
}

void YFractionTableView::OnSectionResized(int column, int, int newSize) {
    const int width = viewport()->width();
    if (m_bApplying || width <= 0 || column < 0 || size_t(column) >= m_fractions.size()) {
        return;
    }
    m_fractions[size_t(column)] = double(newSize) / width;
}

void YFractionTableView::Follow(YControlBar& bar, QAbstractItemModel* model, bool bWanted) {
    if (QTableView::model() != model) {
        setModel(model);
    }
    bar.SetToggleEnabled(bWanted);
    bar.ShowBar(bWanted && bar.IsShown());
}
