#pragma once

#include "gui/panes/YFractionTableView.h"

#include <QPointer>

class CDalvexDoc;
class YControlBar;
class YDpGcReactor;

// The list of the pane "调配过程": the steps of the active document. A click on a row moves
// the history there; the current row stays selected and in view.
class YDpGcView : public YFractionTableView {
    Q_OBJECT
  public:
    explicit YDpGcView(YControlBar& bar);

    void SetDocument(CDalvexDoc* doc);
    // The active document's process list, or null.
    YDpGcReactor* Reactor() const;

    // The main frame's 撤消 and 重新执行.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();

  private:
    void Refresh();
    void OnRowClicked(const QModelIndex& index);
    void ShowCurrent(int nRow);

    YControlBar& m_bar;
    QPointer<CDalvexDoc> m_pDoc;
};
