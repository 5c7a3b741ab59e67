#include "gui/panes/YDpGcView.h"

#include "core/document/CDalvexDoc.h"
#include "gui/panes/YDpGcReactor.h"
#include "gui/widgets/YControlBar.h"

namespace {
// Column widths in pixels as first laid out; they become the fractions.
constexpr double kWidths[YDpGcReactor::ColumnCount] = {80, 150, 150, 80, 80, 55};

std::vector<double> ColumnFractions() {
    double total = 0.0;
    for (double w : kWidths) {
        total += w;
    }
    std::vector<double> out;
    for (double w : kWidths) {
        out.push_back(w / total);
    }
    return out;
}
} // namespace

YDpGcView::YDpGcView(YControlBar& bar) : YFractionTableView(ColumnFractions(), &bar), m_bar(bar) {
    setObjectName(QStringLiteral("processList"));
    // The pane never lays itself out smaller than this.
    setMinimumSize(580, 120);
    connect(this, &QAbstractItemView::clicked, this, &YDpGcView::OnRowClicked);
}

YDpGcReactor* YDpGcView::Reactor() const {
    return m_pDoc != nullptr ? m_pDoc->FindReactor<YDpGcReactor>() : nullptr;
}

void YDpGcView::SetDocument(CDalvexDoc* doc) {
    if (m_pDoc != nullptr) {
        disconnect(m_pDoc, nullptr, this, nullptr);
        if (YDpGcReactor* old = Reactor()) {
            disconnect(old, nullptr, this, nullptr);
        }
    }
    m_pDoc = doc;
    if (doc != nullptr) {
        connect(doc, &CDalvexDoc::ViewsUpdate, this, &YDpGcView::Refresh);
        if (YDpGcReactor* reactor = Reactor()) {
            connect(reactor, &YDpGcReactor::CurrentRowChanged, this, &YDpGcView::ShowCurrent);
        }
    }
    Refresh();
}

void YDpGcView::Refresh() {
    YDpGcReactor* reactor = Reactor();
    const bool bWanted = reactor != nullptr && m_pDoc->IsOpen() && m_pDoc->GetSegmentCount() > 0;
    Follow(m_bar, reactor, bWanted);
    if (reactor != nullptr) {
        ShowCurrent(reactor->CurrentRow());
    }
}

void YDpGcView::OnRowClicked(const QModelIndex& index) {
    YDpGcReactor* reactor = Reactor();
    if (reactor == nullptr || !index.isValid()) {
        return;
    }
    (void)reactor->SelectRow(index.row());
    // On failure the selection goes back to the current row.
    ShowCurrent(reactor->CurrentRow());
}

void YDpGcView::ShowCurrent(int nRow) {
    if (model() == nullptr || nRow >= model()->rowCount()) {
        return;
    }
    selectRow(nRow);
    scrollTo(model()->index(nRow, 0));
}

bool YDpGcView::CanUndo() const {
    const YDpGcReactor* reactor = Reactor();
    return reactor != nullptr && reactor->CanUndo();
}

bool YDpGcView::CanRedo() const {
    const YDpGcReactor* reactor = Reactor();
    return reactor != nullptr && reactor->CanRedo();
}

void YDpGcView::Undo() {
    if (YDpGcReactor* reactor = Reactor()) {
        (void)reactor->Undo();
    }
}

void YDpGcView::Redo() {
    if (YDpGcReactor* reactor = Reactor()) {
        (void)reactor->Redo();
    }
}
