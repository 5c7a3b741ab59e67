#pragma once

#include "core/neighbours/YNearPrjList.h"
#include "gui/widgets/YControlBar.h"

#include <QPointer>

class QMainWindow;
class YDPTool;
class YNearPrjListBox;

// The pane 相邻项目: the ports and the other open projects of the active document. Through it
// the user switches projects (double click) and, while the allocation tool has a source
// picked, chooses the exit and entry ports of a haul into a neighbouring project or makes a
// new pair of ports in the port dialog. It follows the flags of the active document's
// YNearProjectReactor at idle time; while a source is picked its tab comes to the front and
// gives the front back when the picks are dropped.
class YNearProjectBar : public YControlBar {
    Q_OBJECT
  public:
    YNearProjectBar(QMainWindow& frame, int nControlId);
    ~YNearProjectBar() override;

    YNearPrjListBox& List() const { return *m_pList; }
    // Gives the document the pane's observer (once per document).
    static void Attach(CDalvexDoc& doc);
    // Acts on a double click on a line (the list calls it; tests too).
    void OnDoubleClick(int row);

  protected:
    void OnIdleUpdate() override;

  private:
    static YDPTool* Tool();
    static YNearToolState ToolState();
    void Refill(CDalvexDoc& doc);
    void ComeToFront();
    void GiveFrontBack();

    QMainWindow& m_frame;
    YNearPrjListBox* m_pList;
    QPointer<QDockWidget> m_pRememberedTab; // the tab that was in front before ComeToFront
};
