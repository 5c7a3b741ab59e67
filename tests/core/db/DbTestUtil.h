#pragma once

#include "core/db/YDatabase.h"
#include "core/db/YRecordset.h"
#include "support/ProjectFixture.h"

#include <memory>
#include <vector>

namespace dalvex::test {

// One record set of every class, over db (not opened).
std::vector<std::unique_ptr<YRecordset>> MakeAllSets(YDatabase& db);

// Runs a query and returns the first column of every row as text.
QStringList Column(YDatabase& db, const QString& sql);

} // namespace dalvex::test
