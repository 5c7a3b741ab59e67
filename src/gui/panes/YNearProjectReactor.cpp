#include "gui/panes/YNearProjectReactor.h"

#include "core/document/CDalvexDoc.h"

namespace {
YNearProjectReactor* g_pActiveNearReactor = nullptr;
std::function<void()>& Listener() {
    static std::function<void()> listener;
    return listener;
}
} // namespace

YNearProjectReactor::~YNearProjectReactor() {
    if (g_pActiveNearReactor == this) {
        g_pActiveNearReactor = nullptr;
        Set(0); // the pane hides at its next idle moment
    }
}

YNearProjectReactor* YNearProjectReactor::Active() {
    return g_pActiveNearReactor;
}

void YNearProjectReactor::SetChangeListener(std::function<void()> listener) {
    Listener() = std::move(listener);
}

void YNearProjectReactor::Set(quint32 on, quint32 off) {
    m_nFlags = (m_nFlags & ~off) | on;
    if (Listener()) {
        Listener()();
    }
}

void YNearProjectReactor::Follow() {
    const CDalvexDoc* doc = GetDocument();
    if (doc != nullptr && doc->GetSegmentCount() > 0) {
        Set(NR_SHOW | NR_REFRESH, NR_HIDE);
    } else {
        Set(NR_HIDE, NR_SHOW);
    }
}

void YNearProjectReactor::OnReload() {
    if (GetDocument() != nullptr && GetDocument()->GetSegmentCount() > 0) {
        Set(NR_SHOW | NR_REFRESH, NR_HIDE);
    }
}

void YNearProjectReactor::OnReset() {
    Set(NR_HIDE, NR_SHOW);
}

void YNearProjectReactor::OnActivate(YDocView*) {
    g_pActiveNearReactor = this;
    Follow();
}

void YNearProjectReactor::OnSourcePicked() {
    Set(NR_REFRESH | NR_FRONT);
}

void YNearProjectReactor::OnToolReset() {
    Set(NR_REFRESH | NR_BACK);
}
