#pragma once

#include <QObject>

class CDalvexApp;
class CDalvexDoc;
class CMainFrame;

// The commands that work on the active project: the data-entry dialogs, preprocessing, the
// choice and definition of project segments, the import of earthwork files (33000–33009) and
// the class filter of the diagram.
class YDocCommands : public QObject {
    Q_OBJECT
  public:
    explicit YDocCommands(CDalvexApp& app);

    // Registers every command this class handles with the frame.
    void Register(CMainFrame& frame);

    // The command handlers, on the active document (nothing without one).
    void EditTable(int nCommandId);
    void Preprocess();
    void SelectSegment();
    // "开始调配": builds the model of the current segment from its results.
    void StartAllocation();
    void ReadEarthworkFile(int nCommandId);
    // "读入Ravel道路项目": asks for a road-design project file and fills the project from it.
    void ReadRavelProject();
    // "读入LandXML文件": asks for the file, then for its alignment and lines, and imports them.
    void ReadLandXml();

  private:
    CDalvexDoc* Active() const;
    // The diagram's class-filter commands (which material may be selected and shown).
    void RegisterClassFilter(CMainFrame& frame);

    CDalvexApp& m_app;
};
