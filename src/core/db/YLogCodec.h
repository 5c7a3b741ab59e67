#pragma once

#include "core/db/DpLogRecord.h"
#include "core/db/DpTransfer.h"
#include "core/db/YDpLogRow.h"

// Where a process's two log rows stand and what their 坑 columns hold; the recorder takes
// these from the items the process names.
struct YLogEnds {
    double srcSta1 = 0.0;
    double srcSta2 = 0.0;
    int srcPit = 0;
    double dstSta1 = 0.0;
    double dstSta2 = 0.0;
    int dstPit = 0;
};

// Turns processes into row pairs of the log [Tmp调配过程表] and row pairs back into kinds and
// records. The kind is not stored as such: it is decoded from 描述 and 坑 of the two rows.
class YLogCodec {
  public:
    [[nodiscard]] static YDpLogPair Encode(const DpTransfer& p, const YLogEnds& ends);

    // The kind of a pair, and its pit number |坑| (0 when none). Kinds 4/6 logged with
    // equal ranges keep their code; anything else still 0 with equal ranges is a reuse (9).
    [[nodiscard]] static DpKind DecodeKind(const YDpLogRow& src, const YDpLogRow& dst,
                                           int* pitNumber = nullptr);
    [[nodiscard]] static DpLogRecord Decode(const YDpLogPair& pair);

    // 描述 of a local take: "JDQT," and six numbers with three decimals.
    static QString LocalTakeText(const DpBlock& after);
};
