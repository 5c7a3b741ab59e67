#pragma once

#include "core/station/YStation.h"

#include <QString>

class YNearPrjSet;

// A port to a neighbouring project: one row of [相邻项目]. Every port is stored in both
// projects, each copy seen from its own side.
class YNearPrjItem {
  public:
    qint32 m_nNo = 0;       // 编号
    YStation m_sta;         // 桩号: connection point in this project
    YStation m_staNear;     // 相邻桩号: connection point in the other project
    double m_dDist = 0.0;   // 距离: haul distance across the boundary, m
    QString m_strName;      // 相邻项目名称
    QString m_strPath;      // 相邻项目路径, relative to this project's folder when possible
    QString m_strGuid;      // 相邻项目GUID
    qint32 m_nNearSeg = -1; // 相邻项目分段: the other project's segment when the port was made

    // Reads the current row of a [相邻项目] record set.
    void Load(const YNearPrjSet& row);
};
