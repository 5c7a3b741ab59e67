#include "gui/panes/YNearProjectBar.h"

#include "core/document/CDalvexDoc.h"
#include "gui/diagram/YDPTool.h"
#include "gui/dialogs/YDCDRSetDlg.h"
#include "gui/panes/YNearPrjListBox.h"
#include "gui/panes/YNearProjectReactor.h"

#include <QMainWindow>

YNearProjectBar::YNearProjectBar(QMainWindow& frame, int nControlId)
    : YControlBar(QStringLiteral("相邻项目"), nControlId, QSize(200, 150), &frame), m_frame(frame),
      m_pList(new YNearPrjListBox(this)) {
    setWidget(m_pList);
    connect(m_pList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OnDoubleClick(m_pList->row(item)); });
    YNearProjectReactor::SetChangeListener([this] { RequestIdleUpdate(); });
}

YNearProjectBar::~YNearProjectBar() {
    YNearProjectReactor::SetChangeListener({});
}

void YNearProjectBar::Attach(CDalvexDoc& doc) {
    if (doc.FindReactor<YNearProjectReactor>() == nullptr) {
        doc.AddReactor(std::make_unique<YNearProjectReactor>());
    }
}

YDPTool* YNearProjectBar::Tool() {
    return dynamic_cast<YDPTool*>(YToolState::Current());
}

YNearToolState YNearProjectBar::ToolState() {
    const YDPTool* tool = Tool();
    if (tool == nullptr) {
        return {};
    }
    return {.pSource = tool->PendingSource(),
            .pDest = tool->DestDocument(),
            .nEntry = tool->EntryPort(),
            .nExit = tool->ExitPort()};
}

void YNearProjectBar::OnIdleUpdate() {
    YNearProjectReactor* reactor = YNearProjectReactor::Active();
    CDalvexDoc* doc = reactor != nullptr ? reactor->GetDocument() : nullptr;
    const bool bWanted = doc != nullptr && doc->GetSegmentCount() > 0;
    SetToggleEnabled(bWanted);
    if (reactor == nullptr) {
        ShowBar(false);
    } else {
        const quint32 flags = reactor->Flags();
        if (flags & YNearProjectReactor::NR_SHOW) {
            ShowBar(IsShown());
        } else if (flags & YNearProjectReactor::NR_HIDE) {
            ShowBar(false);
        }
        reactor->ClearFlags(YNearProjectReactor::NR_SHOW | YNearProjectReactor::NR_HIDE);
        if (flags & YNearProjectReactor::NR_FRONT) {
            reactor->ClearFlags(YNearProjectReactor::NR_FRONT);
            ComeToFront();
        }
        if (flags & YNearProjectReactor::NR_BACK) {
            reactor->ClearFlags(YNearProjectReactor::NR_BACK);
            GiveFrontBack();
        }
        if ((flags & YNearProjectReactor::NR_REFRESH) && doc != nullptr) {
            reactor->ClearFlags(YNearProjectReactor::NR_REFRESH);
            Refill(*doc);
        }
    }
    YControlBar::OnIdleUpdate();
}

void YNearProjectBar::Refill(CDalvexDoc& doc) {
    const YNearToolState tool = ToolState();
    int selected = -1;
    const std::vector<YNearListEntry> entries = YNearPrjList::Build(doc, tool, &selected);
    std::vector<QStringList> lines;
    lines.reserve(entries.size());
    for (const YNearListEntry& e : entries) {
        lines.push_back(YNearPrjList::Lines(doc, e, tool));
    }
    m_pList->Fill(entries, lines, selected);
}

void YNearProjectBar::ComeToFront() {
    const QList<QDockWidget*> tabs = m_frame.tabifiedDockWidgets(this);
    if (tabs.isEmpty()) {
        return;
    }
    m_pRememberedTab = nullptr;
    for (QDockWidget* tab : tabs) {
        if (tab->isVisible() && !tab->visibleRegion().isEmpty()) {
            m_pRememberedTab = tab;
        }
    }
    show();
    raise();
}

void YNearProjectBar::GiveFrontBack() {
    if (m_pRememberedTab != nullptr &&
        m_frame.tabifiedDockWidgets(this).contains(m_pRememberedTab)) {
        m_pRememberedTab->raise();
    }
    m_pRememberedTab = nullptr;
}

void YNearProjectBar::OnDoubleClick(int row) {
    YNearProjectReactor* reactor = YNearProjectReactor::Active();
    CDalvexDoc* doc = reactor != nullptr ? reactor->GetDocument() : nullptr;
    if (doc == nullptr || row < 0 || row >= m_pList->count()) {
        return;
    }
    const YNearToolState tool = ToolState();
    const YNearPrjList::Action action =
        YNearPrjList::OnDoubleClick(*doc, m_pList->EntryAt(row), tool);
    using A = YNearPrjList::Action;
    YDPTool* dp = Tool();
    bool bActivate = action.kind != A::None;
    switch (action.kind) {
    case A::None:
    case A::Activate:
        break;
    case A::SetPorts:
        if (dp != nullptr) {
            (void)dp->SetPorts(action.ports.pSource, action.ports.nExit, action.ports.pDest,
                               action.ports.nEntry);
        }
        bActivate = action.bActivate;
        break;
    case A::ClearPorts:
        if (dp != nullptr) {
            (void)dp->SetPorts(tool.pSource, -1, nullptr, -1);
        }
        break;
    case A::ChoosePorts: {
        YDCDRSetDlg dlg(*doc, *action.pTarget, &m_frame);
        if (dlg.exec() != QDialog::Accepted) {
            bActivate = false;
        } else if (dp != nullptr) {
            (void)dp->SetPorts(doc, dlg.ExitPort(), action.pTarget, dlg.EntryPort());
        }
        break;
    }
    }
    if (bActivate) {
        doc->ActivateProject(*action.pTarget);
    }
    if (action.nSwitchSegment >= 0) {
        (void)action.pTarget->SwitchSegment(action.nSwitchSegment);
    }
    // The list shows the ports just chosen (of whichever project is active now).
    if (YNearProjectReactor* now = YNearProjectReactor::Active();
        now != nullptr && now->GetDocument()) {
        Refill(*now->GetDocument());
    }
}
