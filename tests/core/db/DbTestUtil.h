#pragma once

#include "core/db/YDatabase.h"
#include "core/db/YRecordset.h"
#include "support/TestSupport.h"

#include <memory>
#include <vector>

namespace dalvex::test {

// A project file of a layout version in a scratch folder, open in db. For layouts before 6
// the detour column is added as the load sequence does, so [构造物] opens.
void CreateProject(YDatabase& db, const ScratchDir& dir, int version,
                   const QString& name = QStringLiteral("p.dvx"));

// One record set of every class, over db (not opened).
std::vector<std::unique_ptr<YRecordset>> MakeAllSets(YDatabase& db);

// Runs a query and returns the first column of every row as text.
QStringList Column(YDatabase& db, const QString& sql);

} // namespace dalvex::test
