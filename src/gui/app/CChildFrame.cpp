#include "gui/app/CChildFrame.h"

#include "core/document/CDalvexDoc.h"
#include "gui/app/YCommandIds.h"
#include "gui/app/YToolIcons.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QTimer>

namespace {

QWidget* MakeRuler(int id, Qt::Orientation orientation) {
    auto* ruler = new QFrame;
    ruler->setObjectName(QStringLiteral("ruler%1").arg(id));
    ruler->setFrameShape(QFrame::Panel);
    ruler->setFrameShadow(QFrame::Raised);
    ruler->setAutoFillBackground(true);
    ruler->setBackgroundRole(QPalette::Button);
    if (orientation == Qt::Horizontal) {
        ruler->setFixedHeight(CChildFrame::RulerThickness);
    } else {
        ruler->setFixedWidth(CChildFrame::RulerThickness);
    }
    return ruler;
}

QWidget* MakePlaceholderView() {
    auto* view = new QLabel(QStringLiteral("调配图"));
    view->setObjectName(QStringLiteral("diagramPlaceholder"));
    view->setAlignment(Qt::AlignCenter);
    view->setAutoFillBackground(true);
    view->setBackgroundRole(QPalette::Base);
    view->setMinimumSize(60, 40);
    return view;
}

} // namespace

CChildFrame::CChildFrame(CDalvexDoc& doc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDoc(&doc), m_pLayout(nullptr), m_pView(MakePlaceholderView()),
      m_pRulerH(MakeRuler(RulerHId, Qt::Horizontal)), m_pRulerV(MakeRuler(RulerVId, Qt::Vertical)),
      m_pScroll(new QScrollBar(Qt::Horizontal)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(YToolIcons::Icon(YCmd::ToolDP));
    // The client area has a two-level sunken 3-D border.
    auto* client = new QFrame;
    client->setFrameShape(QFrame::Panel);
    client->setFrameShadow(QFrame::Sunken);
    client->setLineWidth(2);
    m_pLayout = new QGridLayout(client);
    m_pLayout->setContentsMargins(2, 2, 2, 2);
    m_pLayout->setSpacing(0);
    auto* corner = new QWidget;
    corner->setFixedSize(RulerThickness, RulerThickness);
    m_pLayout->addWidget(corner, 0, 0);
    m_pLayout->addWidget(m_pRulerH, 0, 1);
    m_pLayout->addWidget(m_pRulerV, 1, 0);
    m_pLayout->addWidget(m_pView, 1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(0);
    bottom->addWidget(m_pScroll, 1);
    bottom->addWidget(new QSizeGrip(client));
    m_pLayout->addLayout(bottom, 2, 0, 1, 2);
    m_pLayout->setRowStretch(1, 1);
    m_pLayout->setColumnStretch(1, 1);
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
    }
}

void CChildFrame::ActivateFrame() {
    if (mdiArea() != nullptr) {
        mdiArea()->setActiveSubWindow(this);
    }
    showMaximized();
    setFocus();
    // The main frame's first layout pass after a new window (menu change, tool bar) resizes the
    // MDI area and, with it, drops the maximised state once; maximise again after it.
    QTimer::singleShot(0, this, [this] {
        if (!isMaximized()) {
            showMaximized();
        }
    });
}

void CChildFrame::Replace(QWidget*& slot, QWidget* widget) {
    delete m_pLayout->replaceWidget(slot, widget);
    delete slot;
    slot = widget;
}

void CChildFrame::SetView(QWidget* view, YDocView* dalvexView) {
    Replace(m_pView, view);
    m_pDalvexView = dalvexView;
}

void CChildFrame::SetRulers(QWidget* horizontal, QWidget* vertical) {
    Replace(m_pRulerH, horizontal);
    Replace(m_pRulerV, vertical);
}
