#pragma once

#include "core/db/YClassQuantities.h"
#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [土石计算]: one row per computation segment (between two stations of [逐桩断面]), written by
// the preprocessing and left unchanged by the allocation. Per segment, sorted by start
// station. 136 columns from layout version 3, 98 at version 2, 30 at version 1; members of
// columns the open layout lacks stay 0.
class YTsjsSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("土石计算"); }
    QString DefaultSort() const override { return QStringLiteral("[起始桩号]"); }
    int ColumnCount(int version) const override {
        return version >= 3 ? 136 : (version == 2 ? 98 : 30);
    }

    // The per-class and compacted columns (version 2 on).
    bool HasClassColumns() const { return OwnColumnCount() >= 98; }
    // The usable / unusable surplus and usable shares (version 3 on).
    bool HasUsableColumns() const { return OwnColumnCount() == 136; }

    YStation m_staStart;            // 起始桩号, m
    YStation m_staEnd;              // 终止桩号, m
    double m_dAvgCutArea = 0.0;     // 挖方平均面积, m²
    double m_dAvgFillArea = 0.0;    // 填方平均面积, m²
    double m_dLength = 0.0;         // 距离, m
    double m_dCutTotal = 0.0;       // 挖方总量
    double m_dContent[6] = {};      // 1含量 … 6含量: share of class k in the cut, %
    double m_dCoef[6] = {};         // 1系数 … 6系数: natural-to-compacted divisor (v2)
    double m_dCut[6] = {};          // 1数量 … 6数量: cut of class k
    double m_dCutC[6] = {};         // 1数量(压实) … (v2)
    double m_dFillTotal = 0.0;      // 填方总量
    double m_dFillSoil = 0.0;       // 填土量
    double m_dFillRock = 0.0;       // 填石量
    double m_dFillSoilL = 0.0;      // 填土量(松方) (v2)
    double m_dFillRockL = 0.0;      // 填石量(松方) (v2)
    double m_dFill[6] = {};         // 填1 … 填6 (v2)
    double m_dFillC[6] = {};        // 填1(压实) … (v2)
    double m_dLocalSoil = 0.0;      // 本桩利用土
    double m_dLocalRock = 0.0;      // 本桩利用石
    double m_dLocalSoilL = 0.0;     // 利用土(松方) (v2)
    double m_dLocalRockL = 0.0;     // 利用石(松方) (v2)
    double m_dLocal[6] = {};        // 利1 … 利6 (v2)
    double m_dLocalC[6] = {};       // 利1(压实) … (v2)
    double m_dFillAfterLocal = 0.0; // 利用后填方总量
    double m_dNeedSoil = 0.0;       // 填缺土
    double m_dNeedRock = 0.0;       // 填缺石
    double m_dNeedSoilL = 0.0;      // 填缺土(松方) (v2)
    double m_dNeedRockL = 0.0;      // 填缺石(松方) (v2)
    double m_dNeed[6] = {};         // 缺1 … 缺6 (v2)
    double m_dNeedC[6] = {};        // 缺1(压实) … (v2)
    // 挖余土, 挖余石, 挖余土(压实), 挖余石(压实); 余1 … 余6, 余1(压实) … 余6(压实) (v2).
    YClassQuantities m_rem;
    double m_dLossSoil = 0.0;    // 土方损耗率 (v2)
    double m_dLossRock = 0.0;    // 石方损耗率 (v2)
    YClassQuantities m_usable;   // 可用挖余土 … 可用余6(压实) (v3)
    YClassQuantities m_unusable; // 不可用挖余土 … 不可用余6(压实) (v3)
    double m_dUsableRate[6] = {}; // 1可用比例 … 6可用比例: usable share of class k, 0…1 (v3)

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
