#pragma once

#include "core/station/YStation.h"

#include <QString>
#include <optional>
#include <vector>

class CDalvexDoc;
class YNearPrjItem;

// The port dialog's work without the dialog ("跨项目调配设置", source S, destination D): the
// existing port pairs from S to D it offers, the check of a chosen pair against its mirror in
// D, and the creation of a new pair in both projects by the mirror rule:
//
//   column      row in S                        row in D
//   编号        last 编号 of S + 1 (1 if none)   last 编号 of D + 1 (1 if none)
//   桩号        exit station (in S)             entry station (in D)
//   相邻桩号    entry station (in D)            exit station (in S)
//   距离        the distance                    the same distance
//   名称/路径/GUID/分段  D's name, path relative to S's folder, GUID, current segment — and
//                      the mirror for D's row.
//
// Ports are returned as indices into each document's link array (YSegmentModel::m_arrNearPrj).
class YPortPairSetup {
  public:
    // One line of the combo box "已有调入调出口": its text and item data (a link index of S, or
    // −1 for "新建调出调入口").
    struct Entry {
        QString strText;
        int nLink = -1;
    };
    struct Ports {
        int nExit = -1;  // link index in S
        int nEntry = -1; // link index in D
    };

    YPortPairSetup(CDalvexDoc& source, CDalvexDoc& dest);

    const QString& SourceName() const;
    const QString& DestName() const;

    // "新建调出调入口" first, then every link of S to D's GUID made for D's current segment:
    // S's station, "~%.3lf~" with the distance, D's station, each station shown with its own
    // project's chain breaks.
    std::vector<Entry> Entries() const;

    // OK with existing port i of S: the mirror in D (path back to S, stations swapped) gives the
    // entry port. Empty, after "所选调出调入口数据已经损坏,请重新选择！", when it is missing.
    std::optional<Ports> UseExisting(int link);
    // OK with a new port: refused after "已经有相同位置的调出调入口" when S already has a link to
    // D at these stations for D's current segment; otherwise one row and link are appended in
    // each project, both files written together or neither.
    std::optional<Ports> CreatePort(const YStation& exitSta, double dist, const YStation& entrySta);

    // The mirror of D's link in N (the pane's double-click): the first link of N to D's GUID
    // whose station is the link's neighbour station and whose neighbour station is the link's
    // station; −1 when none.
    static int FindMirror(const CDalvexDoc& d, const YNearPrjItem& link, const CDalvexDoc& n);

  private:
    // Appends the row and the link of one side; returns its index, −1 on failure (rolled back
    // by the caller's transaction).
    static int AppendLink(CDalvexDoc& self, CDalvexDoc& other, const YStation& sta,
                          const YStation& staNear, double dist);
    static int NextNumber(CDalvexDoc& doc);

    CDalvexDoc& m_source;
    CDalvexDoc& m_dest;
};
