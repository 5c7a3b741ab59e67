#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [过程]: the transfers of each step as the tables report them: where material was taken,
// where it went, how much and how far. Per segment, sorted by step. 30 columns from layout
// version 3, 12 before (no per-class values).
class YGchSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("过程"); }
    QString DefaultSort() const override { return QStringLiteral("[GCID]"); }
    int ColumnCount(int version) const override { return version >= 3 ? 30 : 12; }

    bool HasClassColumns() const { return OwnColumnCount() == 30; }

    qint32 m_nGCID = 0;       // GCID: step number
    YStation m_staTakeStart;  // 取土段S: start of the taking stretch
    YStation m_staTakeEnd;    // 取土段E
    YStation m_staPutStart;   // 弃土段S: start of the receiving stretch
    YStation m_staPutEnd;     // 弃土段E
    double m_dSoil = 0.0;     // 用土: soil moved
    double m_dRock = 0.0;     // 用石: rock moved
    double m_dSoilDist = 0.0; // 土方运距: haul distance of the soil, m
    double m_dRockDist = 0.0; // 石方运距, m
    qint32 m_nPit = 0;        // 坑: pit or link reference as in the log
    double m_dSoilC = 0.0;    // 用土(压实)
    double m_dRockC = 0.0;    // 用石(压实)
    double m_dMoved[6] = {};  // 用土1 用土2 用土3 用石4 用石5 用石6 (v3)
    double m_dDist[6] = {}; // 土方1运距 … 土方3运距, 石方4运距 … 石方6运距 (v3)
    double m_dMovedC[6] = {}; // 用土1(压实) … 用石6(压实) (v3)

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
