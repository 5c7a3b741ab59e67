#include "core/allocation/YDPCalThickness.h"

#include "core/allocation/YDPRule.h"

namespace {
constexpr int kSoilFirstHD = DPR_SOIL_FIRST | DPR_THICKNESS; // 5
constexpr int kTogetherHD = DPR_TOGETHER | DPR_THICKNESS;    // 6
constexpr int kCutRatioHD = DPR_CUT_RATIO | DPR_THICKNESS;   // 12
constexpr int kFillRatioHD = DPR_FILL_RATIO | DPR_THICKNESS; // 36
} // namespace

bool YDPCalTFFisrtHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == kSoilFirstHD && IsHaulShape();
}

bool YDPCalTFFisrtHD::Compute() {
    return ReadFillPerMetre() && YDPCalTFFisrt::Compute();
}

bool YDPCalTFSFHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == kTogetherHD && IsHaulShape();
}

bool YDPCalTFSFHD::Compute() {
    return ReadFillPerMetre() && YDPCalTFSF::Compute();
}

bool YDPCalWScaleHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == kCutRatioHD && IsHaulShape();
}

bool YDPCalWScaleHD::Compute() {
    return ReadFillPerMetre() && YDPCalWScale::Compute();
}

bool YDPCalTScaleHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == kFillRatioHD && IsHaulShape();
}

bool YDPCalTScaleHD::Compute() {
    return ReadFillPerMetre() && ReadFillRatio(m_dSoilRatio, m_dRockRatio) &&
           YDPCalTScale::Compute();
}

bool YDPCalJTFFisrtHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == kSoilFirstHD && IsBorrowShape();
}

bool YDPCalJTFFisrtHD::Compute() {
    return ReadFillPerMetre() && YDPCalJTFFisrt::Compute();
}

bool YDPCalJTFSFHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == kTogetherHD && IsBorrowShape();
}

bool YDPCalJTFSFHD::Compute() {
    return ReadFillPerMetre() && YDPCalJTFSF::Compute();
}

bool YDPCalJWScaleHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == kCutRatioHD && IsBorrowShape();
}

bool YDPCalJWScaleHD::Compute() {
    return ReadFillPerMetre() && YDPCalJWScale::Compute();
}

bool YDPCalJTScaleHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == kFillRatioHD && IsBorrowShape();
}

bool YDPCalJTScaleHD::Compute() {
    return ReadFillPerMetre() && ReadFillRatio(m_dSoilRatio, m_dRockRatio) &&
           YDPCalJTScale::Compute();
}
