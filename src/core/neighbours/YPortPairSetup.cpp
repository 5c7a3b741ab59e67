#include "core/neighbours/YPortPairSetup.h"

#include "core/db/YDatabase.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YTransaction.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YNearPrjItem.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>
#include <algorithm>

namespace {
// Two stored paths name the same file once both are made absolute and canonical.
bool SameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists()) {
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    }
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}
} // namespace

YPortPairSetup::YPortPairSetup(CDalvexDoc& source, CDalvexDoc& dest)
    : m_source(source), m_dest(dest) {}

const QString& YPortPairSetup::SourceName() const {
    return m_source.GetProjectName();
}

const QString& YPortPairSetup::DestName() const {
    return m_dest.GetProjectName();
}

std::vector<YPortPairSetup::Entry> YPortPairSetup::Entries() const {
    std::vector<Entry> entries{{QStringLiteral("新建调出调入口"), -1}};
    const auto& links = m_source.Model().m_arrNearPrj;
    for (size_t i = 0; i < links.size(); ++i) {
        const YNearPrjItem& link = links[i];
        if (link.m_strGuid != m_dest.GetGuid() || link.m_nNearSeg != m_dest.GetCurrentSegment()) {
            continue;
        }
        const QString text = m_source.Numbering().Text(link.m_sta) +
                             QString::asprintf("~%.3lf~", link.m_dDist) +
                             m_dest.Numbering().Text(link.m_staNear);
        entries.push_back({text, static_cast<int>(i)});
    }
    return entries;
}

std::optional<YPortPairSetup::Ports> YPortPairSetup::UseExisting(int link) {
    const auto& sourceLinks = m_source.Model().m_arrNearPrj;
    if (link < 0 || link >= static_cast<int>(sourceLinks.size())) {
        return std::nullopt;
    }
    const YNearPrjItem& exit = sourceLinks[size_t(link)];
    const auto& destLinks = m_dest.Model().m_arrNearPrj;
    for (size_t j = 0; j < destLinks.size(); ++j) {
        const YNearPrjItem& cand = destLinks[j];
        if (SameFile(m_dest.ResolveNeighbourPath(cand.m_strPath), m_source.GetPathName()) &&
            cand.m_sta == exit.m_staNear && cand.m_staNear == exit.m_sta) {
            return Ports{link, static_cast<int>(j)};
        }
    }
    m_source.UserIO().Warning(QStringLiteral("所选调出调入口数据已经损坏,请重新选择！"));
    return std::nullopt;
}

std::optional<YPortPairSetup::Ports>
YPortPairSetup::CreatePort(const YStation& exitSta, double dist, const YStation& entrySta) {
    for (const YNearPrjItem& link : m_source.Model().m_arrNearPrj) {
        if (link.m_strGuid == m_dest.GetGuid() && link.m_nNearSeg == m_dest.GetCurrentSegment() &&
            link.m_sta == exitSta && link.m_staNear == entrySta) {
            m_source.UserIO().Warning(QStringLiteral("已经有相同位置的调出调入口"));
            return std::nullopt;
        }
    }
    if (!m_source.GetNearPrjSet().IsOpen() || !m_dest.GetNearPrjSet().IsOpen()) {
        m_source.UserIO().Error(QStringLiteral("项目文件中没有相邻项目表,不能建立调出调入口。"));
        return std::nullopt;
    }
    // Both files change together: a port that exists on one side only would be damaged.
    YTransaction sourceTr(m_source.GetDatabase());
    YTransaction destTr(m_dest.GetDatabase());
    auto& sourceLinks = m_source.Model().m_arrNearPrj;
    auto& destLinks = m_dest.Model().m_arrNearPrj;
    const size_t sourceCount = sourceLinks.size();
    const size_t destCount = destLinks.size();
    const int exitIndex = AppendLink(m_source, m_dest, exitSta, entrySta, dist);
    const int entryIndex =
        exitIndex < 0 ? -1 : AppendLink(m_dest, m_source, entrySta, exitSta, dist);
    if (entryIndex < 0 || !sourceTr.Commit() || !destTr.Commit()) {
        // The transactions roll the rows back; the model forgets the links with them.
        sourceLinks.resize(std::min(sourceCount, sourceLinks.size()));
        destLinks.resize(std::min(destCount, destLinks.size()));
        m_source.UserIO().Error(QStringLiteral("建立调出调入口失败:") +
                                m_source.GetNearPrjSet().LastError() +
                                m_dest.GetNearPrjSet().LastError());
        return std::nullopt;
    }
    return Ports{exitIndex, entryIndex};
}

int YPortPairSetup::NextNumber(CDalvexDoc& doc) {
    int last = 0;
    for (const YNearPrjItem& link : doc.Model().m_arrNearPrj) {
        last = std::max(last, static_cast<int>(link.m_nNo));
    }
    // The table may hold ports of other segments the model did not load.
    YNearPrjSet& set = doc.GetNearPrjSet();
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        last = std::max(last, static_cast<int>(set.m_nNo));
    }
    return last + 1;
}

int YPortPairSetup::AppendLink(CDalvexDoc& self, CDalvexDoc& other, const YStation& sta,
                               const YStation& staNear, double dist) {
    YNearPrjItem link;
    link.m_nNo = NextNumber(self);
    link.m_sta = sta;
    link.m_staNear = staNear;
    link.m_dDist = dist;
    link.m_strName = other.GetProjectName();
    link.m_strPath = self.MakeNeighbourPath(QFileInfo(other.GetPathName()).absoluteFilePath());
    link.m_strGuid = other.GetGuid();
    link.m_nNearSeg = other.GetCurrentSegment();

    YNearPrjSet& set = self.GetNearPrjSet();
    set.AddNew();
    set.m_nNo = link.m_nNo;
    set.m_sta = link.m_sta;
    set.m_staNear = link.m_staNear;
    set.m_dDistance = link.m_dDist;
    set.m_strNearName = link.m_strName;
    set.m_strNearPath = link.m_strPath;
    set.m_strNearGUID = link.m_strGuid;
    set.m_nNearSegment = static_cast<qint16>(link.m_nNearSeg);
    if (!set.Update()) {
        return -1;
    }
    auto& links = self.Model().m_arrNearPrj;
    links.push_back(link);
    return static_cast<int>(links.size()) - 1;
}

int YPortPairSetup::FindMirror(const CDalvexDoc& d, const YNearPrjItem& link, const CDalvexDoc& n) {
    const auto& links = n.Model().m_arrNearPrj;
    for (size_t i = 0; i < links.size(); ++i) {
        const YNearPrjItem& cand = links[i];
        if (cand.m_strGuid == d.GetGuid() && cand.m_sta == link.m_staNear &&
            cand.m_staNear == link.m_sta) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
