#include "gui/app/YDocCommands.h"

#include "core/document/CDalvexDoc.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"

YDocCommands::YDocCommands(CDalvexApp& app) : m_app(app) {}

CDalvexDoc* YDocCommands::Active() const {
    CMainFrame* frame = m_app.MainFrame();
    return frame != nullptr ? frame->ActiveDocument() : nullptr;
}

void YDocCommands::Register(CMainFrame& /*frame*/) {}

void YDocCommands::EditTable(int /*nCommandId*/) {}
void YDocCommands::Preprocess() {}
void YDocCommands::SelectSegment() {}
void YDocCommands::ReadEarthworkFile(int /*nCommandId*/) {}
