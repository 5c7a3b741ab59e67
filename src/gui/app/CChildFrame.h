#pragma once

#include "core/document/CDalvexDoc.h"

#include <QMdiSubWindow>
#include <QPointer>

class CDalvexView;
class CRulerBar;
class QGridLayout;
class QScrollBar;

// The window of one project inside the main frame: always maximised, holding the allocation
// diagram with a horizontal ruler along its top (control id 5555) and a vertical ruler along
// its left edge (5556), and a shared horizontal scroll bar with a size box along the bottom.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr int RulerHId = 5555;
    static constexpr int RulerVId = 5556;
    static constexpr int RulerThickness = 13; // pixels

    explicit CChildFrame(CDalvexDoc& doc, QWidget* parent = nullptr);

    CDalvexDoc* GetDocument() const { return m_pDoc; }
    // 0 while the project has one window; 1, 2, … when it has several.
    int WindowNumber() const { return m_nWindowNumber; }
    void SetWindowNumber(int n);

    // The title: document title, "-当前分段:%d", then ":%d" for a window number above 0. It is
    // the window title while the frame is not maximised.
    QString FrameTitle() const;
    void UpdateFrameTitle();

    // Brings the frame to the front, maximised.
    void ActivateFrame();

    // The diagram and its rulers.
    CDalvexView* DalvexView() const { return m_pView; }
    CRulerBar* RulerH() const { return m_pRulerH; }
    CRulerBar* RulerV() const { return m_pRulerV; }
    QScrollBar* SharedScrollBar() const { return m_pScroll; }

  signals:
    void TitleChanged();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    class YMDIClientWnd* Area() const;
    // Whether windows open and come forward maximised (until the user arranges them).
    bool WorksMaximised() const;
    QPointer<CDalvexDoc> m_pDoc;
    int m_nWindowNumber = 0;
    QScrollBar* m_pScroll;
    CRulerBar* m_pRulerH;
    CRulerBar* m_pRulerV;
    CDalvexView* m_pView;
};
