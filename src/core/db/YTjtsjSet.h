#pragma once

#include "core/db/YRecordset.h"
#include "core/db/YSoilRockClasses.h"
#include "core/station/YStation.h"

// [土石计算2]: statistics per stretch, written when the allocation is finished and read by
// the per-kilometre tables. Per segment. Three layouts:
// - 165 columns from layout version 6, sorted by 起点桩号;
// - 117 columns at versions 4 and 5 (no cross-project blocks m_out*, m_in*);
// - 29 columns up to version 3, named by pinyin initials and sorted by sta. They hold the
//   stretch, the cut by class, and soil/rock totals only, which land in the compacted groups
//   (ttf/tsf in m_fillC, lytf/lysf in m_localC, dptf/dpsf in m_haulC, jftf/jfsf in m_borrowC,
//   qftf/qfsf in m_wasteC) and the distance groups (…yj).
class YTjtsjSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("土石计算2"); }
    QString DefaultSort() const override {
        return IsPinyinLayout() ? QStringLiteral("[sta]") : QStringLiteral("[起点桩号]");
    }
    int ColumnCount(int version) const override {
        return version >= 6 ? 165 : (version >= 4 ? 117 : 29);
    }

    bool IsPinyinLayout() const { return OwnColumnCount() == 29; }
    bool HasCrossProjectColumns() const { return OwnColumnCount() == 165; }

    YStation m_staStart;       // 起点桩号 (sta)
    YStation m_staEnd;         // 终点桩号 (esta)
    double m_dLength = 0.0;    // 长度 (len), m
    double m_dCutTotal = 0.0;  // 挖总量 (wfzl)
    double m_dCutSoil = 0.0;   // 挖土 (wtf)
    double m_dCutRock = 0.0;   // 挖石 (wsf)
    double m_dCut[6] = {};     // 挖1 … 挖6 (st pt yt rs cjs js)
    double m_dFillTotal = 0.0; // 填总量 (tfzl)
    // Groups of soil, rock, classes I–VI; column names prefix + 土/石/k + suffix.
    YSoilRockClasses m_fillC;      // 填…压实
    YSoilRockClasses m_fillL;      // 填…松方
    YSoilRockClasses m_localC;     // 利…压实: local reuse
    YSoilRockClasses m_localL;     // 利…松方
    YSoilRockClasses m_haulC;      // 调…压实: hauled in from other stretches
    YSoilRockClasses m_haulL;      // 调…松方
    YSoilRockClasses m_haulDist;   // 调…运距, m
    YSoilRockClasses m_borrowC;    // 借…压实
    YSoilRockClasses m_borrowL;    // 借…松方
    YSoilRockClasses m_borrowDist; // 借…运距
    YSoilRockClasses m_wasteC;     // 弃…压实
    YSoilRockClasses m_wasteL;     // 弃…松方
    YSoilRockClasses m_wasteDist;  // 弃…运距
    YSoilRockClasses m_outC;       // 调出…压实: sent to a neighbouring project (v6)
    YSoilRockClasses m_outL;       // 调出…松方
    YSoilRockClasses m_outDist;    // 调出…运距
    YSoilRockClasses m_inC;        // 调入…压实: received from a neighbouring project (v6)
    YSoilRockClasses m_inL;        // 调入…松方
    YSoilRockClasses m_inDist;     // 调入…运距

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;

  private:
    void ExchangePinyin(YFieldExchange& fx);
};
