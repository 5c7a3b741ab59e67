#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class CDalvexDoc;

// What the allocation tool holds that the neighbours pane shows and changes: the project of a
// picked source (null while none is picked), and the destination project with its entry port
// (a link index of that project, −1 when none).
struct YNearToolState {
    CDalvexDoc* pSource = nullptr;
    CDalvexDoc* pDest = nullptr;
    int nEntry = -1;
    int nExit = -1;
};

// One line of the pane 相邻项目: the GUID of the project concerned and, for a port, the index
// of the port in the shown project's link array (−1: the entry of another open project).
struct YNearListEntry {
    QString strKey;
    int nLink = -1;
    bool IsPort() const { return nLink >= 0; }
};

// The list of the neighbours pane of project D, without the widgets: which entries it holds
// and in which order, their three lines of text, and what a double click on one does.
class YNearPrjList {
  public:
    // The entries for D: its ports made for D's current segment (while a haul into D from a
    // picked source is being prepared only the ports to the source's project), then one entry
    // per other open project unless such a haul is prepared. Sorted by key (byte-wise), within
    // one key the ports by station and the project last. *pSelected gets the line of the
    // tool's entry port, −1 when it is not listed.
    static std::vector<YNearListEntry> Build(const CDalvexDoc& d, const YNearToolState& tool,
                                             int* pSelected = nullptr);

    // The three lines of an entry, each station in its own project's numbering. An entry
    // whose project is not open names the port and says so.
    static QStringList Lines(const CDalvexDoc& d, const YNearListEntry& entry,
                             const YNearToolState& tool);

    // What a double click asks for.
    struct Action {
        enum Kind {
            None,        // nothing (a port whose mirror is missing)
            Activate,    // bring pTarget's window to the front
            SetPorts,    // give the tool ports (then activate pTarget unless bActivate is false)
            ClearPorts,  // drop the tool's ports, then activate pTarget
            ChoosePorts, // open the port dialog for D → pTarget, then activate pTarget
        } kind = None;
        CDalvexDoc* pTarget = nullptr;
        YNearToolState ports; // for SetPorts: source, exit, destination, entry
        bool bActivate = true;
        int nSwitchSegment = -1; // pTarget switches to this segment first (≥ 0)
    };
    static Action OnDoubleClick(CDalvexDoc& d, const YNearListEntry& entry,
                                const YNearToolState& tool);
};
