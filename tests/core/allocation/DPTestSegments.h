#pragma once

#include "core/allocation/YDPCalTool.h"
#include "core/model/YTFItem.h"

#include <initializer_list>
#include <vector>

// Helpers that build segment arrays for the strategy tests without a project file.
namespace dptest {

// A segment from start to end (m) with usable surplus per class (natural m³), remaining fill
// (compacted m³) and selection mask; first-computed values equal the remaining ones.
inline YTFItem Seg(double start, double end, std::initializer_list<double> use, double fill,
                   qint32 sel) {
    YTFItem s;
    s.m_staStart = start;
    s.m_staEnd = end;
    size_t k = 0;
    for (double u : use) {
        s.m_dUse[k] = u;
        s.m_dRemUse[k] = u;
        ++k;
    }
    s.m_dFill = fill;
    s.m_dRemFill = fill;
    s.m_nSel = sel;
    return s;
}

// A strategy whose usability and needs are the base rules, with its ranges set directly.
class ProbeTool : public YDPCalTool {
  public:
    ProbeTool(int c0, int c1, int f0, int f1) {
        m_nCutFirst = c0;
        m_nCutLast = c1;
        m_nFillFirst = f0;
        m_nFillLast = f1;
    }
    using YDPCalTool::ReadFillPerMetre;
};

} // namespace dptest
