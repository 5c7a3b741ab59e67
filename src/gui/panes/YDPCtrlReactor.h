#pragma once

#include "core/document/YReactor.h"

#include <QPointer>

class YDPCtrlBar;

// The observer of one document for the settings pane "调配设置": when the document becomes
// active, is reloaded or cleared, it tells the pane, which shows itself while the active
// document has segments.
class YDPCtrlReactor : public YReactor {
  public:
    explicit YDPCtrlReactor(YDPCtrlBar& bar);

    void OnReload() override;
    void OnReset() override;
    void OnActivate(YDocView* pView) override;

  private:
    QPointer<YDPCtrlBar> m_pBar;
};
