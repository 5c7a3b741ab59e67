#pragma once

#include "core/import/YLandXmlImport.h"

#include <QString>
#include <functional>
#include <optional>

class CDalvexDoc;

// The imports that replace a project's input wholesale, on an open document, as both front
// ends call them: 读入Ravel道路项目 (YRavelImport) and the LandXML import (YLandXmlImport).
//
// Both delete the allocation logs their new input makes stale, so in the same transaction as
// their writes the pits get back what those logs took from them. Afterwards the document shows
// the new tables: its record sets are re-read, its name, identity and numbering reloaded, the
// first segment made current and a model of the deleted results dropped. When nothing was
// imported the project is exactly as before and the document stays on its segment.
class YDocImport {
  public:
    // False when nothing was imported (the project file could not be read, or a statement
    // failed); a component file that cannot be read is reported and skipped.
    [[nodiscard]] static bool RavelProject(CDalvexDoc& doc, const QString& projectPath);
    [[nodiscard]] static YLandXmlImport::Result LandXml(CDalvexDoc& doc, const QString& path,
                                                        const YLandXmlOptions& options);

  private:
    // Runs write (which shows its own messages) inside the transaction that gives the pits
    // back, then shows the tables.
    [[nodiscard]] static bool Write(CDalvexDoc& doc, const std::function<bool()>& write);
};
