#pragma once

#include "core/db/YClassQuantities.h"
#include "core/db/YDpLogRow.h"
#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

#include <optional>

// [Tmp调配过程表]: the allocation log and undo history, two consecutive rows per recorded
// process (the source row, then the destination row) with equal GCID and ID. Per segment,
// sorted by step and process. 42 columns from layout version 2, 14 before (only the soil and
// rock totals of m_before / m_after).
class YTdpSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("Tmp调配过程表"); }
    QString DefaultSort() const override { return QStringLiteral("[GCID],[ID]"); }

    // The current row as the process code handles it, and a row written into the members
    // (Update or AddNew/Update stores it).
    YDpLogRow Row() const;
    void SetRow(const YDpLogRow& row);
    // The process whose source row is at position i (the set then stands on its destination
    // row); bPaired is false where the two rows are not of one process (a damaged log). False
    // when there is no row at i or i + 1.
    [[nodiscard]] bool ReadPair(int i, YDpLogPair& pair, bool& bPaired);
    int ColumnCount(int version) const override { return version >= 2 ? 42 : 14; }

    // The last applied step and the first undone one (0 when none), over the processes whose
    // two rows pair up, each step counted by its first process, as the process list shows
    // them; read from the cached rows without moving.
    struct StepState {
        int nCurrent = 0;
        int nFirstUndone = 0;
    };
    [[nodiscard]] StepState Steps() const;
    // The step of the first process whose two rows do not pair up; empty for a sound log.
    [[nodiscard]] std::optional<int> FirstDamagedStep() const;

    bool HasClassColumns() const { return OwnColumnCount() == 42; }

    qint32 m_nGCID = 0; // GCID: step number
    qint32 m_nID = 0;   // ID: process number within the step
    QString m_strDesc;  // 描述: description code of the process
    YStation m_sta1;    // 桩号1: start station of the row's item
    YStation m_sta2;    // 桩号2: end station of the row's item
    // 调配前土数量, 调配前石数量, 前土(压实), 前石(压实), 前1 … 前6, 前1(压实) … 前6(压实)
    YClassQuantities m_before;
    double m_dTotalBefore = 0.0; // 调配前总数量: destination quantity before
    // 调配后土数量, 调配后石数量, 后土(压实), 后石(压实), 后1 … 后6, 后1(压实) … 后6(压实)
    YClassQuantities m_after;
    double m_dTotalAfter = 0.0; // 调配后总数量
    bool m_bCutFill = false;    // 填挖: yes on the source row
    bool m_bSuccess = false;    // 成败: the process was recorded successfully
    qint32 m_nPit = 0;          // 坑: pit / link number + 1, or partner step + 2^28; 0 none

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
