#include "cli/YCliAllocSession.h"

#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

#include <QFileInfo>
#include <vector>

CDalvexDoc* YCliAllocSession::Open(const QString& path) {
    CDalvexDoc* doc = m_manager.OpenDocumentFile(QFileInfo(path).absoluteFilePath());
    if (doc == nullptr) {
        return nullptr;
    }
    std::vector<CDalvexDoc*> docs;
    m_manager.ListDocuments(docs);
    // Neighbours first, so that the project's own reload finds them started.
    for (CDalvexDoc* other : docs) {
        if (other != doc && other->GetSegmentCount() == 0) {
            (void)other->ReloadModel();
        }
    }
    if (doc->GetSegmentCount() == 0) {
        (void)doc->ReloadModel();
    }
    return doc;
}

bool YCliAllocSession::RequireSegments(CDalvexDoc& doc, YUserIO& io) {
    if (doc.GetSegmentCount() > 0) {
        return true;
    }
    io.Error(QStringLiteral("%1 没有可调配的计算段落,请先进行数据预处理。").arg(doc.GetTitle()));
    return false;
}
