#include "gui/app/CChildFrame.h"

#include "core/document/CDalvexDoc.h"
#include "gui/app/YCommandIds.h"
#include "gui/app/YMDIClientWnd.h"
#include "gui/app/YToolIcons.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/CRulerBar.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QMdiArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QTimer>

CChildFrame::CChildFrame(CDalvexDoc& doc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDoc(&doc), m_pScroll(new QScrollBar(Qt::Horizontal)),
      m_pRulerH(new CRulerBar(Qt::Horizontal)), m_pRulerV(new CRulerBar(Qt::Vertical)),
      m_pView(new CDalvexView(doc, m_pScroll)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(YToolIcons::Icon(YCmd::ToolDP));
    // The client area has a two-level sunken 3-D border.
    auto* client = new QFrame;
    client->setFrameShape(QFrame::Panel);
    client->setFrameShadow(QFrame::Sunken);
    client->setLineWidth(2);
    auto* layout = new QGridLayout(client);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    auto* corner = new QWidget;
    corner->setFixedSize(RulerThickness, RulerThickness);
    layout->addWidget(corner, 0, 0);
    layout->addWidget(m_pRulerH, 0, 1);
    layout->addWidget(m_pRulerV, 1, 0);
    layout->addWidget(m_pView, 1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(0);
    bottom->addWidget(m_pScroll, 1);
    bottom->addWidget(new QSizeGrip(client));
    layout->addLayout(bottom, 2, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(1, 1);
    m_pView->SetRulers(m_pRulerH, m_pRulerV);
    setWidget(client);
    setWindowState(windowState() | Qt::WindowMaximized);
    connect(&doc, &CDalvexDoc::CurrentSegmentChanged, this, &CChildFrame::UpdateFrameTitle);
    UpdateFrameTitle();
}

void CChildFrame::SetWindowNumber(int n) {
    if (m_nWindowNumber != n) {
        m_nWindowNumber = n;
        UpdateFrameTitle();
    }
}

QString CChildFrame::FrameTitle() const {
    QString title;
    if (m_pDoc != nullptr) {
        title =
            m_pDoc->GetTitle() + QStringLiteral("-当前分段:%1").arg(m_pDoc->GetCurrentSegment());
    } else {
        title = QStringLiteral("-");
    }
    if (m_nWindowNumber > 0) {
        title += QStringLiteral(":%1").arg(m_nWindowNumber);
    }
    return title;
}

void CChildFrame::UpdateFrameTitle() {
    // Maximised, the frame has no title bar of its own and the main frame shows the title;
    // an empty window title also keeps Qt from appending "[title]" to the main frame's.
    setWindowTitle(isMaximized() ? QString() : FrameTitle());
    emit TitleChanged();
}

void CChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        UpdateFrameTitle();
        // A window the user maximises brings the maximised way of working back.
        if (isMaximized() && Area() != nullptr) {
            Area()->SetChildrenMaximised(true);
        }
    }
}

YMDIClientWnd* CChildFrame::Area() const {
    return qobject_cast<YMDIClientWnd*>(mdiArea());
}

bool CChildFrame::WorksMaximised() const {
    return Area() == nullptr || Area()->ChildrenMaximised();
}

void CChildFrame::ActivateFrame() {
    if (mdiArea() != nullptr) {
        mdiArea()->setActiveSubWindow(this);
    }
    if (WorksMaximised()) {
        showMaximized();
    } else {
        show();
    }
    setFocus();
    // The main frame's first layout pass after a new window (menu change, tool bar) resizes the
    // MDI area and, with it, drops the maximised state once; maximise again after it.
    QTimer::singleShot(0, this, [this] {
        if (!isMaximized() && WorksMaximised()) {
            showMaximized();
        }
    });
}
