#pragma once

#include "core/allocation/YDPCalTool.h"

#include <memory>
#include <vector>

struct YClassRecord;

// The registry of the 29 strategy classes, registered under YDPCalTool's record ("调配计算工具")
// in the order of their rule names (the GBK order of the names, which is the order of the
// strategy table).
class YDPStrategyRegistry {
  public:
    // Registers every strategy class once; later calls do nothing.
    static void RegisterAll();
    // The strategy records in registry order (registers first when needed).
    static const std::vector<YClassRecord*>& Records();

    // Creates each registered strategy in order and returns the first that accepts the current
    // rule word and the selection; the others are destroyed. Null when none accepts (the caller
    // shows "你所选的调配原则发生冲突,请先选择合适的调配原则!").
    static std::unique_ptr<YDPCalTool> FindStrategy(const YDPSelection& sel);

    // The conflict message of the interactive tool.
    static QString ConflictText();
};
