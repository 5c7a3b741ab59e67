#include "core/document/YDocManager.h"

#include "core/document/CDalvexDoc.h"
#include "core/document/YDocFrontEnd.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The same file seen through different spellings of its path compares equal.
QString FileKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
} // namespace

YDocManager::YDocManager(YUserIO& io, YOpenAccess access) : m_io(io), m_access(access) {}

YDocManager::~YDocManager() {
    // The windows may be gone already: the front end hears nothing of the last closing.
    m_pFrontEnd = nullptr;
    CloseAll();
}

CDalvexDoc* YDocManager::OpenDocumentFile(const QString& path) {
    m_pendingOpen.prepend(path);
    CDalvexDoc* pFirst = OpenOne(path);
    if (pFirst == nullptr) {
        // Nothing of this request may linger: a later request would otherwise walk (and open)
        // the leftovers of a failed one.
        m_pendingOpen.clear();
        return nullptr;
    }
    bool bOthers = false;
    // The list grows while projects load: each opened project queues its neighbours.
    for (qsizetype i = 1; i < m_pendingOpen.size(); ++i) {
        const QString next = m_pendingOpen.at(i);
        if (OpenOne(next) != nullptr) {
            bOthers = true;
        }
    }
    m_pendingOpen.clear();
    if (bOthers) {
        ActivateProject(*pFirst);
    }
    return pFirst;
}

CDalvexDoc* YDocManager::NewDocumentFile(const QString& path) {
    if (CDalvexDoc* pOpen = FindByPath(path)) {
        // Replacing the file of an open project would pull it from under that document.
        CloseDocument(pOpen);
    }
    auto doc = std::make_unique<CDalvexDoc>(m_io, this);
    if (!doc->OnNewDocument(path)) {
        return nullptr;
    }
    return Adopt(std::move(doc));
}

void YDocManager::QueueOpen(const QString& path) {
    if (!m_pendingOpen.contains(path)) {
        m_pendingOpen.append(path);
    }
}

CDalvexDoc* YDocManager::OpenOne(const QString& path) {
    if (CDalvexDoc* pOpen = FindByPath(path)) {
        ActivateProject(*pOpen);
        return pOpen;
    }
    auto doc = std::make_unique<CDalvexDoc>(m_io, this);
    doc->SetAccess(m_access);
    if (!doc->OnOpenDocument(path)) {
        return nullptr;
    }
    return Adopt(std::move(doc));
}

CDalvexDoc* YDocManager::Adopt(std::unique_ptr<CDalvexDoc> doc) {
    CDalvexDoc* p = doc.get();
    m_docs.push_back(std::move(doc));
    if (m_pFrontEnd != nullptr) {
        m_pFrontEnd->DocumentOpened(*p);
    }
    return p;
}

CDalvexDoc* YDocManager::FindOpenProject(const QString& guid) const {
    if (guid.isEmpty()) {
        return nullptr; // a project without a GUID cannot be told apart from another one
    }
    for (const auto& doc : m_docs) {
        if (doc->GetGuid() == guid) {
            return doc.get();
        }
    }
    return nullptr;
}

CDalvexDoc* YDocManager::FindByPath(const QString& path) const {
    const QString key = FileKey(path);
    for (const auto& doc : m_docs) {
        if (FileKey(doc->GetPathName()) == key) {
            return doc.get();
        }
    }
    return nullptr;
}

void YDocManager::ListDocuments(std::vector<CDalvexDoc*>& docs) const {
    for (const auto& doc : m_docs) {
        docs.push_back(doc.get());
    }
}

void YDocManager::ActivateProject(CDalvexDoc& doc) {
    if (m_pFrontEnd != nullptr) {
        m_pFrontEnd->ActivateDocument(doc);
    }
}

bool YDocManager::CloseDocument(CDalvexDoc* pDoc) {
    for (auto it = m_docs.begin(); it != m_docs.end(); ++it) {
        if (it->get() != pDoc) {
            continue;
        }
        if (m_pFrontEnd != nullptr) {
            m_pFrontEnd->DocumentClosing(*pDoc);
        }
        std::unique_ptr<CDalvexDoc> doc = std::move(*it);
        m_docs.erase(it);
        doc->DeleteContents();
        return true;
    }
    return false;
}

void YDocManager::CloseAll() {
    while (!m_docs.empty()) {
        CloseDocument(m_docs.back().get());
    }
}
