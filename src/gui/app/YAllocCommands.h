#pragma once

#include <QObject>

class CDalvexDoc;
class CMainFrame;
class YDpGcView;
class YDpTaskView;

// The allocation commands of the desktop program: the tool 调配, 撤消 and 重新执行 through the
// process pane, 修复调配过程, 清除所有调配及处理, 结束调配 and 自动调配; and the panes
// "调配任务" and "调配过程" that follow the active project.
class YAllocCommands : public QObject {
    Q_OBJECT
  public:
    // Puts the pane lists into the frame's panes; lives as long as the frame.
    explicit YAllocCommands(CMainFrame& frame);

    void Register();
    // Gives a newly opened project its task and process lists and the neighbours pane observer.
    static void AttachDocument(CDalvexDoc& doc);

    YDpGcView* ProcessView() const { return m_pGcView; }
    YDpTaskView* TaskView() const { return m_pTaskView; }

    // 自动调配's reach (m, fill centre to cut centre), kept in the profile.
    static double AutoReach();
    static void SetAutoReach(double dMetres);
    // Asks for the reach, then allocates the active segment without finishing it.
    void AutoAllocate();
    // Asks for the costs, records the cheapest plan for what is left (without finishing) and
    // says what it saved.
    void Optimize();

  private:
    CDalvexDoc* Active() const;
    bool HasSegments() const;
    void OnActiveDocument(CDalvexDoc* doc);

    CMainFrame& m_frame;
    YDpGcView* m_pGcView = nullptr;
    YDpTaskView* m_pTaskView = nullptr;
};
