#pragma once

#include "core/allocation/YDPCalTool.h"

// Waste (弃方) to a waste pit (弃土坑): the selected surplus of a cut run carried to the pit,
// segments nearest to the pit's road station first, until the selection is disposed of or the
// pit is full. Capacity and amounts compared as natural volumes.

// 弃方: the usable surplus; kind 2.
class YDPCalQF : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("弃方"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
};

// 弃除不可利用方: the unusable surplus; kind 5.
class YDPCalQCFF : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("弃除不可利用方"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
    bool IsCutUsable(const YTFItem& seg) const override;
};
