#pragma once

#include <QObject>

class CDalvexApp;
class CDalvexDoc;
class CMainFrame;

// The 输出 menu: each table of the active project is written to a workbook the user names
// (by default beside the project, "<项目名称>-<table>.xlsx") and opened in the desktop's
// spreadsheet program; and the choice of the template workbooks.
class YReportCommands : public QObject {
    Q_OBJECT
  public:
    explicit YReportCommands(CDalvexApp& app) : m_app(app) {}

    void Register(CMainFrame& frame);

    void CalcTable();
    void HaulTable();
    void PitTable();
    void KmTable(bool bHaul);
    void Templates();

  private:
    CDalvexDoc* Active() const;
    // The file to write; empty when the user cancelled.
    QString AskPath(CDalvexDoc& doc, const QString& tableName) const;
    // Opens a written workbook.
    void Show(const QString& path) const;

    CDalvexApp& m_app;
};
