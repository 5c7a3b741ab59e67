#pragma once

#include "draw/YUint.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class CDalvexDoc;
class CDalvexView;
class YEyeReactor;

// 鹰眼: the whole project segment in miniature, with a yellow frame round what the active
// diagram view shows; a click moves the view there. Lives in the overview pane and always
// shows the active document.
class YEyeWnd : public QWidget, public YShowDPWnd {
    Q_OBJECT
  public:
    static constexpr int MinWidth = 150;
    static constexpr int MinHeight = 120;

    explicit YEyeWnd(QWidget* parent = nullptr);

    // Which view is active (the main frame's active child view).
    void SetActiveViewFinder(std::function<CDalvexView*()> finder);
    CDalvexView* ActiveView() const;
    // The document whose reactor the overview shows now (null: none).
    void SetDocument(CDalvexDoc* pDoc);
    // The idle update: shows, hides or repaints as the reactor's flags say.
    void IdleUpdate();
    // Renders of the miniature so far (tests check that scrolling does not re-render).
    int RenderCount() const { return m_nRenders; }

  signals:
    // The pane should be shown (true) or hidden.
    void ShowRequest(bool bShow);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    YEyeReactor* Reactor() const;
    void Refit();
    void Render(YEyeReactor& reactor);

    QPointer<CDalvexDoc> m_pDoc;
    std::function<CDalvexView*()> m_finder;
    bool m_bFollow = true;
    int m_nRenders = 0;
};
