#include "core/document/YDocInfo.h"

#include "core/db/YPrjFDSet.h"
#include "core/document/CDalvexDoc.h"

#include <QJsonArray>
#include <numeric>

namespace {
double Sum(const YTFItem::ClassValues& v) {
    return std::accumulate(v.begin(), v.end(), 0.0);
}

QString Number(double v) {
    return QString::number(v, 'f', 3);
}
} // namespace

YDocInfo YDocInfo::Collect(CDalvexDoc& doc) {
    YDocInfo info;
    info.strName = doc.GetProjectName();
    info.strGuid = doc.GetGuid();
    info.strLabel = doc.GetStationLabel().isEmpty() ? QStringLiteral("K") : doc.GetStationLabel();
    info.nCurrentSegment = doc.GetCurrentSegment();
    if (doc.GetVersion() >= 5) {
        YPrjFDSet set(doc.GetDatabase());
        if (set.Open()) {
            for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
                info.segments.push_back({set.m_nSegment, set.m_strEnd});
            }
        }
    }
    (void)doc.ReloadModel();
    info.nSegmentCount = doc.GetSegmentCount();
    info.dMaxArea = doc.GetMaxArea();
    for (const YTFItem& item : doc.Segments()) {
        info.dRemUsable += Sum(item.m_dRemUse);
        info.dRemUnusable += Sum(item.m_dRemUnuse);
        info.dRemFill += item.m_dRemFill;
    }
    return info;
}

QString YDocInfo::Text() const {
    QString text = QStringLiteral("项目名称: %1\nGUID: %2\n项目标识: %3\n当前分段: %4\n")
                       .arg(strName, strGuid, strLabel)
                       .arg(nCurrentSegment);
    text += QStringLiteral("项目分段:");
    if (segments.empty()) {
        text += QStringLiteral(" (无)");
    }
    text += u'\n';
    for (const Segment& s : segments) {
        text += QStringLiteral("  分段%1终止桩号%2\n").arg(s.nNo).arg(s.strEnd);
    }
    text += QStringLiteral("计算段数: %1\n最大面积: %2\n剩余可用挖余: %3\n剩余不可用挖余: %4\n"
                           "剩余填方: %5\n")
                .arg(nSegmentCount)
                .arg(Number(dMaxArea), Number(dRemUsable), Number(dRemUnusable), Number(dRemFill));
    return text;
}

QJsonObject YDocInfo::Json() const {
    QJsonArray list;
    for (const Segment& s : segments) {
        list.append(
            QJsonObject{{QStringLiteral("number"), s.nNo}, {QStringLiteral("end"), s.strEnd}});
    }
    return QJsonObject{{QStringLiteral("name"), strName},
                       {QStringLiteral("guid"), strGuid},
                       {QStringLiteral("stationLabel"), strLabel},
                       {QStringLiteral("currentSegment"), nCurrentSegment},
                       {QStringLiteral("segments"), list},
                       {QStringLiteral("segmentCount"), nSegmentCount},
                       {QStringLiteral("maxArea"), dMaxArea},
                       {QStringLiteral("remainingUsable"), dRemUsable},
                       {QStringLiteral("remainingUnusable"), dRemUnusable},
                       {QStringLiteral("remainingFill"), dRemFill}};
}
