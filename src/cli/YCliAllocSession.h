#pragma once

#include "core/document/YDocManager.h"

#include <QString>

class CDalvexDoc;
class YUserIO;

// The open projects of an allocation (调配) command: a project, every project it exchanges
// material with (opened after it through its neighbour links), each with its allocation model
// loaded as starting the allocation in the desktop program does. The documents live as long as
// the session.
class YCliAllocSession {
  public:
    explicit YCliAllocSession(YUserIO& io) : m_manager(io) {}

    // The project at path, opened (or found already open) with every model loaded; null after
    // the document's message when it cannot be opened.
    CDalvexDoc* Open(const QString& path);
    // False, after saying so, when the project has no computation segment to allocate (it was
    // never preprocessed).
    [[nodiscard]] static bool RequireSegments(CDalvexDoc& doc, YUserIO& io);

  private:
    YDocManager m_manager;
};
