#include "gui/panes/YDpTaskView.h"

#include "core/document/CDalvexDoc.h"
#include "gui/panes/YDpTaskReactor.h"
#include "gui/widgets/YControlBar.h"

YDpTaskView::YDpTaskView(YControlBar& bar)
    : YFractionTableView(
          std::vector<double>(YDpTaskReactor::ColumnCount, 1.0 / int(YDpTaskReactor::ColumnCount)),
          &bar),
      m_bar(bar) {
    setObjectName(QStringLiteral("taskList"));
}

void YDpTaskView::SetDocument(CDalvexDoc* doc) {
    if (m_pDoc != nullptr) {
        disconnect(m_pDoc, nullptr, this, nullptr);
    }
    m_pDoc = doc;
    if (doc != nullptr) {
        connect(doc, &CDalvexDoc::ViewsUpdate, this, &YDpTaskView::Refresh);
    }
    Refresh();
}

void YDpTaskView::Refresh() {
    CDalvexDoc* doc = m_pDoc;
    YDpTaskReactor* reactor = doc != nullptr ? doc->FindReactor<YDpTaskReactor>() : nullptr;
    const bool bWanted = reactor != nullptr && doc->IsOpen() && doc->GetSegmentCount() > 0;
    if (reactor != nullptr && bWanted && !reactor->IsLoaded()) {
        reactor->OnReload();
    }
    Follow(m_bar, reactor, bWanted);
}
