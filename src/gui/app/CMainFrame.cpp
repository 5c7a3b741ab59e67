#include "gui/app/CMainFrame.h"

#include "core/document/CDalvexDoc.h"
#include "core/platform/YConf.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/app/YFormatMenu.h"
#include "gui/app/YMDIClientWnd.h"
#include "gui/app/YToolIcons.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/YEyeWnd.h"
#include "gui/diagram/YTool.h"
#include "gui/panes/YDPCtrlBar.h"
#include "gui/panes/YNearProjectBar.h"
#include "gui/widgets/YControlBar.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

// Pseudo ids in the menu layouts.
constexpr int MenuSep = 0;
constexpr int MenuFormats = -1;
constexpr int MenuRecent = -2;
constexpr int MenuWindows = -3;

struct CommandDef {
    int id;
    const char* text;   // menu text
    const char* prompt; // status-bar prompt, empty for none
    const char* keys;   // accelerator, empty for none
    bool checkable;
};

// Every command of the menus and the tool bar. Texts with "\t" carry their accelerator in the
// text, the way the menu resources always showed them.
const CommandDef Commands[] = {
    {YCmd::ProductMarker, "", "", "", false},
    {YCmd::FileNew, "新建", "建立新的调配项目文件", "Ctrl+N", false},
    {YCmd::FileOpen, "打开", "打开已有的调配项目文件", "Ctrl+O", false},
    {YCmd::FileClose, "关闭(&C)", "关闭当前项目", "", false},
    {YCmd::FileSaveAs, "另存为(&A)...", "将项目文件另存一份", "", false},
    {YCmd::ReadTfFirst, "读入土方数据", "", "", false},
    {YCmd::ReadRavelProject, "读入Ravel道路项目\tCtrl+R", "从Ravel道路项目中提相关数据", "Ctrl+R",
     false},
    {YCmd::ReadLandXml, "读入LandXML文件...", "从LandXML文件中读入一条线路的断面、断链和纵断面", "",
     false},
    {YCmd::FilePrintSetup, "打印设置(&R)...", "改变打印机及打印选项", "", false},
    {YCmd::AppExit, "退出(&X)", "退出程序", "", false},
    {YCmd::EditUndo, "撤消\tCtrl+U", "撤消上一步调配", "Ctrl+U", false},
    {YCmd::EditRedo, "重新执行\tCtrl+I", "重新执行撤消的调配", "Ctrl+I", false},
    {YCmd::ViewToolBar, "工具栏(&T)", "显示或隐藏工具栏", "", true},
    {YCmd::ViewStatusBar, "状态栏(&S)", "显示或隐藏状态栏", "", true},
    {YCmd::PaneSettings, "调配设置", "显示或隐藏调配设置", "", true},
    {YCmd::PaneNeighbours, "相邻项目", "显示或隐藏相邻项目", "", true},
    {YCmd::PaneTasks, "调配任务", "显示或隐藏调配任务", "", true},
    {YCmd::PaneProcess, "调配过程", "显示或隐藏调配过程", "", true},
    {YCmd::PaneOverview, "鹰眼", "显示或隐藏鹰眼", "", true},
    {YCmd::EditZzmj, "逐桩面积", "录入编辑横断面逐桩断面面积", "", false},
    {YCmd::EditLc, "路槽数据", "录入编辑路槽数据", "", false},
    {YCmd::EditTsxs, "土石系数", "录入编辑各类土方石方松方系数", "", false},
    {YCmd::EditTshl, "土石含量", "录入编辑各段各类土方石方含量（百分比）", "", false},
    {YCmd::EditGzw, "构造物", "录入编辑构造物数据(如：桥梁）", "", false},
    {YCmd::EditQutk, "取土坑", "录入编辑取土坑数据", "", false},
    {YCmd::EditQitk, "弃土坑", "录入编辑弃土坑数据", "", false},
    {YCmd::EditSqx, "纵坡数据录入", "录入编辑竖曲线数据", "", false},
    {YCmd::EditPrjFD, "项目分段设置", "项目分段设置", "", false},
    {YCmd::SelectDPFD, "选择调配段落", "选择调配段落", "", false},
    {YCmd::Preprocess, "数据预处理", "根据逐桩断面面积计算各段土石方数量", "", false},
    {YCmd::StartDP, "开始调配", "开始土石方调配", "", false},
    {YCmd::ToolDP, "调配", "利用鼠标点取挖土处，然后到填土处进行土方调配", "Ctrl+D", true},
    {YCmd::AutoDP, "自动调配...", "按默认顺序自动调配当前段落，然后可以手工调整", "", false},
    {YCmd::OptimizeDP, "最优调配...", "按运费最省求当前段落的调配方案，然后可以手工调整", "",
     false},
    {YCmd::ToolSelect, "矩形选择", "用矩形选择调配段落", "Ctrl+B", true},
    {YCmd::SelectCutSoil, "选择挖土方", "", "", true},
    {YCmd::SelectCutRock, "选择挖石方", "", "", true},
    {YCmd::SelectFill, "选择填方", "", "", true},
    {YCmd::SelectClass1, "选择挖方Ⅰ类(松土)", "", "", true},
    {YCmd::SelectClass2, "选择挖方Ⅱ类(普通土)", "", "", true},
    {YCmd::SelectClass3, "选择挖方Ⅲ类(硬土)", "", "", true},
    {YCmd::SelectClass4, "选择挖方Ⅳ类(软石)", "", "", true},
    {YCmd::SelectClass5, "选择挖方Ⅴ类(次坚石)", "", "", true},
    {YCmd::SelectClass6, "选择挖方Ⅵ类(坚石)", "", "", true},
    {YCmd::RepairDP, "修复调配过程", "修复所有调配过程", "", false},
    {YCmd::ClearDP, "清除所有调配及处理", "清除所有调配过程及预处理结果", "", false},
    {YCmd::FinishDP, "结束调配", "结束调配，检查调配是否完成并统计调配过程", "", false},
    {YCmd::ToolZoomIn, "放大", "", "Ctrl+A", true},
    {YCmd::ToolZoomOut, "缩小", "", "Ctrl+S", true},
    {YCmd::ToolZoom, "缩放", "", "Ctrl+Z", true},
    {YCmd::ToolZoomHV, "纵横缩放", "", "Alt+Z", true},
    {YCmd::ToolPan, "平移", "", "Ctrl+P", true},
    {YCmd::ZoomAll, "全图", "在窗口中显示整个调配段落", "Ctrl+F", false},
    {YCmd::ShowSoil, "显示土方", "", "", true},
    {YCmd::ShowRock, "显示石方", "", "", true},
    {YCmd::SwapShow, "交换显示位置", "", "", false},
    {YCmd::SmallMarks, "显示小填挖标记", "", "", true},
    {YCmd::FixedPits, "取、弃土坑固定显示", "", "", true},
    {YCmd::ShowProfile, "显示路线纵坡", "", "", true},
    {YCmd::ShowMassHaul, "显示土积曲线", "在调配图下显示土积曲线、平衡点和已调配的运输", "", true},
    {YCmd::TableCalc, "土石方数量计算表", "将土石方数量计算表输出到Excel中", "", false},
    {YCmd::TablePerKm, "每公里土石方数量表", "", "", false},
    {YCmd::TableHaul, "土石方运量统计表", "将土石方运量统计表输出到Excel中", "", false},
    {YCmd::TablePerKmHaul, "每公里土石方运距表", "", "", false},
    {YCmd::TablePits, "取土弃土场表", "", "", false},
    {YCmd::TableTemplates, "表格模板设置", "", "", false},
    {YCmd::WindowNew, "新建窗口(&N)", "为当前项目再开一个窗口", "", false},
    {YCmd::WindowCascade, "层叠(&C)", "", "", false},
    {YCmd::WindowTile, "平铺(&T)", "", "", false},
    {YCmd::WindowArrange, "排列图标(&A)", "", "", false},
    {YCmd::Help, "帮助", "打开帮助文件", "", false},
    {YCmd::AppAbout, "关于 Dalvex(&A)...", "显示程序信息", "", false},
};

