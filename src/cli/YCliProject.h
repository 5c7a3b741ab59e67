#pragma once

#include "core/document/YDocManager.h"

#include <QStringList>
#include <optional>

class CDalvexDoc;
class YUserIO;

// A project opened for a process verb: the file, the projects it exchanges material with
// (opened after it, so cross-project steps can be followed), and the model of each loaded, as
// starting the allocation in the desktop program does.
class YCliProject {
  public:
    explicit YCliProject(YUserIO& io, YOpenAccess access = YOpenAccess::Write)
        : m_manager(io, access) {}

    // Null when the project cannot be opened (the reason was shown).
    CDalvexDoc* Open(const QString& path);

    // Removes "--name N" from args. Empty when absent; bad is set when N is not a number.
    static std::optional<int> TakeInt(QStringList& args, const QString& name, bool& bad);

  private:
    YDocManager m_manager;
};
