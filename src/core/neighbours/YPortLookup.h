#pragma once

#include <QString>
#include <optional>

class CDalvexDoc;

// A port of [相邻项目] as cross-project operations need it: which project is on the other
// side, where to find it, and the segment of that project the port belongs to.
struct YPort {
    int nNo = 0;           // 编号
    double dSta = 0.0;     // 桩号: this project's station of the port, m
    double dDist = 0.0;    // 距离: crossing distance, m
    QString strName;       // 相邻项目名称
    QString strPath;       // 相邻项目路径 as stored
    QString strGuid;       // 相邻项目GUID
    int nNearSegment = -1; // 相邻项目分段
};

// Finds ports by their number and the open project behind them. Every operation that follows
// a cross-project process (undo, redo, purge of its partner) goes through here, so the failure
// messages are the same everywhere.
class YPortLookup {
  public:
    // The port with that 编号 in the project's [相邻项目]; empty when the table is not there or
    // has no such row.
    [[nodiscard]] static std::optional<YPort> FindPort(CDalvexDoc& doc, int nNo);

    // The open project behind the port numbered nNo, with its allocation started. Null, after
    // the message, when the port is unknown, the project is not open ("没有打开调配文件:" and
    // the stored path) or has no segments loaded ("项目“%s”没有开始调配").
    [[nodiscard]] static CDalvexDoc* FindPartner(CDalvexDoc& doc, int nNo, YPort* pPort = nullptr);
};
