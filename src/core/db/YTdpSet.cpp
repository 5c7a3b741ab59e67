#include "core/db/YTdpSet.h"

#include <cmath>

namespace {

// One side of a process: side + 土数量 / 石数量, then (version 2 on) the compacted totals and
// the classes named with the short prefix, then side + 总数量.
void ExchangeSide(YFieldExchange& fx, const QString& side, const QString& prefix,
                  YClassQuantities& q, double& total, bool bClasses) {
    fx.Double(side + QStringLiteral("土数量"), q.dSoil);
    fx.Double(side + QStringLiteral("石数量"), q.dRock);
    if (bClasses) {
        fx.Double(prefix + QStringLiteral("土(压实)"), q.dSoilC);
        fx.Double(prefix + QStringLiteral("石(压实)"), q.dRockC);
        fx.Doubles(prefix + QStringLiteral("%1"), q.d);
        fx.Doubles(prefix + QStringLiteral("%1(压实)"), q.dC);
    }
    fx.Double(side + QStringLiteral("总数量"), total);
}

// The number columns a walk over the log needs, read from the cached rows.
struct LogColumns {
    explicit LogColumns(const YTdpSet& set)
        : gcid(set.NumberSlot(QStringLiteral("GCID"))), id(set.NumberSlot(QStringLiteral("ID"))),
          ok(set.NumberSlot(QStringLiteral("成败"))) {}
    // As the members read them: NULL is 0.
    static double At(const YTdpSet& set, int i, int slot) {
        const double v = set.NumberAt(i, slot);
        return std::isnan(v) ? 0.0 : v;
    }
    bool Paired(const YTdpSet& set, int i) const {
        return At(set, i, gcid) == At(set, i + 1, gcid) && At(set, i, id) == At(set, i + 1, id);
    }
    int gcid;
    int id;
    int ok;
};

} // namespace

void YTdpSet::DoFieldExchange(YFieldExchange& fx) {
    const bool v2 = HasClassColumns();
    fx.Long(u"GCID", m_nGCID);
    fx.Long(u"ID", m_nID);
    fx.Text(u"描述", m_strDesc);
    fx.Metres(u"桩号1", m_sta1);
    fx.Metres(u"桩号2", m_sta2);
    ExchangeSide(fx, QStringLiteral("调配前"), QStringLiteral("前"), m_before, m_dTotalBefore, v2);
    ExchangeSide(fx, QStringLiteral("调配后"), QStringLiteral("后"), m_after, m_dTotalAfter, v2);
    fx.Bool(u"填挖", m_bCutFill);
    fx.Bool(u"成败", m_bSuccess);
    fx.Long(u"坑", m_nPit);
}

YDpLogRow YTdpSet::Row() const {
    const YTdpSet& s = *this;
    YDpLogRow r;
    r.rowid = s.RowId();
    r.gcid = s.m_nGCID;
    r.id = s.m_nID;
    r.desc = s.m_strDesc;
    r.sta1 = s.m_sta1.Value();
    r.sta2 = s.m_sta2.Value();
    for (int i = 0; i < DpAmt::Count; ++i) {
        r.before[i] = s.m_before[i];
        r.after[i] = s.m_after[i];
    }
    r.totalBefore = s.m_dTotalBefore;
    r.totalAfter = s.m_dTotalAfter;
    r.fillSide = s.m_bCutFill;
    r.ok = s.m_bSuccess;
    r.pit = s.m_nPit;
    return r;
}

void YTdpSet::SetRow(const YDpLogRow& r) {
    YTdpSet& s = *this;
    s.m_nGCID = r.gcid;
    s.m_nID = r.id;
    s.m_strDesc = r.desc;
    s.m_sta1 = r.sta1;
    s.m_sta2 = r.sta2;
    for (int i = 0; i < DpAmt::Count; ++i) {
        s.m_before[i] = r.before[i];
        s.m_after[i] = r.after[i];
    }
    s.m_dTotalBefore = r.totalBefore;
    s.m_dTotalAfter = r.totalAfter;
    s.m_bCutFill = r.fillSide;
    s.m_bSuccess = r.ok;
    s.m_nPit = r.pit;
}

bool YTdpSet::ReadPair(int i, YDpLogPair& pair, bool& bPaired) {
    if (!SetPosition(i)) {
        return false;
    }
    pair.src = Row();
    if (!SetPosition(i + 1)) {
        return false;
    }
    pair.dst = Row();
    bPaired = pair.src.gcid == pair.dst.gcid && pair.src.id == pair.dst.id;
    return true;
}

YTdpSet::StepState YTdpSet::Steps() const {
    StepState state;
    const LogColumns col(*this);
    int previous = -1;
    for (int i = 0; i + 1 < RecordCount() && col.Paired(*this, i); i += 2) {
        // A step counts as applied or undone by its first process, as in the process list.
        const int step = int(LogColumns::At(*this, i, col.gcid));
        if (step == previous) {
            continue;
        }
        previous = step;
        if (LogColumns::At(*this, i, col.ok) != 0.0) {
            state.nCurrent = step;
        } else if (state.nFirstUndone == 0) {
            state.nFirstUndone = step;
        }
    }
    return state;
}

std::optional<int> YTdpSet::FirstDamagedStep() const {
    const LogColumns col(*this);
    for (int i = 0; i < RecordCount(); i += 2) {
        if (i + 1 >= RecordCount() || !col.Paired(*this, i)) {
            return int(LogColumns::At(*this, i, col.gcid));
        }
    }
    return std::nullopt;
}
