#pragma once

#include "core/allocation/YDPCalTool.h"

// Cross-project haul (跨项目): the cut run lies in one open project, the fill run in another;
// material leaves through an exit port of the cut project (kind 8 records there) and enters
// through the entry port of the fill project (kind 7 records there), one record pair per
// transfer with equal sequence numbers and each naming the other's step. Cuts are taken nearest
// to the exit port, fills served nearest to the entry port; there is no within-segment case.

// 跨项目土方优先
class YDPCalTFFisrtX : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("跨项目土方优先"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override { return ComputeCross(false); }
    bool IsCutUsable(const YTFItem& seg) const override { return IsCutUsableByPhase(seg); }
};

// 跨项目土石齐用
class YDPCalTFSFX : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("跨项目土石齐用"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override { return ComputeCross(true); }
};

// 跨项目挖方比例: the cut-ratio algorithm across projects; make-up from the cuts nearest the
// exit port.
class YDPCalWScaleX : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("跨项目挖方比例"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsCutUsable(const YTFItem& seg) const override { return IsCutUsableByPhase(seg); }
    double SoilNeed(const YTFItem& seg) const override { return seg.m_dRemFill * m_dSoilRatio; }
    double RockNeed(const YTFItem& seg) const override { return seg.m_dRemFill * m_dRockRatio; }

  private:
    // Makes up a shortfall of the classes of passMask for one fill from the cuts nearest to the
    // exit port.
    void MakeUp(YDPStepRun& out, YDPStepRun& in, int fill, qint32 passMask, YDPPass phase,
                double& shortfall);
};

// 跨项目填方比例: the cross-project soil-first algorithm with the fill-ratio share needs.
class YDPCalTScaleX : public YDPCalTFFisrtX {
  public:
    QString RuleName() const override { return QStringLiteral("跨项目填方比例"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return FillShareUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return FillShare(seg, false); }
    double RockNeed(const YTFItem& seg) const override { return FillShare(seg, true); }
};

// The thickness variants of the cross-project strategies.

class YDPCalTFFisrtXHD : public YDPCalTFFisrtX {
  public:
    QString RuleName() const override { return QStringLiteral("跨项目土方优先厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
};

class YDPCalTFSFXHD : public YDPCalTFSFX {
  public:
    QString RuleName() const override { return QStringLiteral("跨项目土石齐用厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg); }
};

class YDPCalWScaleXHD : public YDPCalWScaleX {
  public:
    QString RuleName() const override { return QStringLiteral("跨项目挖方比例厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessFillUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessRoom(seg) * m_dSoilRatio; }
    double RockNeed(const YTFItem& seg) const override { return ThicknessRoom(seg) * m_dRockRatio; }
};

class YDPCalTScaleXHD : public YDPCalTScaleX {
  public:
    QString RuleName() const override { return QStringLiteral("跨项目填方比例厚度"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return ThicknessShareUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return ThicknessShare(seg, false); }
    double RockNeed(const YTFItem& seg) const override { return ThicknessShare(seg, true); }
};
