#pragma once

// 视图 (view): a window showing a document, such as the desktop program's allocation diagram.
// The core never looks inside one; it only hands the view that changed or became active on to
// the document's reactors, which the windows of the same program implement.
class YDocView {
  public:
    YDocView() = default;
    virtual ~YDocView() = default;
    YDocView(const YDocView&) = delete;
    YDocView& operator=(const YDocView&) = delete;
};
