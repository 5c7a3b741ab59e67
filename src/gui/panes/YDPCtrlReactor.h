#pragma once

#include "core/document/YReactor.h"

#include <QPointer>

class YDPCtrlBar;

// The settings pane's observer of one document: when the document becomes active, is reloaded
// or cleared, it tells the pane, which shows itself while the active document has segments.
class YDPCtrlReactor : public YReactor {
  public:
    explicit YDPCtrlReactor(YDPCtrlBar& bar);

    void OnReload() override;
    void OnReset() override;
    void OnActivate(CDalvexView* pView) override;

  private:
    QPointer<YDPCtrlBar> m_pBar;
};
