#pragma once

// Command ids of the menus, the accelerators and the tool bar. The numbers are the ones the
// program has always used (and that user documentation and macros refer to); the main frame
// keeps one action per id, found with CMainFrame::Action(id).
namespace YCmd {
// Framework commands.
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSaveAs = 57604;
constexpr int FilePrintSetup = 57606;
constexpr int FileMruFirst = 57616; // four recent files: 57616..57619
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
constexpr int WindowNew = 57648;
constexpr int WindowArrange = 57649;
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
constexpr int AppAbout = 57664;
constexpr int AppExit = 57665;
constexpr int Help = 57670;
constexpr int ViewToolBar = 59392;
constexpr int ViewStatusBar = 59393;

// Status-bar indicators.
constexpr int IndicatorStation = 59143;
constexpr int IndicatorArea = 59144;

// Earthwork file formats: 33000 + slot (0..9).
constexpr int ReadTfFirst = 33000;
constexpr int ReadTfLast = 33009;
constexpr int ReadRavelProject = 32805;
constexpr int ReadLandXml = 32806;

// Data entry.
constexpr int EditZzmj = 32778;
constexpr int EditLc = 32779;
constexpr int EditTsxs = 32780;
constexpr int EditTshl = 32781;
constexpr int EditGzw = 32782;
constexpr int EditQutk = 32783;
constexpr int EditQitk = 32784;
constexpr int EditSqx = 32845;
constexpr int EditPrjFD = 32858;
constexpr int SelectDPFD = 32859;
constexpr int Preprocess = 32770;

// Allocation and its processes.
constexpr int StartDP = 32772;
constexpr int ToolDP = 32792;
constexpr int FinishDP = 32804;
constexpr int RepairDP = 32850;
constexpr int ClearDP = 32851;
constexpr int AutoDP = 32894;     // 自动调配: the default allocation of the whole segment
constexpr int OptimizeDP = 32896; // 最优调配: the cheapest plan under the user's costs

// Diagram tools and class filter.
constexpr int ToolSelect = 32773;
constexpr int ToolZoomIn = 32775;
constexpr int ToolZoomOut = 32776;
constexpr int ToolZoomHV = 32777;
constexpr int ToolPan = 32785;
constexpr int ToolZoom = 32800;
constexpr int ShowSoil = 32786;
constexpr int ShowRock = 32787;
constexpr int SwapShow = 32788;
constexpr int SelectCutSoil = 32789;
constexpr int SelectCutRock = 32790;
constexpr int SelectFill = 32791;
constexpr int SelectClass1 = 32831;
constexpr int SelectClass2 = 32838;
constexpr int SelectClass3 = 32832;
constexpr int SelectClass4 = 32834;
constexpr int SelectClass5 = 32837;
constexpr int SelectClass6 = 32836;
constexpr int SmallMarks = 32811;
constexpr int FixedPits = 32812;
constexpr int ShowProfile = 32846;
constexpr int ShowMassHaul = 32895;
constexpr int ZoomAll = 32881; // 全图: the whole project segment in the window

// Tables.
constexpr int TableCalc = 32801;
constexpr int TablePerKm = 32802;
constexpr int TableHaul = 32803;
constexpr int TablePerKmHaul = 32852;
constexpr int TablePits = 32854;
constexpr int TableTemplates = 32867;

// Pane toggles.
constexpr int PaneSettings = 32869;
constexpr int PaneNeighbours = 32871;
constexpr int PaneTasks = 32873;
constexpr int PaneProcess = 32856;
constexpr int PaneOverview = 32853;

// The product marker the child frame puts at the top of the File menu.
constexpr int ProductMarker = 0xFFFF;
} // namespace YCmd
