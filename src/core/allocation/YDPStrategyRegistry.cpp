#include "core/allocation/YDPStrategyRegistry.h"

#include "core/allocation/YDPCalBorrow.h"
#include "core/allocation/YDPCalCross.h"
#include "core/allocation/YDPCalHaul.h"
#include "core/allocation/YDPCalLocal.h"
#include "core/allocation/YDPCalThickness.h"
#include "core/allocation/YDPCalWaste.h"

namespace {
template <class T> void Add() {
    const T probe;
    YClassRegistry::Register<T>(YDPCalTool::BaseRecord(), probe.RuleName(), 1);
}
} // namespace

void YDPStrategyRegistry::RegisterAll() {
    static const bool registered = [] {
        // Table order: the GBK order of the rule names.
        Add<YDPCalJWScale>();    // 借方比例
        Add<YDPCalJTScale>();    // 借方填方比例
        Add<YDPCalJTScaleHD>();  // 借方填方比例厚度
        Add<YDPCalJTFFisrt>();   // 借方土方优先
        Add<YDPCalJTFFisrtHD>(); // 借方土方优先厚度
        Add<YDPCalJTFSF>();      // 借方土石齐用
        Add<YDPCalJTFSFHD>();    // 借方土石齐用厚度
        Add<YDPCalJWScaleHD>();  // 借方挖方比例厚度
        Add<YDPCalJDFF>();       // 就地弃除不可利用方
        Add<YDPCalJDQF>();       // 就地弃方
        Add<YDPCalJDJF>();       // 就地取土
        Add<YDPCalTScaleX>();    // 跨项目填方比例
        Add<YDPCalTScaleXHD>();  // 跨项目填方比例厚度
        Add<YDPCalTFFisrtX>();   // 跨项目土方优先
        Add<YDPCalTFFisrtXHD>(); // 跨项目土方优先厚度
        Add<YDPCalTFSFX>();      // 跨项目土石齐用
        Add<YDPCalTFSFXHD>();    // 跨项目土石齐用厚度
        Add<YDPCalWScaleX>();    // 跨项目挖方比例
        Add<YDPCalWScaleXHD>();  // 跨项目挖方比例厚度
        Add<YDPCalQCFF>();       // 弃除不可利用方
        Add<YDPCalQF>();         // 弃方
        Add<YDPCalTScale>();     // 远运利用填方比例
        Add<YDPCalTScaleHD>();   // 远运利用填方比例厚度
        Add<YDPCalTFFisrt>();    // 远运利用土方优先
        Add<YDPCalTFFisrtHD>();  // 远运利用土方优先厚度
        Add<YDPCalTFSF>();       // 远运利用土石齐用
        Add<YDPCalTFSFHD>();     // 远运利用土石齐用厚度
        Add<YDPCalWScale>();     // 远运利用挖方比例
        Add<YDPCalWScaleHD>();   // 远运利用挖方比例厚度
        return true;
    }();
    (void)registered;
}

const std::vector<YClassRecord*>& YDPStrategyRegistry::Records() {
    RegisterAll();
    return YDPCalTool::BaseRecord().derived;
}

std::unique_ptr<YDPCalTool> YDPStrategyRegistry::FindStrategy(const YDPSelection& sel) {
    for (const YClassRecord* record : Records()) {
        std::unique_ptr<YObject> object;
        try {
            object = record->CreateObject();
        } catch (...) {
            continue; // a class that cannot be created is skipped
        }
        auto* tool = dynamic_cast<YDPCalTool*>(object.get());
        if (tool == nullptr) {
            continue;
        }
        if (tool->Accept(sel)) {
            object.release();
            return std::unique_ptr<YDPCalTool>(tool);
        }
    }
    return nullptr;
}

QString YDPStrategyRegistry::ConflictText() {
    return QStringLiteral("你所选的调配原则发生冲突,请先选择合适的调配原则!");
}
