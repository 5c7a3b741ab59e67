#pragma once

#include <QJsonObject>
#include <QString>
#include <vector>

class CDalvexDoc;

// What a project says about itself once loaded: its identity, its segments and the figures of
// the model of the current segment. Collected by dalvex-cli info (and any other front end that
// wants a summary without a window).
struct YDocInfo {
    struct Segment {
        int nNo = 0;    // 分段编号
        QString strEnd; // 结束桩号 as stored
    };

    QString strName;
    QString strGuid;
    QString strLabel; // 项目标识 ("K" when empty)
    int nCurrentSegment = -1;
    std::vector<Segment> segments;
    // Model of the current segment (all zero when there are no computed results).
    int nSegmentCount = 0;
    double dMaxArea = 0.0;     // m²
    double dRemUsable = 0.0;   // remaining usable surplus, natural m³
    double dRemUnusable = 0.0; // remaining unusable surplus, natural m³
    double dRemFill = 0.0;     // fill still needed, compacted m³

    // Rebuilds the document's model (ReloadModel) and reads the figures. The segment rows are
    // walked on a record set of their own, so the document's current segment is kept.
    static YDocInfo Collect(CDalvexDoc& doc);

    // "项目名称: …" lines for the plain output.
    QString Text() const;
    QJsonObject Json() const;
};
