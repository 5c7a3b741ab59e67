#include "core/allocation/YDPCalWaste.h"

#include "core/allocation/YDPRule.h"

bool YDPCalQF::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && (g_nDPRule & (DPR_UNUSABLE | DPR_LOCAL)) == 0 &&
           IsWasteShape();
}

bool YDPCalQF::Compute() {
    return ComputeWaste(DpKind::Waste);
}

bool YDPCalQCFF::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && (g_nDPRule & DPR_UNUSABLE) != 0 &&
           (g_nDPRule & DPR_LOCAL) == 0 && IsWasteShape();
}

bool YDPCalQCFF::Compute() {
    return ComputeWaste(DpKind::WasteUnusable);
}

bool YDPCalQCFF::IsCutUsable(const YTFItem& seg) const {
    for (int k = 1; k <= YClass::Count; ++k) {
        if ((seg.m_nSel & YClass::Bit(k)) != 0 &&
            seg.m_dRemUnuse[size_t(k - 1)] >= YClass::Present) {
            return true;
        }
    }
    return false;
}
