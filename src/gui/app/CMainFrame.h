#pragma once

#include "core/document/CDalvexDoc.h"
#include "gui/app/YCommandUI.h"
#include "gui/app/YRecentFileList.h"

#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <map>

class CChildFrame;
class CDalvexView;
class YEyeWnd;
class QLabel;
class QMdiSubWindow;
class QMimeData;
class QToolBar;
class YControlBar;
class YDPCtrlBar;
class YMDIClientWnd;

// The main frame: the MDI area with one window per open project, the menus (128 with no
// project open, 129 with one), the standard tool bar "标准", the status bar with its six panes
// and the five panes "鹰眼", "调配过程", "调配任务", "调配设置", "相邻项目". Commands are
// actions keyed by their ids; whoever handles a command registers it with SetCommand.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    enum MenuId { NoProjectMenu = 128, ProjectMenu = 129 };
    // The panes by control id.
    enum PaneId {
        OverviewPane = 1,
        ProcessPane = 2,
        TaskPane = 3,
        SettingsPane = 4,
        NeighboursPane = 5
    };

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    YMDIClientWnd* MdiArea() const { return m_mdi; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    YRecentFileList& RecentFiles() { return m_recent; }

    // ---- Commands ----
    QAction* Action(int id) const;
    void SetCommand(int id, YCommandUI ui);
    // Updates every action's availability and check mark (after each command, on activation
    // and whenever a pane or document changes).
    void UpdateCommandUI();
    int CurrentMenu() const { return m_nMenu; }
    // The File menu's format submenu of menu 129 (null while menu 128 is up).
    QMenu* FormatMenu() const { return m_pFormatMenu; }
    // Rebuilds the format submenu from the profile (what opening the popup does).
    void RebuildFormatMenu();

    // ---- Panes ----
    YControlBar* Pane(int nControlId) const;
    YDPCtrlBar* DPCtrlBar() const { return m_pDPCtrlBar; }
    YControlBar* PaneOfCommand(int nCommandId) const;
    YEyeWnd* EyeWnd() const { return m_pEye; }

    // ---- Project windows ----
    CChildFrame* CreateChildFrame(CDalvexDoc& doc);
    void CloseFramesOf(CDalvexDoc& doc);
    QList<CChildFrame*> Frames() const;
    CChildFrame* FirstFrameOf(const CDalvexDoc& doc) const;
    CChildFrame* ActiveChild() const;
    CDalvexDoc* ActiveDocument() const;
    // The diagram of the active project window, or null.
    CDalvexView* ActiveView() const;
    // A second window on the active project ("新建窗口").
    CChildFrame* NewWindow();

    // ---- Status bar ----
    // The diagram's cursor readout (WM_USER+1 with texts): station and area panes get their
    // fixed width and show the texts at once.
    void ShowCursorReadout(const QString& station, const QString& area);
    // WM_USER+1 with 0: the station and area panes go back to stretching.
    void ResetCursorReadout();
    bool IsReadoutStretched() const { return m_bReadoutStretched; }
    // Panes 0–5: message, station (59143), area (59144), CAP, NUM, SCRL.
    QWidget* StatusPane(int index) const;

    // The project files ("*.dvx") among dropped files; others are ignored.
    static QStringList DroppedProjects(const QMimeData* data);

    // ---- Titles ----
    QString FrameTitle() const;
    void OnUpdateFrameTitle();

  signals:
    void FilesDropped(const QStringList& paths);
    void ActiveDocumentChanged(CDalvexDoc* doc);
    // The last window of a project was closed by the user: the project closes.
    void LastFrameClosed(CDalvexDoc* doc);
    // The frame is closing (the program ends): the projects close first.
    void FrameClosing();

  public slots:
    void CursorReadout(const QString& station, const QString& area);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateActions();
    void CreateStatusBar();
    void CreateToolBar();
    void CreatePanes();
    void RegisterFrameCommands();
    // Puts up menu 129 (a project is open) or 128.
    void UpdateMenus(bool bProject);
    QMenu* AddMenu(QMenuBar* bar, const QString& title, std::initializer_list<int> ids);
    void UpdateRecentActions();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnFrameClosing(CChildFrame* frame);
    void RenumberFrames(const CDalvexDoc& doc);
    void PlaceOverview();
    void ScheduleCommandUI();

    YMDIClientWnd* m_mdi;
    std::map<int, QAction*> m_actions;
    std::map<int, YCommandUI> m_commands;
    QToolBar* m_pToolBar = nullptr;
    QPointer<QMenu> m_pFormatMenu;
    int m_nMenu = 0;
    YRecentFileList m_recent;

    // Panes, in their order of construction.
    YControlBar* m_pGcBar = nullptr;
    YControlBar* m_pEyeWnd = nullptr;
    YControlBar* m_pTaskBar = nullptr;
    YDPCtrlBar* m_pDPCtrlBar = nullptr;
    YControlBar* m_pNearBar = nullptr;
    YEyeWnd* m_pEye = nullptr;
    bool m_bOverviewPlaced = false;

    QList<QWidget*> m_statusPanes;
    QWidget* m_pReadout = nullptr; // holds the panes 1–5
    bool m_bReadoutStretched = true;
    bool m_bCommandUIQueued = false;
    QPointer<CDalvexDoc> m_pActiveDoc;
};
