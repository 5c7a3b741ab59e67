#pragma once

#include "core/document/YDocManager.h"

#include <QString>
#include <memory>

class CDalvexDoc;
class YDatabase;
class YUserIO;

// An existing project opened for one command, as the desktop program opens it: chain breaks
// and station label loaded, the first project segment current.
class YCliInputProject {
  public:
    explicit YCliInputProject(YUserIO& io, YOpenAccess access = YOpenAccess::Write);
    ~YCliInputProject();

    // Opens the file (the document shows why it cannot).
    [[nodiscard]] bool Open(const QString& path);
    // Creates a new project file (replacing one at the path) and opens it.
    [[nodiscard]] bool Create(const QString& path);
    // Closes and opens the file again, so identity and segments written by an import apply.
    [[nodiscard]] bool Reopen();

    CDalvexDoc& Doc() { return *m_doc; }
    YDatabase& Db();

    // False, after saying so, when the current segment has results: the input is then
    // read-only, as in the data-entry dialogs.
    [[nodiscard]] bool RequireEditable();

    // Totals of [土石计算] for the current segment, for the summaries of preprocess and demo.
    QString ResultSummary();
    QString ResultJson();

  private:
    YUserIO& m_io;
    YOpenAccess m_access;
    std::unique_ptr<CDalvexDoc> m_doc;
    QString m_strPath;
};
