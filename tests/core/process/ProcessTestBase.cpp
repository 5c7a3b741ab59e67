#include "ProcessTestBase.h"

#include "core/db/YTdpSet.h"

#include <cmath>

namespace dalvex::test {

int ProcessTest::LogRows() {
    return Doc().GetTdpSet().RecordCount();
}

void ProcessTest::LoadRoadWithPits(int segments) {
    project->AddSegs(TestProject::Road(segments));
    project->AddBorrowPit(30, 30, 30, {30, 30, 40, 0, 0, 100}, 2000, 600, 40);
    project->AddWastePit(150, 150, 150, 900, 25);
    ASSERT_TRUE(project->Load());
}

::testing::AssertionResult ValuesNear(const std::vector<double>& a, const std::vector<double>& b,
                                      double tol) {
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure() << "sizes " << a.size() << " and " << b.size();
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!(std::fabs(a[i] - b[i]) <= tol)) {
            return ::testing::AssertionFailure() << "value " << i << ": " << a[i] << " vs " << b[i]
                                                 << " (diff " << a[i] - b[i] << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TablesNear(const std::vector<std::vector<double>>& a,
                                      const std::vector<std::vector<double>>& b, double tol) {
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure() << "row counts " << a.size() << " and " << b.size();
    }
    for (size_t r = 0; r < a.size(); ++r) {
        auto res = ValuesNear(a[r], b[r], tol);
        if (!res) {
            return ::testing::AssertionFailure() << "row " << r << ": " << res.message();
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace dalvex::test
