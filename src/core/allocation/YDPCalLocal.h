#pragma once

#include "core/allocation/YDPCalTool.h"
#include "core/station/YStationNumbering.h"

#include <QString>

// Local take and waste (就地取弃): material dumped beside the line where the cut lies, or taken
// beside the line to close a fill. No haul, no structure check.

// 就地弃除不可利用方: the selected unusable surplus of every segment of the cut run; kind 6.
class YDPCalJDFF : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("就地弃除不可利用方"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
};

// 就地弃方: the selected usable surplus of every segment of the cut run; kind 4.
class YDPCalJDQF : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("就地弃方"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;
};

// 就地取土: closes each selected fill with material of a given class mix (the fill's own
// contents when 使用填方土石含量 is on, else the 土石含量 setting); kind 3.
class YDPCalJDJF : public YDPCalTool {
  public:
    QString RuleName() const override { return QStringLiteral("就地取土"); }
    bool Accept(const YDPSelection& sel) override;
    bool Compute() override;

    // Message for a fill whose contents cannot give a class mix (all zero, or a class with
    // content but no coefficient): the fill is skipped.
    static QString NoContentsText(const YTFItem& seg, const YStationNumbering& numbering);
    // Fills the before block of a prepared kind-3 record from contents c (percent) and the
    // coefficients in after values 7-12, for the need fillBefore, and closes the fill. False
    // (record unchanged) when the contents give no mix.
    static bool ApplyLocalTake(DpProcess& p, const std::array<double, 6>& c);
};
