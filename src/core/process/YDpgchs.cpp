#include "core/process/YDpgchs.h"

#include <algorithm>

void YDpgchs::Sort() {
    // Stable, and an entry moves before another only when its station is strictly smaller:
    // the order the old bubble sort gave, in n log n.
    std::stable_sort(begin(), end(),
                     [](const YDpgch& a, const YDpgch& b) { return a.from < b.from; });
}
