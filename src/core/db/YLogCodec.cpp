#include "core/db/YLogCodec.h"

#include <cstdlib>

YDpLogPair YLogCodec::Encode(const DpTransfer& p, const YLogEnds& ends) {
    YDpLogPair pair;
    const QString desc =
        p.kind == DpKind::LocalBorrow ? LocalTakeText(p.after) : DpKinds::DescriptionCode(p.kind);
    for (YDpLogRow* r : {&pair.src, &pair.dst}) {
        r->gcid = p.step;
        r->id = p.seq;
        r->desc = desc;
        r->ok = true;
    }
    pair.src.fillSide = true;
    pair.src.sta1 = ends.srcSta1;
    pair.src.sta2 = ends.srcSta2;
    pair.src.pit = ends.srcPit;
    pair.src.before = p.before;
    // A local take's after block holds contents and coefficients; they travel in 描述.
    if (p.kind != DpKind::LocalBorrow) {
        pair.src.after = p.after;
    }
    pair.dst.fillSide = false;
    pair.dst.sta1 = ends.dstSta1;
    pair.dst.sta2 = ends.dstSta2;
    pair.dst.pit = ends.dstPit;
    pair.dst.totalBefore = p.fillBefore;
    pair.dst.totalAfter = p.fillAfter;
    return pair;
}

DpKind YLogCodec::DecodeKind(const YDpLogRow& src, const YDpLogRow& dst, int* pitNumber) {
    DpKind kind = DpKind::Haul;
    int pit = 0;
    const QString& sd = src.desc;
    if (sd.contains(QLatin1String("JDQT"))) {
        kind = DpKind::LocalBorrow;
    } else if (sd.contains(QLatin1String("JDQF"))) {
        kind = DpKind::LocalWaste;
    } else if (sd.contains(QLatin1String("JDFF"))) {
        kind = DpKind::LocalWasteUnusable;
    } else if (sd.contains(QLatin1String("DC"))) {
        kind = DpKind::Out;
    } else if (sd.contains(QLatin1String("DR"))) {
        kind = DpKind::In;
    } else if (src.pit != 0) {
        kind = DpKind::Borrow;
    }
    if (src.pit != 0 && !sd.contains(QLatin1String("DC"))) {
        pit = std::abs(src.pit);
    }
    if (dst.pit != 0) {
        const QString& dd = dst.desc;
        if (dd.isEmpty()) {
            kind = DpKind::Waste;
            pit = std::abs(dst.pit);
        } else if (dd.contains(QLatin1String("QCFF"))) {
            kind = DpKind::WasteUnusable;
            pit = std::abs(dst.pit);
        } else if (dd.contains(QLatin1String("DC"))) {
            pit = std::abs(dst.pit);
        }
    }
    if (kind == DpKind::Haul && YStation(src.sta1) == YStation(dst.sta1) &&
        YStation(src.sta2) == YStation(dst.sta2)) {
        kind = DpKind::Reuse;
    }
    if (pitNumber) {
        *pitNumber = pit;
    }
    return kind;
}

DpLogRecord YLogCodec::Decode(const YDpLogPair& pair) {
    DpLogRecord r;
    int pitNumber = 0;
    r.kind = DecodeKind(pair.src, pair.dst, &pitNumber);
    r.step = pair.src.gcid;
    r.seq = pair.src.id;
    r.pit = pitNumber - 1;
    if (r.kind == DpKind::Out) {
        r.partner = pair.src.pit - DpKinds::PartnerOffset;
    } else if (r.kind == DpKind::In) {
        r.partner = pair.dst.pit - DpKinds::PartnerOffset;
    }
    r.srcStart = pair.src.sta1;
    r.srcEnd = pair.src.sta2;
    r.dstStart = pair.dst.sta1;
    r.dstEnd = pair.dst.sta2;
    for (int i = 0; i < DpAmt::Count; ++i) {
        r.amount[i] = pair.src.before[i] - pair.src.after[i];
    }
    r.amount[DpLogRecord::Fill] = pair.dst.totalBefore - pair.dst.totalAfter;
    return r;
}

QString YLogCodec::LocalTakeText(const DpBlock& after) {
    QString text = QStringLiteral("JDQT");
    for (int i = 0; i < 6; ++i) {
        text += QLatin1Char(',') + QString::number(after[i], 'f', 3);
    }
    return text;
}
