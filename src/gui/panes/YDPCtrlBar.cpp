#include "gui/panes/YDPCtrlBar.h"

#include "core/allocation/YDPSettingsModel.h"
#include "core/document/CDalvexDoc.h"
#include "gui/panes/CDPCtrlPropertyItemManager.h"
#include "gui/panes/YDPCtrlReactor.h"
#include "gui/widgets/YPropertyGrid.h"

YDPCtrlBar::YDPCtrlBar(QWidget* parent)
    : YControlBar(QStringLiteral("调配设置"), 4, QSize(MinWidth, MinHeight), parent),
      m_pGrid(new YPropertyGrid(this)), m_pModel(new YDPSettingsModel(this)),
      m_pManager(new CDPCtrlPropertyItemManager(*m_pGrid, *m_pModel, this)) {
    m_pGrid->setMinimumSize(MinWidth, MinHeight);
    setWidget(m_pGrid);
    m_pManager->CreateItems();
}

YDPCtrlBar::~YDPCtrlBar() = default;

void YDPCtrlBar::Attach(CDalvexDoc& doc) {
    if (doc.FindReactor<YDPCtrlReactor>() == nullptr) {
        doc.AddReactor(std::make_unique<YDPCtrlReactor>(*this));
    }
}

void YDPCtrlBar::Activate(CDalvexDoc* doc) {
    m_pActive = doc;
    Follow();
}

void YDPCtrlBar::DocumentChanged(CDalvexDoc* doc) {
    if (doc != nullptr && doc == m_pActive) {
        Follow();
    }
}

void YDPCtrlBar::Follow() {
    m_bWanted = m_pActive != nullptr && m_pActive->IsOpen() && m_pActive->GetSegmentCount() > 0;
    if (m_bWanted) {
        SetToggleEnabled(true);
    }
    ShowBar(m_bWanted);
}

void YDPCtrlBar::OnIdleUpdate() {
    YControlBar::OnIdleUpdate();
    if (!m_bWanted) {
        SetToggleEnabled(false);
    }
}
