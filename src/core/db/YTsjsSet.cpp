#include "core/db/YTsjsSet.h"

namespace {

// A surplus group: prefix + 挖余土, 挖余石, 挖余土(压实), 挖余石(压实), then (with classes)
// prefix + 余k and 余k(压实).
void ExchangeSurplus(YFieldExchange& fx, const QString& prefix, YClassQuantities& q,
                     bool bClasses) {
    fx.Double(prefix + QStringLiteral("挖余土"), q.dSoil);
    fx.Double(prefix + QStringLiteral("挖余石"), q.dRock);
    fx.Double(prefix + QStringLiteral("挖余土(压实)"), q.dSoilC);
    fx.Double(prefix + QStringLiteral("挖余石(压实)"), q.dRockC);
    if (bClasses) {
        fx.Doubles(prefix + QStringLiteral("余%1"), q.d);
        fx.Doubles(prefix + QStringLiteral("余%1(压实)"), q.dC);
    }
}

} // namespace

void YTsjsSet::DoFieldExchange(YFieldExchange& fx) {
    const bool v2 = HasClassColumns();
    fx.Metres(u"起始桩号", m_staStart);
    fx.Metres(u"终止桩号", m_staEnd);
    fx.Double(u"挖方平均面积", m_dAvgCutArea);
    fx.Double(u"填方平均面积", m_dAvgFillArea);
    fx.Double(u"距离", m_dLength);
    fx.Double(u"挖方总量", m_dCutTotal);
    fx.Doubles(u"%1含量", m_dContent);
    if (v2) {
        fx.Doubles(u"%1系数", m_dCoef);
    }
    fx.Doubles(u"%1数量", m_dCut);
    if (v2) {
        fx.Doubles(u"%1数量(压实)", m_dCutC);
    }
    fx.Double(u"填方总量", m_dFillTotal);
    fx.Double(u"填土量", m_dFillSoil);
    fx.Double(u"填石量", m_dFillRock);
    if (v2) {
        fx.Double(u"填土量(松方)", m_dFillSoilL);
        fx.Double(u"填石量(松方)", m_dFillRockL);
        fx.Doubles(u"填%1", m_dFill);
        fx.Doubles(u"填%1(压实)", m_dFillC);
    }
    fx.Double(u"本桩利用土", m_dLocalSoil);
    fx.Double(u"本桩利用石", m_dLocalRock);
    if (v2) {
        fx.Double(u"利用土(松方)", m_dLocalSoilL);
        fx.Double(u"利用石(松方)", m_dLocalRockL);
        fx.Doubles(u"利%1", m_dLocal);
        fx.Doubles(u"利%1(压实)", m_dLocalC);
    }
    fx.Double(u"利用后填方总量", m_dFillAfterLocal);
    fx.Double(u"填缺土", m_dNeedSoil);
    fx.Double(u"填缺石", m_dNeedRock);
    if (v2) {
        fx.Double(u"填缺土(松方)", m_dNeedSoilL);
        fx.Double(u"填缺石(松方)", m_dNeedRockL);
        fx.Doubles(u"缺%1", m_dNeed);
        fx.Doubles(u"缺%1(压实)", m_dNeedC);
    }
    ExchangeSurplus(fx, QString(), m_rem, v2);
    if (v2) {
        fx.Double(u"土方损耗率", m_dLossSoil);
        fx.Double(u"石方损耗率", m_dLossRock);
    }
    if (HasUsableColumns()) {
        ExchangeSurplus(fx, QStringLiteral("可用"), m_usable, true);
        ExchangeSurplus(fx, QStringLiteral("不可用"), m_unusable, true);
        fx.Doubles(u"%1可用比例", m_dUsableRate);
    }
}
