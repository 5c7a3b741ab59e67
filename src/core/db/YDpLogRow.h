#pragma once

#include "core/db/YClassQuantities.h"

#include <QString>

// One row of the process log [Tmp调配过程表] as the process code handles it. Every recorded
// process is two such rows with equal GCID and ID: the source row (填挖 true) and the
// destination row (填挖 false), in that order.
struct YDpLogRow {
    qint64 rowid = 0; // SQLite rowid, 0 for a row not yet stored
    int gcid = 0;     // step number
    int id = 0;       // process number within the step, from 1
    QString desc;     // 描述
    double sta1 = 0.0;
    double sta2 = 0.0;
    DpBlock before{}; // 调配前土数量, 前土(压实), 调配前石数量, 前石(压实), 前1.., 前1(压实)..
    DpBlock after{};          // the matching 调配后…/后… columns
    double totalBefore = 0.0; // 调配前总数量: destination quantity before
    double totalAfter = 0.0;  // 调配后总数量
    bool fillSide = false;    // 填挖: true on the source row
    bool ok = true;           // 成败: false once undone
    int pit = 0;              // 坑: pit/link number + 1, partner + 0x10000000, or 0
};

// A process as it sits in the log: its source row and destination row.
struct YDpLogPair {
    YDpLogRow src;
    YDpLogRow dst;
};
