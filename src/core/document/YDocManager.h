#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class CDalvexDoc;
class YDocFrontEnd;
class YUserIO;

// How a program opens its projects. A writer holds the project's lock ("<file>.lock") while the
// project is open, so a second writer is refused instead of interleaving its changes; a reader
// takes no lock and reads one consistent state of the file.
enum class YOpenAccess { Write, Read };

// The open-project registry: the part of the application object that is not windows. One per
// program (the desktop program and dalvex-cli each make one); it owns the open documents in
// the order they were opened and holds the pending-open list through which opening one project
// opens every project reachable through neighbour links.
class YDocManager {
  public:
    explicit YDocManager(YUserIO& io, YOpenAccess access = YOpenAccess::Write);
    ~YDocManager();
    YDocManager(const YDocManager&) = delete;
    YDocManager& operator=(const YDocManager&) = delete;

    YUserIO& UserIO() const { return m_io; }
    // The front end is told of new, closing and activated documents; may be null.
    void SetFrontEnd(YDocFrontEnd* pFrontEnd) { m_pFrontEnd = pFrontEnd; }

    // Opens a project and, after it, every project queued while projects load (neighbours),
    // each path once; the first project's window is brought back to the front when others
    // were opened. Null when the requested project cannot be opened (its messages were shown).
    CDalvexDoc* OpenDocumentFile(const QString& path);
    // Creates a new project file at path (overwriting it) and opens it; null on failure.
    CDalvexDoc* NewDocumentFile(const QString& path);
    // Appends a path to the pending-open list unless an equal string is already in it.
    void QueueOpen(const QString& path);
    const QStringList& PendingOpen() const { return m_pendingOpen; }

    // The open document whose project GUID equals guid exactly, or null.
    CDalvexDoc* FindOpenProject(const QString& guid) const;
    // The open document whose file is path (same file after canonicalisation), or null.
    CDalvexDoc* FindByPath(const QString& path) const;
    // Appends every open document to docs, in opening order.
    void ListDocuments(std::vector<CDalvexDoc*>& docs) const;
    int DocumentCount() const { return int(m_docs.size()); }
    // Brings the document's window to the front (through the front end).
    void ActivateProject(CDalvexDoc& doc);

    // Closes one document (DeleteContents, then destroyed); false when it is not ours.
    bool CloseDocument(CDalvexDoc* pDoc);
    void CloseAll();

  private:
    // The document manager's open: an open document is only activated; otherwise a new one is
    // loaded, kept and shown. Null on failure.
    CDalvexDoc* OpenOne(const QString& path);
    CDalvexDoc* Adopt(std::unique_ptr<CDalvexDoc> doc);

    YUserIO& m_io;
    YOpenAccess m_access;
    YDocFrontEnd* m_pFrontEnd = nullptr;
    std::vector<std::unique_ptr<CDalvexDoc>> m_docs;
    // Paths queued to be opened after the project being opened; empty between two calls of
    // OpenDocumentFile.
    QStringList m_pendingOpen;
};
