#include "draw/YUint.h"

#include "core/model/YSegmentModel.h"

#include <algorithm>

namespace {
// The ruler steps for a scale: the first power of ten (from `start`) whose minor step, or five
// times it, is more than five pixels wide. Returns the factor 1 or 5 through `factor`.
void ChooseSteps(double scale, double start, double steps[3], double& factor) {
    for (double s = start; s < 100000; s *= 10) {
        if (s / scale > 5) {
            steps[0] = s;
            steps[1] = 5 * s;
            steps[2] = 10 * s;
            factor = 10;
            return;
        }
        if (5 * s / scale > 5) {
            steps[0] = 5 * s;
            steps[1] = 10 * s;
            steps[2] = 50 * s;
            factor = 5;
            return;
        }
    }
}
} // namespace

void YUint::SetScale(double dScaleX, double dScaleY) {
    m_dScaleX = std::clamp(dScaleX, MinScale, MaxScale);
    m_dScaleY = std::clamp(dScaleY, MinScale, MaxScale);
    ChooseSteps(m_dScaleX, 1.0, m_dStepX, m_dFactorX);
    ChooseSteps(m_dScaleY, 0.0001, m_dStepY, m_dFactorY);
    m_bChanged = 1;
    m_dXPerPos = (m_dXMax - m_dXMin) / ScrollPositions;
    m_dYPerPos = m_dYRange / ScrollPositions;
}

void YUint::ClampOrigin() {
    m_dOrgX = std::clamp(m_dOrgX, m_dXMin, std::max(m_dXMin, m_dXMax));
    m_dOrgY = std::clamp(m_dOrgY, -m_dYRange / 2, m_dYRange / 2);
}

bool YUint::TakeExtent(const YSegmentModel& model) {
    if (model.m_arrTF.empty()) {
        return false;
    }
    m_dXMin = m_dOrgX = model.m_arrTF.front().m_staStart.Value();
    m_dXMax = model.m_arrTF.back().m_staEnd.Value();
    if (model.m_dMaxArea > 0) {
        m_dYRange = 2 * model.m_dMaxArea;
    }
    return true;
}
