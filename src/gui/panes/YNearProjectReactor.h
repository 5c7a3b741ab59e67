#pragma once

#include "core/document/YReactor.h"

#include <QtGlobal>
#include <functional>

// The neighbours pane's observer of one document: notifications only set flags, which the pane
// reads at its next idle moment (YNearProjectBar). The reactor of the document whose view was
// activated last is the active one: the pane always shows that document.
class YNearProjectReactor : public YReactor {
  public:
    enum Flag : quint32 {
        NR_REFRESH = 1u << 0, // refill the list
        NR_FRONT = 1u << 1,   // bring the pane's tab to the front (a source was picked)
        NR_BACK = 1u << 2,    // give the front back to the tab before (the picks were dropped)
        NR_SHOW = 1u << 24,
        NR_HIDE = 1u << 25,
    };

    ~YNearProjectReactor() override;

    static YNearProjectReactor* Active();
    // Called whenever a reactor's flags changed (the pane asks for an idle update).
    static void SetChangeListener(std::function<void()> listener);

    quint32 Flags() const { return m_nFlags; }
    void ClearFlags(quint32 flags) { m_nFlags &= ~flags; }

    void OnReload() override;
    void OnReset() override;
    void OnActivate(YDocView* pView) override;
    void OnSourcePicked() override;
    void OnToolReset() override;

  private:
    void Set(quint32 on, quint32 off = 0);
    // NR_SHOW + NR_REFRESH while the document has segments, else NR_HIDE.
    void Follow();

    quint32 m_nFlags = 0;
};