// The tool bar "标准" in its order; 0 is a separator.
constexpr int ToolBarIds[] = {YCmd::FileNew,
                              YCmd::FileOpen,
                              YCmd::FileSaveAs,
                              MenuSep,
                              YCmd::EditUndo,
                              YCmd::EditRedo,
                              MenuSep,
                              YCmd::ToolSelect,
                              YCmd::SelectCutSoil,
                              YCmd::SelectCutRock,
                              YCmd::SelectFill,
                              MenuSep,
                              YCmd::SelectClass1,
                              YCmd::SelectClass2,
                              YCmd::SelectClass3,
                              YCmd::SelectClass4,
                              YCmd::SelectClass5,
                              YCmd::SelectClass6,
                              MenuSep,
                              YCmd::ToolDP,
                              MenuSep,
                              YCmd::ToolZoomIn,
                              YCmd::ToolZoomOut,
                              YCmd::ToolZoom,
                              YCmd::ToolZoomHV,
                              YCmd::ToolPan,
                              MenuSep,
                              YCmd::AppAbout};

// Texts of the status-bar panes that set their widths.
const char* const StationSample = "K0012+345.678";
const char* const AreaSample = "填方面积:12345.567";

QString Plain(QString text) {
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    text.remove(QLatin1Char('&'));
    return text.remove(QStringLiteral("..."));
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_mdi(new YMDIClientWnd(this)) {
    setWindowTitle(YConf::Instance().Text(1000));
    setWindowIcon(YToolIcons::Icon(YCmd::ToolDP));
    setCentralWidget(m_mdi);
    setAcceptDrops(true);
    setDockOptions(AnimatedDocks | AllowTabbedDocks | AllowNestedDocks);
    CreateActions();
    CreateStatusBar();
    CreateToolBar();
    CreatePanes();
    RegisterFrameCommands();
    UpdateMenus(false);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    qApp->installEventFilter(this);
    // The tool is the program's: it follows this frame's active view.
    YToolState::SetActiveViewFinder([this] { return ActiveView(); });
    YToolState::SetChangeListener([this] { ScheduleCommandUI(); });
    resize(1024, 720);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    YToolState::SetActiveViewFinder({});
    YToolState::SetChangeListener({});
    // Project windows go before the frame's members they refer to.
    m_mdi->closeAllSubWindows();
}

// ---------------------------------------------------------------- commands

void CMainFrame::CreateActions() {
    for (const CommandDef& def : Commands) {
        auto* action = new QAction(QString::fromUtf8(def.text), this);
        const int id = def.id;
        action->setData(id);
        action->setStatusTip(QString::fromUtf8(def.prompt));
        action->setCheckable(def.checkable);
        if (def.keys[0] != '\0') {
            action->setShortcut(QKeySequence(QString::fromLatin1(def.keys)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        const QIcon icon = YToolIcons::Icon(id);
        if (!icon.isNull()) {
            action->setIcon(icon);
            action->setIconVisibleInMenu(false);
        }
        action->setToolTip(Plain(action->text()));
        connect(action, &QAction::triggered, this, [this, id, action] {
            const auto it = m_commands.find(id);
            if (it != m_commands.end() && it->second.IsEnabled()) {
                it->second.run();
            }
            if (action->isCheckable()) {
                action->setChecked(it != m_commands.end() && it->second.IsChecked());
            }
            UpdateCommandUI();
        });
        addAction(action); // accelerators work whichever menu is up
        m_actions.emplace(id, action);
    }
    m_actions.at(YCmd::ProductMarker)
        ->setText(QStringLiteral("[R]") + YConf::Instance().Text(1000));
    for (int i = 0; i < YRecentFileList::MaxFiles; ++i) {
        auto* action = new QAction(this);
        const int id = YCmd::FileMruFirst + i;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] {
            const auto it = m_commands.find(id);
            if (it != m_commands.end() && it->second.IsEnabled()) {
                it->second.run();
            }
            UpdateCommandUI();
        });
        m_actions.emplace(id, action);
    }
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::SetCommand(int id, YCommandUI ui) {
    m_commands[id] = std::move(ui);
    ScheduleCommandUI();
}

void CMainFrame::UpdateCommandUI() {
    m_bCommandUIQueued = false;
    UpdateRecentActions();
    for (const auto& [id, action] : m_actions) {
        const auto it = m_commands.find(id);
        const bool bHandled = it != m_commands.end();
        action->setEnabled(bHandled && it->second.IsEnabled());
        if (action->isCheckable()) {
            action->setChecked(bHandled && it->second.IsChecked());
        }
    }
}

void CMainFrame::ScheduleCommandUI() {
    if (!m_bCommandUIQueued) {
        m_bCommandUIQueued = true;
        QTimer::singleShot(0, this, &CMainFrame::UpdateCommandUI);
    }
}

void CMainFrame::UpdateRecentActions() {
    const QStringList& files = m_recent.Files();
    for (int i = 0; i < YRecentFileList::MaxFiles; ++i) {
        QAction* action = m_actions.at(YCmd::FileMruFirst + i);
        action->setVisible(i < files.size());
        action->setText(i < files.size() ? m_recent.MenuText(i) : QString());
        action->setStatusTip(files.value(i));
    }
}

void CMainFrame::RegisterFrameCommands() {
    for (int id : {YCmd::PaneSettings, YCmd::PaneNeighbours, YCmd::PaneTasks, YCmd::PaneProcess,
                   YCmd::PaneOverview}) {
        YControlBar* bar = PaneOfCommand(id);
        SetCommand(id, {[bar] { bar->Toggle(); }, [bar] { return bar->IsToggleEnabled(); },
                        [bar] { return bar->IsShown(); }});
    }
    SetCommand(YCmd::ViewToolBar, {[this] { m_pToolBar->setVisible(!m_pToolBar->isVisible()); },
                                   {},
                                   [this] { return m_pToolBar->isVisible(); }});
    SetCommand(YCmd::ViewStatusBar, {[this] { statusBar()->setVisible(!statusBar()->isVisible()); },
                                     {},
                                     [this] { return statusBar()->isVisible(); }});
    const auto hasChild = [this] { return ActiveChild() != nullptr; };
    SetCommand(YCmd::WindowNew, {[this] { NewWindow(); }, hasChild, {}});
    SetCommand(YCmd::WindowCascade, {[this] { m_mdi->Cascade(); }, hasChild, {}});
    SetCommand(YCmd::WindowTile, {[this] { m_mdi->Tile(); }, hasChild, {}});
    SetCommand(YCmd::WindowArrange, {[this] { m_mdi->Tile(); }, hasChild, {}});
}

// ---------------------------------------------------------------- menus

QMenu* CMainFrame::AddMenu(QMenuBar* bar, const QString& title, std::initializer_list<int> ids) {
    QMenu* menu = bar->addMenu(title);
    for (int id : ids) {
        if (id == MenuSep) {
            menu->addSeparator();
        } else if (id == MenuFormats) {
            QMenu* formats = menu->addMenu(QStringLiteral("其它 CAD 数据接口"));
            formats->addAction(m_actions.at(YCmd::ReadTfFirst));
            connect(formats, &QMenu::aboutToShow, this, &CMainFrame::RebuildFormatMenu);
            m_pFormatMenu = formats;
        } else if (id == MenuRecent) {
            for (int i = 0; i < YRecentFileList::MaxFiles; ++i) {
                menu->addAction(m_actions.at(YCmd::FileMruFirst + i));
            }
        } else if (id == MenuWindows) {
            QMenu* windows = menu;
            connect(menu, &QMenu::aboutToShow, this, [this, windows] {
                for (QAction* a : windows->actions()) {
                    if (a->property("windowEntry").toBool()) {
                        windows->removeAction(a);
                        a->deleteLater();
                    }
                }
                const QList<CChildFrame*> frames = Frames();
                for (int i = 0; i < frames.size(); ++i) {
                    CChildFrame* frame = frames.at(i);
                    QAction* a = windows->addAction(
                        QStringLiteral("&%1 %2").arg(i + 1).arg(frame->FrameTitle()), frame,
                        &CChildFrame::ActivateFrame);
                    a->setProperty("windowEntry", true);
                    a->setCheckable(true);
                    a->setChecked(frame == ActiveChild());
                }
            });
        } else {
            menu->addAction(m_actions.at(id));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    return menu;
}

void CMainFrame::UpdateMenus(bool bProject) {
    const int nWanted = bProject ? ProjectMenu : NoProjectMenu;
    if (nWanted == m_nMenu) {
        return;
    }
    m_nMenu = nWanted;
    m_pFormatMenu = nullptr;
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menu%1").arg(nWanted));
    if (nWanted == NoProjectMenu) {
        AddMenu(bar, QStringLiteral("文件(&F)"),
                {YCmd::FileNew, YCmd::FileOpen, MenuSep, MenuRecent, MenuSep, YCmd::AppExit});
        AddMenu(bar, QStringLiteral("查看(&V)"),
                {YCmd::ViewToolBar, YCmd::ViewStatusBar, MenuSep, YCmd::PaneOverview,
                 YCmd::PaneProcess});
        AddMenu(bar, QStringLiteral("帮助(&H)"), {YCmd::Help, MenuSep, YCmd::AppAbout});
    } else {
        AddMenu(bar, QStringLiteral("文件(&F)"),
                {YCmd::ProductMarker, YCmd::FileNew, YCmd::FileOpen, YCmd::FileClose,
                 YCmd::FileSaveAs, MenuSep, MenuFormats, YCmd::ReadRavelProject, YCmd::ReadLandXml,
                 MenuSep, YCmd::FilePrintSetup, MenuSep, MenuRecent, MenuSep, YCmd::AppExit});
        AddMenu(bar, QStringLiteral("编辑(&E)"), {YCmd::EditUndo, YCmd::EditRedo});
        AddMenu(bar, QStringLiteral("查看(&V)"),
                {YCmd::ViewToolBar, YCmd::ViewStatusBar, MenuSep, YCmd::PaneSettings,
                 YCmd::PaneNeighbours, YCmd::PaneTasks, YCmd::PaneProcess, YCmd::PaneOverview});
        AddMenu(bar, QStringLiteral("数据(&D)"),
                {YCmd::EditZzmj, YCmd::EditLc, YCmd::EditTsxs, YCmd::EditTshl, YCmd::EditGzw,
                 YCmd::EditQutk, YCmd::EditQitk, YCmd::EditSqx, MenuSep, YCmd::EditPrjFD,
                 YCmd::SelectDPFD, MenuSep, YCmd::Preprocess});
        AddMenu(bar, QStringLiteral("调配(&P)"),
                {YCmd::StartDP,
                 YCmd::ToolDP,
                 YCmd::AutoDP,
                 YCmd::OptimizeDP,
                 MenuSep,
                 YCmd::ToolSelect,
                 YCmd::SelectCutSoil,
                 YCmd::SelectCutRock,
                 YCmd::SelectFill,
                 MenuSep,
                 YCmd::SelectClass1,
                 YCmd::SelectClass2,
                 YCmd::SelectClass3,
                 YCmd::SelectClass4,
                 YCmd::SelectClass5,
                 YCmd::SelectClass6,
                 MenuSep,
                 YCmd::RepairDP,
                 YCmd::ClearDP,
                 YCmd::FinishDP});
        AddMenu(bar, QStringLiteral("显示(&S)"),
                {YCmd::ToolZoomIn, YCmd::ToolZoomOut, YCmd::ToolZoom, YCmd::ToolZoomHV,
                 YCmd::ToolPan, YCmd::ZoomAll, MenuSep, YCmd::ShowSoil, YCmd::ShowRock,
                 YCmd::SwapShow, MenuSep, YCmd::SmallMarks, YCmd::FixedPits, YCmd::ShowProfile,
                 YCmd::ShowMassHaul});
        AddMenu(bar, QStringLiteral("输出(&O)"),
                {YCmd::TableCalc, YCmd::TablePerKm, YCmd::TableHaul, YCmd::TablePerKmHaul,
                 YCmd::TablePits, MenuSep, YCmd::TableTemplates});
        AddMenu(bar, QStringLiteral("窗口(&W)"),
                {YCmd::WindowNew, YCmd::WindowCascade, YCmd::WindowTile, YCmd::WindowArrange,
                 MenuSep, MenuWindows});
        AddMenu(bar, QStringLiteral("帮助(&H)"), {YCmd::Help, MenuSep, YCmd::AppAbout});
    }
    setMenuBar(bar); // deletes the previous menu bar, never the frame's actions
}

void CMainFrame::RebuildFormatMenu() {
    if (m_pFormatMenu == nullptr) {
        return;
    }
    m_pFormatMenu->removeAction(m_actions.at(YCmd::ReadTfFirst));
    YFormatMenu::Rebuild(*m_pFormatMenu, [this](int id) {
        const auto it = m_commands.find(id);
        if (it != m_commands.end() && it->second.IsEnabled()) {
            it->second.run();
        }
        UpdateCommandUI();
    });
    for (QAction* action : m_pFormatMenu->actions()) {
        const auto it = m_commands.find(action->data().toInt());
        action->setEnabled(it != m_commands.end() && it->second.IsEnabled());
    }
}

// ---------------------------------------------------------------- status bar and tool bar

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // Pane 0 shows the idle text; command prompts cover it while a menu item is highlighted.
    auto* message = new QLabel(QStringLiteral("就绪"), bar);
    message->setObjectName(QStringLiteral("messagePane"));
    message->setMinimumWidth(80);
    bar->addWidget(message, 1);
    m_statusPanes.append(message);
    m_pReadout = new QWidget(bar);
    auto* layout = new QHBoxLayout(m_pReadout);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const QFontMetrics metrics(font());
    const struct {
        const char* sample;
        const char* name;
    } panes[] = {{StationSample, "stationPane"},
                 {AreaSample, "areaPane"},
                 {"CAP", "capPane"},
                 {"NUM", "numPane"},
                 {"SCRL", "scrollPane"}};
    for (const auto& pane : panes) {
        auto* label = new QLabel(m_pReadout);
        label->setObjectName(QString::fromLatin1(pane.name));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(metrics.horizontalAdvance(QString::fromUtf8(pane.sample)) + 8);
        layout->addWidget(label);
        m_statusPanes.append(label);
    }
    // Lock-key indicators: the texts show, greyed, as the platform does not report the states.
    for (int i = 3; i <= 5; ++i) {
        auto* label = static_cast<QLabel*>(m_statusPanes.at(i));
        label->setText(QString::fromLatin1(panes[i - 1].sample));
        label->setEnabled(false);
        label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }
    bar->addPermanentWidget(m_pReadout, 1);
    ResetCursorReadout();
}

QWidget* CMainFrame::StatusPane(int index) const {
    return m_statusPanes.value(index);
}

void CMainFrame::ShowCursorReadout(const QString& station, const QString& area) {
    auto* stationPane = static_cast<QLabel*>(m_statusPanes.at(1));
    auto* areaPane = static_cast<QLabel*>(m_statusPanes.at(2));
    stationPane->setText(station);
    areaPane->setText(area);
    for (QLabel* pane : {stationPane, areaPane}) {
        pane->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        pane->repaint();
    }
    statusBar()->removeWidget(m_pReadout);
    statusBar()->addPermanentWidget(m_pReadout, 0);
    m_pReadout->show();
    m_bReadoutStretched = false;
}

void CMainFrame::ResetCursorReadout() {
    if (m_bReadoutStretched && m_pReadout->isVisibleTo(statusBar())) {
        return;
    }
    for (int i : {1, 2}) {
        m_statusPanes.at(i)->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }
    statusBar()->removeWidget(m_pReadout);
    statusBar()->addPermanentWidget(m_pReadout, 1);
    m_pReadout->show();
    m_bReadoutStretched = true;
}

void CMainFrame::CursorReadout(const QString& station, const QString& area) {
    if (station.isNull()) {
        ResetCursorReadout();
    } else {
        ShowCursorReadout(station, area);
    }
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = new QToolBar(QStringLiteral("标准"), this);
    m_pToolBar->setObjectName(QStringLiteral("toolBar128"));
    m_pToolBar->setIconSize(QSize(YToolIcons::Width, YToolIcons::Height));
    m_pToolBar->setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea);
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    for (int id : ToolBarIds) {
        if (id == MenuSep) {
            m_pToolBar->addSeparator();
        } else {
            m_pToolBar->addAction(m_actions.at(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

// ---------------------------------------------------------------- panes

void CMainFrame::CreatePanes() {
    m_pGcBar = new YControlBar(QStringLiteral("调配过程"), ProcessPane, QSize(580, 120), this);
    m_pEyeWnd = new YControlBar(QStringLiteral("鹰眼"), OverviewPane, QSize(150, 120), this);
    m_pTaskBar = new YControlBar(QStringLiteral("调配任务"), TaskPane, QSize(580, 120), this);
    m_pDPCtrlBar = new YDPCtrlBar(this);
    m_pNearBar = new YNearProjectBar(*this, NeighboursPane);
    for (YControlBar* bar : {m_pGcBar, m_pTaskBar}) {
        bar->setWidget(new QWidget(bar)); // the pane's content comes with its own window
    }
    m_pEye = new YEyeWnd(m_pEyeWnd);
    m_pEyeWnd->setWidget(m_pEye);
    m_pEye->SetActiveViewFinder([this] { return ActiveView(); });
    connect(m_pEye, &YEyeWnd::ShowRequest, m_pEyeWnd, &YControlBar::ShowBar);
    connect(this, &CMainFrame::ActiveDocumentChanged, m_pEye, &YEyeWnd::SetDocument);
    m_pEyeWnd->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    m_pGcBar->setAllowedAreas(Qt::BottomDockWidgetArea);
    m_pTaskBar->setAllowedAreas(Qt::BottomDockWidgetArea);
    m_pDPCtrlBar->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    m_pNearBar->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);

    // Bottom and right sides are tabbed: panes docked together there share the space.
    addDockWidget(Qt::BottomDockWidgetArea, m_pGcBar);
    addDockWidget(Qt::BottomDockWidgetArea, m_pTaskBar);
    tabifyDockWidget(m_pGcBar, m_pTaskBar);
    addDockWidget(Qt::RightDockWidgetArea, m_pDPCtrlBar);
    addDockWidget(Qt::RightDockWidgetArea, m_pNearBar);
    tabifyDockWidget(m_pDPCtrlBar, m_pNearBar);
    addDockWidget(Qt::RightDockWidgetArea, m_pEyeWnd);
    m_pEyeWnd->setFloating(true);
    for (YControlBar* bar :
         {m_pGcBar, m_pEyeWnd, m_pTaskBar, static_cast<YControlBar*>(m_pDPCtrlBar), m_pNearBar}) {
        bar->hide();
        connect(bar, &YControlBar::FlagsChanged, this, &CMainFrame::ScheduleCommandUI);
    }
}

void CMainFrame::PlaceOverview() {
    // Floated beside the frame's top right corner, once: afterwards it stays where the user
    // moved it.
    if (m_bOverviewPlaced) {
        return;
    }
    const QRect frame = frameGeometry();
    m_pEyeWnd->resize(m_pEyeWnd->DefaultSize());
    m_pEyeWnd->move(frame.right() - 173, frame.top() + 97);
    // Placed for good once the user has seen it there.
    m_bOverviewPlaced = m_pEyeWnd->isVisible();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, &CMainFrame::PlaceOverview);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    emit FrameClosing();
    QMainWindow::closeEvent(event);
}

YControlBar* CMainFrame::Pane(int nControlId) const {
    switch (nControlId) {
    case OverviewPane:
        return m_pEyeWnd;
    case ProcessPane:
        return m_pGcBar;
    case TaskPane:
        return m_pTaskBar;
    case SettingsPane:
        return m_pDPCtrlBar;
    case NeighboursPane:
        return m_pNearBar;
    default:
        return nullptr;
    }
}

YControlBar* CMainFrame::PaneOfCommand(int nCommandId) const {
    switch (nCommandId) {
    case YCmd::PaneOverview:
        return m_pEyeWnd;
    case YCmd::PaneProcess:
        return m_pGcBar;
    case YCmd::PaneTasks:
        return m_pTaskBar;
    case YCmd::PaneSettings:
        return m_pDPCtrlBar;
    case YCmd::PaneNeighbours:
        return m_pNearBar;
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------- project windows

CChildFrame* CMainFrame::CreateChildFrame(CDalvexDoc& doc) {
    // The project menu goes up first: a maximised child puts its window buttons into the menu
    // bar it finds when it is added, and must not lose them to a menu change.
    UpdateMenus(true);
    CChildFrame* besides = ActiveChild();
    auto* frame = new CChildFrame(doc);
    connect(frame->DalvexView(), &CDalvexView::CursorReadout, this, &CMainFrame::CursorReadout);
    connect(frame->DalvexView(), &CDalvexView::StatusText, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    m_mdi->addSubWindow(frame);
    connect(frame, &CChildFrame::TitleChanged, this, &CMainFrame::OnUpdateFrameTitle);
    connect(frame, &QObject::destroyed, this, [this] {
        // The MDI area lets go of the window after this signal: look again a moment later.
        QTimer::singleShot(0, this, [this] {
            UpdateMenus(!Frames().isEmpty());
            OnUpdateFrameTitle();
            UpdateCommandUI();
        });
    });
    RenumberFrames(doc);
    m_mdi->PlaceNew(frame, besides);
    frame->ActivateFrame();
    OnUpdateFrameTitle();
    return frame;
}

CChildFrame* CMainFrame::NewWindow() {
    CChildFrame* active = ActiveChild();
    if (active == nullptr || active->GetDocument() == nullptr) {
        return nullptr;
    }
    return CreateChildFrame(*active->GetDocument());
}

QList<CChildFrame*> CMainFrame::Frames() const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame != nullptr && !frame->property("closing").toBool()) {
            frames.append(frame);
        }
    }
    return frames;
}

CChildFrame* CMainFrame::FirstFrameOf(const CDalvexDoc& doc) const {
    for (CChildFrame* frame : Frames()) {
        if (frame->GetDocument() == &doc) {
            return frame;
        }
    }
    return nullptr;
}

void CMainFrame::RenumberFrames(const CDalvexDoc& doc) {
    QList<CChildFrame*> mine;
    for (CChildFrame* frame : Frames()) {
        if (frame->GetDocument() == &doc) {
            mine.append(frame);
        }
    }
    for (int i = 0; i < mine.size(); ++i) {
        mine.at(i)->SetWindowNumber(mine.size() > 1 ? i + 1 : 0);
    }
}

void CMainFrame::CloseFramesOf(CDalvexDoc& doc) {
    for (CChildFrame* frame : Frames()) {
        if (frame->GetDocument() == &doc) {
            frame->setProperty("closing", true);
            frame->close();
        }
    }
}

void CMainFrame::OnFrameClosing(CChildFrame* frame) {
    if (frame->property("closing").toBool()) {
        return; // closed because its project closes
    }
    frame->setProperty("closing", true);
    CDalvexDoc* doc = frame->GetDocument();
    if (doc == nullptr) {
        return;
    }
    if (FirstFrameOf(*doc) == nullptr) {
        emit LastFrameClosed(doc);
    } else {
        RenumberFrames(*doc);
    }
}

CChildFrame* CMainFrame::ActiveChild() const {
    auto* frame = qobject_cast<CChildFrame*>(m_mdi->activeSubWindow());
    return frame != nullptr && !frame->property("closing").toBool() ? frame : nullptr;
}

CDalvexDoc* CMainFrame::ActiveDocument() const {
    CChildFrame* frame = ActiveChild();
    return frame != nullptr ? frame->GetDocument() : nullptr;
}

CDalvexView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveChild();
    return frame != nullptr ? frame->DalvexView() : nullptr;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    auto* frame = qobject_cast<CChildFrame*>(window);
    if (frame != nullptr && m_mdi->ChildrenMaximised() && !frame->isMaximized()) {
        frame->showMaximized(); // until the user arranges the windows himself
    }
    CDalvexDoc* doc = frame != nullptr ? frame->GetDocument() : nullptr;
    if (doc != nullptr) {
        doc->NotifyActivate(frame->DalvexView());
    }
    if (doc != m_pActiveDoc) {
        m_pActiveDoc = doc;
        emit ActiveDocumentChanged(doc);
    }
    OnUpdateFrameTitle();
    ScheduleCommandUI();
}

// ---------------------------------------------------------------- titles

QString CMainFrame::FrameTitle() const {
    const QString product = YConf::Instance().Text(1000);
    CChildFrame* child = ActiveChild();
    if (child == nullptr) {
        return product;
    }
    CDalvexDoc* doc = child->GetDocument();
    if (!child->isMaximized() && doc != nullptr) {
        QString title = product + QStringLiteral(" - ") + doc->GetTitle();
        if (child->WindowNumber() > 0) {
            title += QStringLiteral(":%1").arg(child->WindowNumber());
        }
        return title + QStringLiteral("-当前分段:%1").arg(doc->GetCurrentSegment());
    }
    return product + QStringLiteral(" - ") + child->FrameTitle();
}

void CMainFrame::OnUpdateFrameTitle() {
    const QString title = FrameTitle();
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A maximised MDI child writes "[child title]" into the frame's title; ours is built from
    // the active project instead.
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != FrameTitle()) {
        QTimer::singleShot(0, this, &CMainFrame::OnUpdateFrameTitle);
    }
}

// ---------------------------------------------------------------- events

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
        // Any cursor over the frame first resets the diagram's readout; the diagram sets it
        // again while the cursor is over it.
        if (auto* widget = qobject_cast<QWidget*>(watched);
            widget != nullptr && widget->window() == this) {
            ResetCursorReadout();
        }
        break;
    case QEvent::Show:
        if (watched == m_pEyeWnd && !m_bOverviewPlaced) {
            QTimer::singleShot(0, this, &CMainFrame::PlaceOverview);
        }
        break;
    case QEvent::Close:
        if (auto* frame = qobject_cast<CChildFrame*>(watched)) {
            OnFrameClosing(frame);
        }
        break;
    case QEvent::WindowStateChange:
        if (qobject_cast<CChildFrame*>(watched) != nullptr) {
            OnUpdateFrameTitle();
        }
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        ScheduleCommandUI(); // the idle update after user input
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

QStringList CMainFrame::DroppedProjects(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(QStringLiteral(".dvx"), Qt::CaseInsensitive)) {
            paths.append(path);
        }
    }
    return paths;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedProjects(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedProjects(event->mimeData());
    if (!paths.isEmpty()) {
        event->acceptProposedAction();
        emit FilesDropped(paths);
    }
}
