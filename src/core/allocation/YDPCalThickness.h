#pragma once

#include "core/allocation/YDPCalBorrow.h"
#include "core/allocation/YDPCalHaul.h"

// 填到指定厚度: the haul and borrow strategies that fill each segment only up to
// min(m_dFill, length × 每米最大填方量), over any number of invocations. Each reuses its
// base's Compute after checking and copying g_dFillPerMetre; only the fill test and the needs
// change.

class YDPCalTFFisrtHD : public YDPCalTFFisrt {
  public:
    QString RuleName() const override { return QStringLiteral("远运利用土方优先厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
};

class YDPCalTFSFHD : public YDPCalTFSF {
  public:
    QString RuleName() const override { return QStringLiteral("远运利用土石齐用厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
};

class YDPCalWScaleHD : public YDPCalWScale {
  public:
    QString RuleName() const override { return QStringLiteral("远运利用挖方比例厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg) * m_dSoilRatio; }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg) * m_dRockRatio; }
};

class YDPCalTScaleHD : public YDPCalTScale {
  public:
    QString RuleName() const override { return QStringLiteral("远运利用填方比例厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessShareUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessShare(seg, false); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessShare(seg, true); }
};

class YDPCalJTFFisrtHD : public YDPCalJTFFisrt {
  public:
    QString RuleName() const override { return QStringLiteral("借方土方优先厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
};

class YDPCalJTFSFHD : public YDPCalJTFSF {
  public:
    QString RuleName() const override { return QStringLiteral("借方土石齐用厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
};

class YDPCalJWScaleHD : public YDPCalJWScale {
  public:
    QString RuleName() const override { return QStringLiteral("借方挖方比例厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg) * m_dSoilRatio; }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg) * m_dRockRatio; }
};

class YDPCalJTScaleHD : public YDPCalJTScale {
  public:
    QString RuleName() const override { return QStringLiteral("借方填方比例厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessShareUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessShare(seg, false); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessShare(seg, true); }
};
