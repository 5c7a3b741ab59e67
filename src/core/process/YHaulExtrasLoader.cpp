#include "core/process/YHaulExtrasLoader.h"

#include "core/db/YGzwSet.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/document/CDalvexDoc.h"

namespace {
template <class Set, class F> void Walk(Set& set, F&& fn) {
    if (!set.IsOpen()) {
        return;
    }
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        fn(set);
    }
}
} // namespace

YHaulExtras YHaulExtrasLoader::Load(CDalvexDoc& doc) {
    YHaulExtras e;
    Walk(doc.GetQtkSet(), [&](YQtkSet& s) { e.borrowBranch.push_back(s.m_dBranch); });
    Walk(doc.GetQitkSet(), [&](YQitkSet& s) { e.wasteBranch.push_back(s.m_dBranch); });
    Walk(doc.GetGzwSet(), [&](YGzwSet& s) {
        e.structures.push_back({s.m_staStart, s.m_staEnd, s.m_bCrossable, s.m_dDetour});
    });
    if (doc.GetVersion() >= 6) {
        Walk(doc.GetNearPrjSet(), [&](YNearPrjSet& s) { e.linkDistance[s.m_nNo] = s.m_dDistance; });
    }
    return e;
}
