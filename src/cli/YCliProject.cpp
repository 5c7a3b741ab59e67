#include "cli/YCliProject.h"

#include "core/document/CDalvexDoc.h"

#include <QFileInfo>

CDalvexDoc* YCliProject::Open(const QString& path) {
    CDalvexDoc* doc = m_manager.OpenDocumentFile(QFileInfo(path).absoluteFilePath());
    if (!doc) {
        return nullptr;
    }
    std::vector<CDalvexDoc*> docs;
    m_manager.ListDocuments(docs);
    // Neighbours first, so the project's own reload finds them started.
    for (CDalvexDoc* d : docs) {
        if (d != doc) {
            (void)d->ReloadModel();
        }
    }
    (void)doc->ReloadModel();
    return doc;
}

std::optional<int> YCliProject::TakeInt(QStringList& args, const QString& name, bool& bad) {
    const int i = int(args.indexOf(name));
    if (i < 0) {
        return std::nullopt;
    }
    bool ok = false;
    const int value = i + 1 < args.size() ? args.at(i + 1).toInt(&ok) : 0;
    args.remove(i, i + 1 < args.size() ? 2 : 1);
    bad = bad || !ok;
    return value;
}
