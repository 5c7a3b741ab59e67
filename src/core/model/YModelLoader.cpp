#include "core/model/YModelLoader.h"

#include "core/db/YGzwSet.h"
#include "core/db/YLogCodec.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTsjsSet.h"
#include "core/model/YSegmentModel.h"

#include <algorithm>

namespace {
template <class Item, class Set> void LoadAll(Set& set, std::vector<Item>& items) {
    items.clear();
    if (!set.IsOpen() || !set.RequeryIfChanged()) {
        return;
    }
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        items.emplace_back();
        items.back().Load(set);
    }
}
} // namespace

bool YModelLoader::LoadSegments(YTsjsSet& computed, YTsjsSet& remaining, YSegmentModel& model) {
    if (!computed.IsOpen() || !remaining.IsOpen() || !computed.RequeryIfChanged() ||
        !remaining.RequeryIfChanged() || computed.RecordCount() == 0 ||
        remaining.RecordCount() == 0) {
        return false;
    }
    model.ClearSegments();
    double maxArea = 0.0;
    computed.MoveFirst();
    remaining.MoveFirst();
    // Both tables hold the same segments in the same order; nothing pairs them by station.
    for (; !computed.IsEOF() && !remaining.IsEOF(); computed.MoveNext(), remaining.MoveNext()) {
        YTFItem& item = model.m_arrTF.emplace_back();
        item.m_nSel = 0;
        item.LoadComputed(computed);
        item.LoadRemaining(remaining);
        maxArea = std::max({maxArea, computed.m_dAvgCutArea, computed.m_dAvgFillArea});
    }
    model.m_dMaxArea = maxArea;
    return true;
}

void YModelLoader::LoadDeliveredFill(YTdpSet& log, YSegmentModel& model) {
    if (!log.IsOpen() || !log.RequeryIfChanged()) {
        return;
    }
    // Each process is a source row followed by its destination row.
    log.MoveFirst();
    while (!log.IsEOF()) {
        const YDpLogRow src = log.Row();
        log.MoveNext();
        if (log.IsEOF()) {
            break; // an unpaired last row (a damaged log) delivered nothing
        }
        const YDpLogRow dst = log.Row();
        log.MoveNext();
        if (!src.ok || !DpKinds::HasSegmentDestination(YLogCodec::DecodeKind(src, dst))) {
            continue;
        }
        const int i = model.FindSegmentStartingAt(YStation(dst.sta1));
        if (i < 0) {
            continue;
        }
        YTFItem& item = model.m_arrTF[size_t(i)];
        item.m_dFillSoil += src.before[DpAmt::SoilC] - src.after[DpAmt::SoilC];
        item.m_dFillRock += src.before[DpAmt::RockC] - src.after[DpAmt::RockC];
    }
    log.MoveFirst();
}

void YModelLoader::LoadStructures(YGzwSet& set, YSegmentModel& model) {
    LoadAll(set, model.m_arrGZW);
}

void YModelLoader::LoadPits(YQtkSet& borrow, YQitkSet& waste, YSegmentModel& model) {
    LoadAll(borrow, model.m_arrQutuk);
    LoadAll(waste, model.m_arrQituk);
    model.ComputeEconomicStretches();
}

void YModelLoader::LoadNearLinks(YNearPrjSet& set, YSegmentModel& model) {
    LoadAll(set, model.m_arrNearPrj);
}
