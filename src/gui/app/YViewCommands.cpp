#include "gui/app/YViewCommands.h"

#include "core/db/YSQXSet.h"
#include "core/document/CDalvexDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/YTool.h"

void YViewCommands::Register() {
    CMainFrame& frame = m_frame;
    const auto hasSegments = [&frame] {
        CDalvexView* view = frame.ActiveView();
        return view != nullptr && view->Document().GetSegmentCount() > 0;
    };
    const struct {
        int id;
        const char* name; // the tool's registered class name
    } tools[] = {{YCmd::ToolSelect, "选择"},     {YCmd::ToolZoomIn, "放大"},
                 {YCmd::ToolZoomOut, "缩小"},    {YCmd::ToolZoom, "缩放"},
                 {YCmd::ToolZoomHV, "纵横缩放"}, {YCmd::ToolPan, "平移"}};
    for (const auto& tool : tools) {
        const QString name = QString::fromUtf8(tool.name);
        frame.SetCommand(tool.id, {[name] {
                                       YToolState::SetCurrentTool(
                                           YClassRegistry::Find(YTool::ClassRecord(), name));
                                   },
                                   hasSegments,
                                   [name] {
                                       const YTool* current = YToolState::Current();
                                       return current != nullptr && current->ClassOf() != nullptr &&
                                              current->ClassOf()->name == name;
                                   }});
    }
    // A display switch of the active view: run inverts it, the mark shows it.
    const auto viewSwitch = [&frame](bool (CDalvexView::*get)() const,
                                     void (CDalvexView::*set)(bool)) {
        return std::pair{[&frame, get, set] {
                             if (CDalvexView* v = frame.ActiveView()) {
                                 (v->*set)(!(v->*get)());
                             }
                         },
                         [&frame, get] {
                             CDalvexView* v = frame.ActiveView();
                             return v != nullptr && (v->*get)();
                         }};
    };
    const auto [marksRun, marksChecked] =
        viewSwitch(&CDalvexView::SmallMarks, &CDalvexView::SetSmallMarks);
    frame.SetCommand(YCmd::SmallMarks, {marksRun, hasSegments, marksChecked});
    const auto [pitsRun, pitsChecked] =
        viewSwitch(&CDalvexView::FixedPits, &CDalvexView::SetFixedPits);
    frame.SetCommand(YCmd::FixedPits, {pitsRun, hasSegments, pitsChecked});
    const auto [profileRun, profileChecked] =
        viewSwitch(&CDalvexView::ShowProfile, &CDalvexView::SetShowProfile);
    // The grade band needs the vertical-curve table; it is there while [竖曲线] is open.
    frame.SetCommand(YCmd::ShowProfile, {profileRun,
                                         [&frame] {
                                             CDalvexView* v = frame.ActiveView();
                                             return v != nullptr && v->Document().IsOpen() &&
                                                    v->Document().GetSQXSet().IsOpen();
                                         },
                                         profileChecked});
    const auto [massHaulRun, massHaulChecked] =
        viewSwitch(&CDalvexView::ShowMassHaul, &CDalvexView::SetShowMassHaul);
    frame.SetCommand(YCmd::ShowMassHaul, {massHaulRun, hasSegments, massHaulChecked});
    frame.SetCommand(YCmd::ZoomAll, {[&frame] {
                                         if (CDalvexView* v = frame.ActiveView()) {
                                             v->ZoomAll();
                                         }
                                     },
                                     hasSegments,
                                     {}});
}
