#include "core/neighbours/YPortLookup.h"

#include "core/db/YNearPrjSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

std::optional<YPort> YPortLookup::FindPort(CDalvexDoc& doc, int nNo) {
    if (doc.GetVersion() < 6) {
        return std::nullopt;
    }
    YNearPrjSet& set = doc.GetNearPrjSet();
    if (!set.IsOpen() || !set.Seek({double(nNo)})) {
        return std::nullopt;
    }
    YPort port;
    port.nNo = set.m_nNo;
    port.dSta = set.m_sta.Value();
    port.dDist = set.m_dDistance;
    port.strName = set.m_strNearName;
    port.strPath = set.m_strNearPath;
    port.strGuid = set.m_strNearGUID;
    port.nNearSegment = set.m_nNearSegment;
    return port;
}

CDalvexDoc* YPortLookup::FindPartner(CDalvexDoc& doc, int nNo, YPort* pPort) {
    const std::optional<YPort> port = FindPort(doc, nNo);
    if (!port) {
        // The log names a port the table no longer has: the other project cannot be found.
        doc.UserIO().Error(QStringLiteral("没有打开调配文件:"));
        return nullptr;
    }
    if (pPort) {
        *pPort = *port;
    }
    CDalvexDoc* other = doc.FindOpenProject(port->strGuid);
    if (!other) {
        doc.UserIO().Error(QStringLiteral("没有打开调配文件:") + port->strPath);
        return nullptr;
    }
    if (other->GetSegmentCount() == 0) {
        doc.UserIO().Error(QStringLiteral("项目“%1”没有开始调配").arg(port->strName));
        return nullptr;
    }
    return other;
}
