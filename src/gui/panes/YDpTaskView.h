#pragma once

#include "gui/panes/YFractionTableView.h"

#include <QPointer>

class CDalvexDoc;
class YControlBar;

// The list of the pane "调配任务": the task list of the active document.
class YDpTaskView : public YFractionTableView {
    Q_OBJECT
  public:
    explicit YDpTaskView(YControlBar& bar);

    // The active document changed (null: none).
    void SetDocument(CDalvexDoc* doc);

  private:
    void Refresh();

    YControlBar& m_bar;
    QPointer<CDalvexDoc> m_pDoc;
};
