#pragma once

class CDalvexDoc;

// What the document manager asks of the program that shows documents. The desktop program
// creates and activates child frames; the command-line program and the tests need none of it
// (a manager without a front end only keeps the documents).
class YDocFrontEnd {
  public:
    virtual ~YDocFrontEnd() = default;
    // A document was created or opened: make its window (frame and diagram view).
    virtual void DocumentOpened(CDalvexDoc& doc) = 0;
    // The document is about to close: drop its windows.
    virtual void DocumentClosing(CDalvexDoc& doc) = 0;
    // Bring the document's first view to the front (ActivateFrame(-1)).
    virtual void ActivateDocument(CDalvexDoc& doc) = 0;
};
