#include "gui/widgets/YControlBar.h"

#include <QCloseEvent>
#include <QTimer>

YControlBar::YControlBar(const QString& title, int nControlId, QSize defaultSize, QWidget* parent)
    : QDockWidget(title, parent), m_nControlId(nControlId), m_defaultSize(defaultSize) {
    setObjectName(QStringLiteral("pane%1").arg(nControlId));
}

void YControlBar::SetToggleEnabled(bool bEnabled) {
    if (m_bToggleEnabled != bEnabled) {
        m_bToggleEnabled = bEnabled;
        emit FlagsChanged();
    }
}

void YControlBar::Toggle() {
    m_bShown = !m_bShown;
    setVisible(m_bShown);
    if (m_bShown) {
        raise(); // brings its tab to the front when it shares a side
    }
    emit FlagsChanged();
}

void YControlBar::ShowBar(bool bShow) {
    m_pending = bShow ? Pending::Show : Pending::Hide;
    RequestIdleUpdate();
}

void YControlBar::RequestIdleUpdate() {
    if (m_bIdleQueued) {
        return;
    }
    m_bIdleQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_bIdleQueued = false;
        OnIdleUpdate();
    });
}

void YControlBar::OnIdleUpdate() {
    ApplyPendingShow();
}

void YControlBar::ApplyPendingShow() {
    if (m_pending == Pending::None) {
        return;
    }
    const bool bShow = m_pending == Pending::Show;
    m_pending = Pending::None;
    setVisible(bShow);
    if (m_bToggleEnabled && m_bShown != bShow) {
        m_bShown = bShow;
        emit FlagsChanged();
    }
}

void YControlBar::closeEvent(QCloseEvent* event) {
    // The dock's own close button acts as the toggle command.
    QDockWidget::closeEvent(event);
    if (event->isAccepted() && m_bShown) {
        m_bShown = false;
        emit FlagsChanged();
    }
}

QSize YControlBar::sizeHint() const {
    return m_defaultSize.expandedTo(QDockWidget::sizeHint());
}
