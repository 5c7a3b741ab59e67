#include "core/allocation/YDPRangeSelect.h"

#include "core/document/CDalvexDoc.h"

#include <algorithm>

std::optional<YSegRun> YDPRangeSelect::WholeSegments(const CDalvexDoc& doc, double from,
                                                     double to) {
    const std::vector<YTFItem>& segs = doc.Model().m_arrTF;
    YSegRun run;
    for (int i = 0; i < static_cast<int>(segs.size()); ++i) {
        const YTFItem& s = segs[size_t(i)];
        if (s.m_staStart >= YStation(from) && s.m_staEnd <= YStation(to)) {
            if (run.nFirst < 0) {
                run.nFirst = i;
            }
            run.nLast = i;
        }
    }
    if (run.nFirst < 0) {
        return std::nullopt;
    }
    return run;
}

void YDPRangeSelect::Select(CDalvexDoc& doc, const YSegRun& run) {
    for (int i = std::max(run.nFirst, 0); i <= run.nLast; ++i) {
        doc.GetSegment(i).UpdateSel(true);
    }
}

void YDPRangeSelect::Deselect(CDalvexDoc& doc, const YSegRun& run) {
    for (int i = std::max(run.nFirst, 0); i <= run.nLast; ++i) {
        doc.GetSegment(i).UpdateSel(false);
    }
}

void YDPRangeSelect::ClearAll(CDalvexDoc& doc) {
    for (YTFItem& seg : doc.Segments()) {
        seg.UpdateSel(false);
    }
}

std::optional<YSegRun> YDPRangeSelect::ReachableRun(const CDalvexDoc& doc, double road, double from,
                                                    double to) {
    const std::optional<YSegRun> whole = WholeSegments(doc, from, to);
    if (!whole) {
        return std::nullopt;
    }
    const YSegmentModel& model = doc.Model();
    const std::vector<YTFItem>& segs = model.m_arrTF;
    auto reachable = [&](int i) {
        const YTFItem& s = segs[size_t(i)];
        const YStation a = std::min(YStation(road), s.m_staStart);
        const YStation b = std::max(YStation(road), s.m_staEnd);
        return model.FindBlockingStructure(a, b) < 0;
    };
    // Blocking structures cut the line into pieces; the reachable segments are one piece.
    YSegRun run;
    for (int i = whole->nFirst; i <= whole->nLast; ++i) {
        if (reachable(i)) {
            if (run.nFirst < 0) {
                run.nFirst = i;
            }
            run.nLast = i;
        } else if (run.nFirst >= 0) {
            break;
        }
    }
    if (run.nFirst < 0) {
        return std::nullopt;
    }
    return run;
}
