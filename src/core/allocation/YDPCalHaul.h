#pragma once

#include "core/allocation/YDPCalTool.h"

// Haul reuse (远运利用): surplus cut of a selected run hauled to a selected fill run of the same
// project, pairs found by FindPair; kind 0 between segments, 9 within one segment.

// 远运利用土方优先: all selected soil first, then rock for what is still missing.
class YDPCalTFFisrt : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("远运利用土方优先"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsCutUsable(const YTFItem& seg) const override { return IsCutUsableByPhase(seg); }
};

// 远运利用土石齐用: soil and rock together, in the proportion each source holds them.
class YDPCalTFSF : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("远运利用土石齐用"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
};

// 远运利用挖方比例: every transfer brings soil and rock in the set ratio; the quotas of the
// selected cut are balanced to that ratio, a cut's shortfall made up from the cuts nearest the
// fill.
class YDPCalWScale : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("远运利用挖方比例"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsCutUsable(const YTFItem& seg) const override { return IsCutUsableByPhase(seg); }
    double SoilNeed(const YTFItem& seg) const override { return seg.m_dRemFill * m_dSoilRatio; }
    double RockNeed(const YTFItem& seg) const override { return seg.m_dRemFill * m_dRockRatio; }

  protected:
    // Makes up a shortfall of the classes of passMask for one fill from the cuts nearest to the
    // fill's midpoint. A within-segment stop or a cut run without that
    // material ends it.
    void MakeUp(YDPStepRun& run, int fill, qint32 passMask, YDPPass phase, double& shortfall);
};

// 远运利用填方比例: each fill is made up so that its delivered soil and rock approach the set
// ratio; the soil-first algorithm with share needs.
class YDPCalTScale : public YDPCalTFFisrt {
  public:
    QString RuleName() const override { return QStringLiteral("远运利用填方比例"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return FillShareUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return FillShare(seg, false); }
    double RockNeed(const YTFItem& seg) const override { return FillShare(seg, true); }
};
