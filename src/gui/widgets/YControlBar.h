#pragma once

#include <QDockWidget>

// A pane of the main frame (a dock that may float, dock at the sides its owner allows and
// share a side as tabs). Besides Qt's visibility it carries two flags:
//  - shown (initially true): the check mark of the pane's View-menu command;
//  - toggle enabled (initially false): whether that command is available.
// The pane's own content decides when it should appear (ShowBar, applied at the next idle
// moment, as the content may change many times during one command); while the toggle is
// enabled such a show or hide also updates the shown flag.
class YControlBar : public QDockWidget {
    Q_OBJECT
  public:
    YControlBar(const QString& title, int nControlId, QSize defaultSize, QWidget* parent = nullptr);

    int ControlId() const { return m_nControlId; }
    QSize DefaultSize() const { return m_defaultSize; }

    bool IsShown() const { return m_bShown; }
    bool IsToggleEnabled() const { return m_bToggleEnabled; }
    void SetToggleEnabled(bool bEnabled);

    // The pane-toggle command: inverts the shown flag and shows or hides the bar at once.
    void Toggle();
    // Delayed show or hide (runs at the next idle moment).
    void ShowBar(bool bShow);
    // Asks for one OnIdleUpdate at the next idle moment (several requests make one call).
    void RequestIdleUpdate();

    QSize sizeHint() const override;

  signals:
    void FlagsChanged();

  protected:
    // Applies what the content has marked since the last idle moment.
    virtual void OnIdleUpdate();
    void closeEvent(QCloseEvent* event) override;

  private:
    void ApplyPendingShow();

    int m_nControlId;
    QSize m_defaultSize;
    bool m_bShown = true;
    bool m_bToggleEnabled = false;
    enum class Pending { None, Show, Hide } m_pending = Pending::None;
    bool m_bIdleQueued = false;
};
