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

// A fill-side group: soil and rock, then (with classes) their loose volumes and the classes
// natural and compacted. names: soil, rock, loose soil, loose rock, class prefix.
struct FillGroup {
    const char16_t* names[5];
    double& soil;
    double& rock;
    double& soilL;
    double& rockL;
    double* d;
    double* dC;
};

void ExchangeFill(YFieldExchange& fx, const FillGroup& g, bool bClasses) {
    fx.Double(g.names[0], g.soil);
    fx.Double(g.names[1], g.rock);
    if (bClasses) {
        const QString prefix = QString::fromUtf16(g.names[4]);
        fx.Double(g.names[2], g.soilL);
        fx.Double(g.names[3], g.rockL);
        fx.Doubles(prefix + QStringLiteral("%1"), g.d);
        fx.Doubles(prefix + QStringLiteral("%1(压实)"), g.dC);
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
    ExchangeFill(fx,
                 {{u"填土量", u"填石量", u"填土量(松方)", u"填石量(松方)", u"填"},
                  m_dFillSoil,
                  m_dFillRock,
                  m_dFillSoilL,
                  m_dFillRockL,
                  m_dFill,
                  m_dFillC},
                 v2);
    ExchangeFill(fx,
                 {{u"本桩利用土", u"本桩利用石", u"利用土(松方)", u"利用石(松方)", u"利"},
                  m_dLocalSoil,
                  m_dLocalRock,
                  m_dLocalSoilL,
                  m_dLocalRockL,
                  m_dLocal,
                  m_dLocalC},
                 v2);
    fx.Double(u"利用后填方总量", m_dFillAfterLocal);
    ExchangeFill(fx,
                 {{u"填缺土", u"填缺石", u"填缺土(松方)", u"填缺石(松方)", u"缺"},
                  m_dNeedSoil,
                  m_dNeedRock,
                  m_dNeedSoilL,
                  m_dNeedRockL,
                  m_dNeed,
                  m_dNeedC},
                 v2);
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
