#include "gui/panes/YDPCtrlReactor.h"

#include "core/document/CDalvexDoc.h"
#include "gui/panes/YDPCtrlBar.h"

YDPCtrlReactor::YDPCtrlReactor(YDPCtrlBar& bar) : m_pBar(&bar) {}

void YDPCtrlReactor::OnReload() {
    if (m_pBar != nullptr) {
        m_pBar->DocumentChanged(GetDocument());
    }
}

void YDPCtrlReactor::OnReset() {
    if (m_pBar != nullptr) {
        m_pBar->DocumentChanged(GetDocument());
    }
}

void YDPCtrlReactor::OnActivate(YDocView* /*pView*/) {
    if (m_pBar != nullptr) {
        m_pBar->Activate(GetDocument());
    }
}
