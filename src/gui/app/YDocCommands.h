#pragma once

#include <QObject>

class CDalvexApp;
class CDalvexDoc;
class CMainFrame;

// The commands that work on the active project: the data-entry dialogs, preprocessing, the
// choice and definition of project segments and the import of earthwork files (33000–33009).
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

  private:
    CDalvexDoc* Active() const;

    CDalvexApp& m_app;
};
