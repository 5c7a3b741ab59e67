#include "gui/app/YAllocCommands.h"

#include "core/allocation/YDPAutoAllocator.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YProfile.h"
#include "core/platform/YUserIO.h"
#include "core/process/YClearAll.h"
#include "core/process/YFinish.h"
#include "core/process/YRepair.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/diagram/YDPTool.h"
#include "gui/diagram/YTool.h"
#include "gui/dialogs/YDCDRSetDlg.h"
#include "gui/dialogs/YOptimizeDlg.h"
#include "gui/panes/YDpGcReactor.h"
#include "gui/panes/YDpGcView.h"
#include "gui/panes/YDpTaskReactor.h"
#include "gui/panes/YDpTaskView.h"
#include "gui/panes/YNearProjectBar.h"
#include "gui/widgets/YControlBar.h"

#include <QInputDialog>

namespace {
const QString kSection = QStringLiteral("调配");
const QString kReachEntry = QStringLiteral("自动调配运距");
const QString kToolName = QStringLiteral("调配");
} // namespace

YAllocCommands::YAllocCommands(CMainFrame& frame) : QObject(&frame), m_frame(frame) {
    YControlBar* gcBar = frame.Pane(CMainFrame::ProcessPane);
    YControlBar* taskBar = frame.Pane(CMainFrame::TaskPane);
    m_pGcView = new YDpGcView(*gcBar);
    m_pTaskView = new YDpTaskView(*taskBar);
    delete gcBar->widget();
    gcBar->setWidget(m_pGcView);
    delete taskBar->widget();
    taskBar->setWidget(m_pTaskView);
    connect(&frame, &CMainFrame::ActiveDocumentChanged, this, &YAllocCommands::OnActiveDocument);
}

void YAllocCommands::AttachDocument(CDalvexDoc& doc) {
    if (doc.FindReactor<YDpTaskReactor>() == nullptr) {
        doc.AddReactor(std::make_unique<YDpTaskReactor>())->OnReload();
    }
    if (doc.FindReactor<YDpGcReactor>() == nullptr) {
        doc.AddReactor(std::make_unique<YDpGcReactor>())->OnReload();
    }
    YNearProjectBar::Attach(doc);
}

void YAllocCommands::OnActiveDocument(CDalvexDoc* doc) {
    m_pGcView->SetDocument(doc);
    m_pTaskView->SetDocument(doc);
}

CDalvexDoc* YAllocCommands::Active() const {
    return m_frame.ActiveDocument();
}

bool YAllocCommands::HasSegments() const {
    CDalvexDoc* doc = Active();
    return doc != nullptr && doc->IsOpen() && doc->GetSegmentCount() > 0;
}

void YAllocCommands::Register() {
    YDPTool::SetPortChooser([this](CDalvexDoc& src, CDalvexDoc& dst, int& nExit, int& nEntry) {
        YDCDRSetDlg dlg(src, dst, &m_frame);
        if (dlg.exec() != QDialog::Accepted) {
            return false;
        }
        nExit = dlg.ExitPort();
        nEntry = dlg.EntryPort();
        return true;
    });
    const auto segments = [this] { return HasSegments(); };
    m_frame.SetCommand(
        YCmd::ToolDP,
        {[] { YToolState::SetCurrentTool(YClassRegistry::Find(YTool::ClassRecord(), kToolName)); },
         segments, [] { return dynamic_cast<YDPTool*>(YToolState::Current()) != nullptr; }});
    m_frame.SetCommand(
        YCmd::EditUndo,
        {[this] { m_pGcView->Undo(); }, [this] { return m_pGcView->CanUndo(); }, {}});
    m_frame.SetCommand(
        YCmd::EditRedo,
        {[this] { m_pGcView->Redo(); }, [this] { return m_pGcView->CanRedo(); }, {}});
    // Each of these reports its own refusals and failures with the exact messages.
    const auto onActive = [this](bool (*action)(CDalvexDoc&)) {
        return [this, action] {
            if (CDalvexDoc* doc = Active()) {
                (void)action(*doc);
            }
        };
    };
    m_frame.SetCommand(YCmd::RepairDP, {onActive(&YRepair::Repair), segments, {}});
    m_frame.SetCommand(YCmd::FinishDP, {onActive(&YFinish::Finish), segments, {}});
    m_frame.SetCommand(YCmd::ClearDP, {onActive(&YClearAll::ClearAll),
                                       [this] { return Active() != nullptr && Active()->IsOpen(); },
                                       {}});
    m_frame.SetCommand(YCmd::AutoDP, {[this] { AutoAllocate(); }, segments, {}});
    m_frame.SetCommand(YCmd::OptimizeDP, {[this] { Optimize(); }, segments, {}});
}

double YAllocCommands::AutoReach() {
    bool ok = false;
    const double v = YProfile::Instance().GetString(kSection, kReachEntry).toDouble(&ok);
    return ok && v > 0.0 ? v : YDPAutoAllocator::Options().dReach;
}

void YAllocCommands::SetAutoReach(double dMetres) {
    YProfile::Instance().WriteString(kSection, kReachEntry, QString::number(dMetres));
}

void YAllocCommands::AutoAllocate() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr || doc->GetSegmentCount() == 0) {
        return;
    }
    bool ok = false;
    const double reach =
        QInputDialog::getDouble(&m_frame, QStringLiteral("自动调配"),
                                QStringLiteral("最大运距(米):"), AutoReach(), 1.0, 1e6, 0, &ok);
    if (!ok) {
        return;
    }
    SetAutoReach(reach);
    YDPAutoAllocator::Options opt;
    opt.dReach = reach;
    // The designer adjusts by hand afterwards and finishes with 结束调配.
    opt.bFinish = false;
    YWaitScope wait(doc->UserIO());
    (void)YDPAutoAllocator::Run(*doc, opt);
}

void YAllocCommands::Optimize() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr || doc->GetSegmentCount() == 0) {
        return;
    }
    YOptimizeDlg dialog(YDPCostModel::Options::ForLimit(AutoReach()), &m_frame);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    YDPOptimizer::Options opt;
    opt.cost = dialog.Options();
    // As after 自动调配, the designer adjusts by hand and finishes with 结束调配.
    opt.bFinish = false;
    YDPOptimizer::Comparison result;
    {
        YWaitScope wait(doc->UserIO());
        result = YDPOptimizer::RunAndCompare(*doc, opt);
    }
    if (result.run.bWritten) {
        doc->UserIO().Info(YOptimizeDlg::SummaryText(result));
    }
}
