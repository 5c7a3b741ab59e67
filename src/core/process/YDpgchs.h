#pragma once

#include "core/process/YDpgch.h"

#include <vector>

// The rows of the haul statistics table (土方运量统计表). Sorting orders them by ascending from
// station and keeps rows with equal stations in the order they were added.
class YDpgchs : public std::vector<YDpgch> {
  public:
    void Sort();
};
