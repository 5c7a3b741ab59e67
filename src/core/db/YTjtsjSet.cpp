#include "core/db/YTjtsjSet.h"

void YTjtsjSet::DoFieldExchange(YFieldExchange& fx) {
    if (IsPinyinLayout()) {
        ExchangePinyin(fx);
        return;
    }
    const QString compacted = QStringLiteral("压实");
    const QString loose = QStringLiteral("松方");
    const QString dist = QStringLiteral("运距");
    fx.Metres(u"起点桩号", m_staStart);
    fx.Metres(u"终点桩号", m_staEnd);
    fx.Double(u"长度", m_dLength);
    fx.Double(u"挖总量", m_dCutTotal);
    fx.Double(u"挖土", m_dCutSoil);
    fx.Doubles(u"挖%1", m_dCut, 3, 1);
    fx.Double(u"挖石", m_dCutRock);
    fx.Doubles(u"挖%1", m_dCut + 3, 3, 4);
    fx.Double(u"填总量", m_dFillTotal);
    fx.SoilRock(QStringLiteral("填"), compacted, m_fillC);
    fx.SoilRock(QStringLiteral("填"), loose, m_fillL);
    fx.SoilRock(QStringLiteral("利"), compacted, m_localC);
    fx.SoilRock(QStringLiteral("利"), loose, m_localL);
    struct Haul {
        const char16_t* prefix;
        YSoilRockClasses* c;
        YSoilRockClasses* l;
        YSoilRockClasses* d;
    };
    std::vector<Haul> hauls{{u"调", &m_haulC, &m_haulL, &m_haulDist},
                            {u"借", &m_borrowC, &m_borrowL, &m_borrowDist},
                            {u"弃", &m_wasteC, &m_wasteL, &m_wasteDist}};
    if (HasCrossProjectColumns()) {
        hauls.push_back({u"调出", &m_outC, &m_outL, &m_outDist});
        hauls.push_back({u"调入", &m_inC, &m_inL, &m_inDist});
    }
    for (const Haul& h : hauls) {
        const QString prefix = QString::fromUtf16(h.prefix);
        fx.SoilRock(prefix, compacted, *h.c);
        fx.SoilRock(prefix, loose, *h.l);
        fx.SoilRock(prefix, dist, *h.d);
    }
}

// The layout up to version 3: pinyin initials of the quantities.
void YTjtsjSet::ExchangePinyin(YFieldExchange& fx) {
    fx.Metres(u"sta", m_staStart);
    fx.Metres(u"esta", m_staEnd);
    fx.Double(u"len", m_dLength);
    fx.Double(u"wfzl", m_dCutTotal);
    fx.Double(u"wtf", m_dCutSoil);
    fx.Double(u"st", m_dCut[0]);
    fx.Double(u"pt", m_dCut[1]);
    fx.Double(u"yt", m_dCut[2]);
    fx.Double(u"wsf", m_dCutRock);
    fx.Double(u"rs", m_dCut[3]);
    fx.Double(u"cjs", m_dCut[4]);
    fx.Double(u"js", m_dCut[5]);
    fx.Double(u"tfzl", m_dFillTotal);
    fx.Double(u"ttf", m_fillC.dSoil);
    fx.Double(u"tsf", m_fillC.dRock);
    fx.Double(u"lytf", m_localC.dSoil);
    fx.Double(u"lysf", m_localC.dRock);
    fx.Double(u"dptf", m_haulC.dSoil);
    fx.Double(u"dpsf", m_haulC.dRock);
    fx.Double(u"dptfyj", m_haulDist.dSoil);
    fx.Double(u"dpsfyj", m_haulDist.dRock);
    fx.Double(u"jftf", m_borrowC.dSoil);
    fx.Double(u"jfsf", m_borrowC.dRock);
    fx.Double(u"jftfyj", m_borrowDist.dSoil);
    fx.Double(u"jfsfyj", m_borrowDist.dRock);
    fx.Double(u"qftf", m_wasteC.dSoil);
    fx.Double(u"qfsf", m_wasteC.dRock);
    fx.Double(u"qftfyj", m_wasteDist.dSoil);
    fx.Double(u"qfsfyj", m_wasteDist.dRock);
}
