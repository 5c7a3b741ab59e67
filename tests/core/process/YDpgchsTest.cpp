// The haul statistics rows sort by from station and keep equal stations in order; checked
// against the plain bubble sort on random rows.
#include "core/process/YDpgchs.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

void BubbleSort(std::vector<YDpgch>& v) {
    for (size_t i = 0; i + 1 < v.size(); ++i) {
        for (size_t j = 0; j + 1 < v.size() - i; ++j) {
            if (v[j].from > v[j + 1].from) {
                std::swap(v[j], v[j + 1]);
            }
        }
    }
}

TEST(YDpgchsTest, SortMatchesStableBubbleSort) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> station(0, 20);
    for (int round = 0; round < 50; ++round) {
        YDpgchs rows;
        const int n = 1 + round * 3;
        for (int i = 0; i < n; ++i) {
            YDpgch g;
            g.from = station(rng) * 100.0;
            g.kind = i; // the insertion order, to see that ties keep it
            rows.push_back(g);
        }
        std::vector<YDpgch> reference(rows.begin(), rows.end());
        BubbleSort(reference);
        rows.Sort();
        ASSERT_EQ(rows.size(), reference.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].kind, reference[i].kind) << "round " << round << " row " << i;
        }
    }
}

} // namespace
