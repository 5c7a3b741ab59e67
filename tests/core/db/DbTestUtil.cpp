#include "DbTestUtil.h"

#include "core/db/YDLSet.h"
#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YGzwSet.h"
#include "core/db/YLcSet.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YPrjFDSet.h"
#include "core/db/YPrjProSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YSQXSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTjExSet.h"
#include "core/db/YTjtsjSet.h"
#include "core/db/YTshlSet.h"
#include "core/db/YTsjsExSet.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YTsxsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/db/YZzmjSet.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace dalvex::test {

std::vector<std::unique_ptr<YRecordset>> MakeAllSets(YDatabase& db) {
    std::vector<std::unique_ptr<YRecordset>> sets;
    sets.push_back(std::make_unique<YZzmjSet>(db));
    sets.push_back(std::make_unique<YLcSet>(db));
    sets.push_back(std::make_unique<YTsxsSet>(db));
    sets.push_back(std::make_unique<YTshlSet>(db));
    sets.push_back(std::make_unique<YGzwSet>(db));
    sets.push_back(std::make_unique<YQtkSet>(db));
    sets.push_back(std::make_unique<YQitkSet>(db));
    sets.push_back(std::make_unique<YSQXSet>(db));
    sets.push_back(std::make_unique<YDLSet>(db));
    sets.push_back(std::make_unique<YPrjProSet>(db));
    sets.push_back(std::make_unique<YPrjFDSet>(db));
    sets.push_back(std::make_unique<YNearPrjSet>(db));
    sets.push_back(std::make_unique<YTsjsSet>(db));
    sets.push_back(std::make_unique<YZjTsjsSet>(db));
    sets.push_back(std::make_unique<YTdpSet>(db));
    sets.push_back(std::make_unique<YDpSet>(db));
    sets.push_back(std::make_unique<YGchSet>(db));
    sets.push_back(std::make_unique<YTjtsjSet>(db));
    sets.push_back(std::make_unique<YTjExSet>(db));
    sets.push_back(std::make_unique<YTsjsExSet>(db));
    return sets;
}

QStringList Column(YDatabase& db, const QString& sql) {
    QStringList values;
    QSqlQuery query(db.Connection());
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
    while (query.next()) {
        values << query.value(0).toString();
    }
    return values;
}

} // namespace dalvex::test
