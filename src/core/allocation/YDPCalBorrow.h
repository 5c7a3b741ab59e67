#pragma once

#include "core/allocation/YDPCalTool.h"

// Borrow (借方): material taken from a borrow pit (取土坑) into a selected fill run of the same
// project, fills served nearest to the pit's road station first; process kind 1. The classes
// taken are those the class filter allows, since a pit has no selection mask of its own.

// 借方土方优先: soil first, then rock.
class YDPCalJTFFisrt : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("借方土方优先"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
};

// 借方土石齐用: soil and rock together, one pass.
class YDPCalJTFSF : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("借方土石齐用"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
};

// 借方比例: every transfer borrows soil and rock in the set ratio of the fill's remaining need.
class YDPCalJWScale : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("借方比例"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    double SoilNeed(const YTFItem& seg) const override { return seg.m_dRemFill * m_dSoilRatio; }
    double RockNeed(const YTFItem& seg) const override { return seg.m_dRemFill * m_dRockRatio; }
};

// 借方填方比例: each fill made up towards its soil and rock shares.
class YDPCalJTScale : public YDPCalJTFFisrt {
  public:
    QString RuleName() const override { return QStringLiteral("借方填方比例"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsFillUsable(const YTFItem& seg) const override { return FillShareUsable(seg); }
    double SoilNeed(const YTFItem& seg) const override { return FillShare(seg, false); }
    double RockNeed(const YTFItem& seg) const override { return FillShare(seg, true); }
};
