#pragma once

#include "core/document/YReactor.h"

// Keeps the program's current tool on the active view of the document, and parks it when the
// document's allocation data is reset.
class YToolReactor : public YReactor {
  public:
    void OnReset() override;
    void OnActivate(YDocView* pView) override;
};
