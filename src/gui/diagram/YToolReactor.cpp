#include "gui/diagram/YToolReactor.h"

#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/YTool.h"

void YToolReactor::OnReset() {
    YToolState::ParkCurrent();
}

void YToolReactor::OnActivate(YDocView* pView) {
    auto* view = dynamic_cast<CDalvexView*>(pView);
    if (view == nullptr || view == YToolState::LastView()) {
        return;
    }
    YToolState::LastView() = view;
    if (YTool* tool = YToolState::Current()) {
        tool->Attach(view);
    }
}
