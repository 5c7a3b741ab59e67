#include "core/neighbours/YNearPrjList.h"

#include "core/document/CDalvexDoc.h"
#include "core/neighbours/YPortPairSetup.h"

#include <algorithm>

namespace {

const std::vector<YNearPrjItem>& LinksOf(const CDalvexDoc& doc) {
    return doc.Model().m_arrNearPrj;
}

// The key order of the list: GUID texts byte-wise, a project's ports by station before the
// project's own entry.
bool Before(const CDalvexDoc& d, const YNearListEntry& a, const YNearListEntry& b) {
    const QByteArray ka = a.strKey.toUtf8();
    const QByteArray kb = b.strKey.toUtf8();
    if (ka != kb) {
        return ka < kb;
    }
    if (a.IsPort() != b.IsPort()) {
        return a.IsPort();
    }
    return a.IsPort() && LinksOf(d)[size_t(a.nLink)].m_sta < LinksOf(d)[size_t(b.nLink)].m_sta;
}

QString ProjectLine(const char* format, const QString& name) {
    return QString::fromUtf8(format).arg(name);
}

QStringList ProjectLines(const CDalvexDoc& d, const CDalvexDoc& n, const YNearToolState& tool) {
    if (tool.pSource == &d) {
        return {ProjectLine("调到相邻项目: %1", n.GetProjectName()),
                QStringLiteral("新建调出口...")};
    }
    if (tool.pSource == &n) {
        return {ProjectLine("从相邻项目调入: %1", n.GetProjectName()), QString()};
    }
    return {ProjectLine("相邻项目: %1", n.GetProjectName()), QStringLiteral("双击切换到该项目")};
}

QStringList LinkLines(const CDalvexDoc& d, int i, const CDalvexDoc* n, const YNearToolState& tool) {
    const YNearPrjItem& link = LinksOf(d)[size_t(i)];
    const QString here = d.Numbering().Text(link.m_sta);
    if (n == nullptr) {
        // Nothing to hand over to a closed project; the port still says where it is.
        return {ProjectLine("相邻项目: %1", link.m_strName), ProjectLine("本地桩号: %1", here),
                QStringLiteral("（该项目没有打开）")};
    }
    const QString there = n->Numbering().Text(link.m_staNear);
    if (tool.pSource == &d) {
        return {ProjectLine("调到相邻项目: %1", link.m_strName), ProjectLine("出口桩号: %1", here),
                ProjectLine("入口桩号: %1", there)};
    }
    if (tool.pSource == n) {
        const bool bChosen = tool.pDest == &d && tool.nEntry >= 0 &&
                             tool.nEntry < int(LinksOf(d).size()) &&
                             LinksOf(d)[size_t(tool.nEntry)].m_nNo == link.m_nNo;
        return {
            ProjectLine(bChosen ? "<-从相邻项目调入: %1" : "  从相邻项目调入: %1", link.m_strName),
            ProjectLine("入口桩号: %1", here), ProjectLine("出口桩号: %1", there)};
    }
    return {ProjectLine("相邻项目: %1", link.m_strName), ProjectLine("本地桩号: %1", here),
            ProjectLine("相邻桩号: %1", there)};
}

} // namespace

std::vector<YNearListEntry> YNearPrjList::Build(const CDalvexDoc& d, const YNearToolState& tool,
                                                int* pSelected) {
    const CDalvexDoc* pending = nullptr;
    int chosen = -1;
    if (tool.pDest == &d && tool.nEntry >= 0 && tool.pSource != nullptr) {
        pending = tool.pSource;
        chosen = tool.nEntry;
    }
    std::vector<YNearListEntry> entries;
    const auto& links = LinksOf(d);
    for (int i = 0; i < int(links.size()); ++i) {
        const YNearPrjItem& link = links[size_t(i)];
        if (pending != nullptr && link.m_strGuid != pending->GetGuid()) {
            continue;
        }
        if (link.m_nNearSeg == d.GetCurrentSegment()) {
            entries.push_back({link.m_strGuid, i});
        }
    }
    if (pending == nullptr && d.GetManager() != nullptr) {
        std::vector<CDalvexDoc*> docs;
        d.GetManager()->ListDocuments(docs);
        for (const CDalvexDoc* other : docs) {
            if (other != &d) {
                entries.push_back({other->GetGuid(), -1});
            }
        }
    }
    std::stable_sort(
        entries.begin(), entries.end(),
        [&d](const YNearListEntry& a, const YNearListEntry& b) { return Before(d, a, b); });
    if (pSelected != nullptr) {
        const auto it = std::find_if(entries.begin(), entries.end(), [chosen](const auto& e) {
            return chosen >= 0 && e.nLink == chosen;
        });
        *pSelected = it == entries.end() ? -1 : int(it - entries.begin());
    }
    return entries;
}

QStringList YNearPrjList::Lines(const CDalvexDoc& d, const YNearListEntry& entry,
                                const YNearToolState& tool) {
    const CDalvexDoc* n = d.FindOpenProject(entry.strKey);
    if (entry.IsPort()) {
        return LinkLines(d, entry.nLink, n, tool);
    }
    return n != nullptr ? ProjectLines(d, *n, tool) : QStringList();
}

YNearPrjList::Action YNearPrjList::OnDoubleClick(CDalvexDoc& d, const YNearListEntry& entry,
                                                 const YNearToolState& tool) {
    Action action;
    CDalvexDoc* n = d.FindOpenProject(entry.strKey);
    if (n == nullptr) {
        return action;
    }
    action.pTarget = n;
    if (!entry.IsPort()) {
        action.kind = tool.pSource == &d ? Action::ChoosePorts : Action::Activate;
        return action;
    }
    const YNearPrjItem& link = LinksOf(d)[size_t(entry.nLink)];
    if (tool.pSource != &d && tool.pSource != n) {
        action.kind = Action::Activate;
        return action;
    }
    const int mirror = YPortPairSetup::FindMirror(d, link, *n);
    if (mirror < 0) {
        return action; // a port without its other half leads nowhere
    }
    if (tool.pSource == &d) {
        // The exit from D is chosen: the haul goes on into N through the mirror.
        action.kind = Action::SetPorts;
        action.ports = {.pSource = &d, .pDest = n, .nEntry = mirror, .nExit = entry.nLink};
        if (n->GetCurrentSegment() != link.m_nNearSeg) {
            action.nSwitchSegment = link.m_nNearSeg;
        }
        return action;
    }
    // The entry into D is chosen for a source in N; choosing it again drops it.
    if (tool.pDest == &d && tool.nEntry == entry.nLink) {
        action.kind = Action::ClearPorts;
        return action;
    }
    action.kind = Action::SetPorts;
    action.ports = {.pSource = n, .pDest = &d, .nEntry = entry.nLink, .nExit = mirror};
    action.bActivate = false;
    return action;
}
