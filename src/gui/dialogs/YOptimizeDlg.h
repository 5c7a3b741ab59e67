#pragma once

#include "core/allocation/YDPCostModel.h"
#include "core/allocation/YDPOptimizer.h"

#include <QDialog>

class QDoubleSpinBox;

// 最优调配: the costs the cheapest plan is sought under, all in equivalent haul metres per m³.
// The local take and dump follow the economic haul distance (half of it each, so a haul pays
// only within that distance) until the user sets them.
class YOptimizeDlg : public QDialog {
  public:
    explicit YOptimizeDlg(const YDPCostModel::Options& start, QWidget* parent = nullptr);

    YDPCostModel::Options Options() const;

    // What the command shows after a run: the steps recorded and the cost before, after and as
    // 自动调配 would have left the project.
    static QString SummaryText(const YDPOptimizer::Comparison& c);

  private:
    QDoubleSpinBox* m_pLimit;
    QDoubleSpinBox* m_pBorrow;
    QDoubleSpinBox* m_pWaste;
    QDoubleSpinBox* m_pLocalTake;
    QDoubleSpinBox* m_pLocalDump;
};
