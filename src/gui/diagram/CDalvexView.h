#pragma once

#include "core/document/CDalvexDoc.h"
#include "core/document/YDocView.h"
#include "draw/YPitStrip.h"
#include "draw/YUint.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <optional>
#include <vector>

class CDalvexDoc;
class CRulerBar;
class QScrollBar;

// 调配图: the document's view of the allocation diagram. Every segment of the open project
// segment is a bar of its surplus cut (up) and needed fill (down) per metre of line, stacked
// by class; the pit strip runs above it and, on demand, the grade band below. All mouse work
// goes to the program's current tool (YTool); the view itself never changes quantities.
//
// The x scroll bar is the frame's shared one, the y scroll bar the view's own; both are
// virtual (positions 0..10000) and always follow the origin.
class CDalvexView : public QAbstractScrollArea, public YDocView, public YShowDPWnd {
    Q_OBJECT
  public:
    CDalvexView(CDalvexDoc& doc, QScrollBar* pHorizontal, QWidget* parent = nullptr);
    ~CDalvexView() override;

    CDalvexDoc& Document() const { return *m_pDoc; }
    void SetRulers(CRulerBar* pHorizontal, CRulerBar* pVertical);

    // ---- Display switches (the 显示 menu) ----
    bool FixedPits() const { return m_bFixedPits; }
    void SetFixedPits(bool bOn);
    bool SmallMarks() const { return m_bSmallMarks; }
    void SetSmallMarks(bool bOn);
    bool ShowProfile() const { return m_bShowProfile; }
    void SetShowProfile(bool bOn);
    int ProfileHeight() const { return m_nProfileHeight; }
    void SetProfileHeight(int nPixels);
    // The mass-haul band (土积曲线) under the diagram and the grade band, on the same stations.
    bool ShowMassHaul() const { return m_bShowMassHaul; }
    void SetShowMassHaul(bool bOn);

    // ---- What the tools use ----
    QRect ClientRect() const;
    // Scroll positions from the origin (never the other way round).
    void SyncScrollBars();
    // Repaints the whole diagram, or one rectangle of it (view pixels).
    void RepaintAll();
    void RepaintRect(const QRect& rect);
    // After a scroll, pan or zoom: rulers, reactors and a repaint.
    void ViewMoved();
    // Sets the origin (the overview's click) without clamping, then as ViewMoved.
    void SetOrigin(const QPointF& origin);
    void UpdateCursor();
    void ShowSelectionSums();
    // The visible rectangle in diagram coordinates: bottom-left and top-right.
    std::pair<QPointF, QPointF> VisibleRect() const;
    // Fits the whole project segment into the window (全图).
    void ZoomAll();

    // Document update: code 0 recomputes the extent from the model; every code repaints.
    void OnUpdate(int nHint);
    // Scroll-bar requests in the window's terms (line, page, thumb, ends).
    enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom, None };
    void ScrollBy(ScrollRequest horizontal, ScrollRequest vertical, int nThumb = 0);
    // The pit-strip and segment tip identifiers at a view point (y < 0: the pit strip).
    std::optional<quint32> TipIdAt(const QPoint& pt) const;

    // The status texts: station and area under the cursor, then the selection sums.
    QString StationText() const { return m_strStation; }
    QString AreaText() const { return m_strArea; }

  signals:
    void CursorReadout(const QString& station, const QString& area);
    void StatusText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    class PitStrip;
    class GradeBand;
    class MassHaulBand;
    friend class PitStrip;
    friend class GradeBand;
    friend class MassHaulBand;

    void ApplyMargins();
    void ExtentFromModel();
    void OnScrollAction(Qt::Orientation orientation, int action);
    void LayoutFixedPits();
    void ShowTip(const QPoint& viewportPt, const QPoint& globalPt);
    void Readout(const QPoint& pt);

    QPointer<CDalvexDoc> m_pDoc;
    QPointer<QScrollBar> m_pHBar;
    QPointer<CRulerBar> m_pRulerH;
    QPointer<CRulerBar> m_pRulerV;
    PitStrip* m_pPitStrip = nullptr;
    GradeBand* m_pGradeBand = nullptr;
    MassHaulBand* m_pMassHaulBand = nullptr;
    YPitScroll m_borrowScroll{true};
    YPitScroll m_wasteScroll{false};
    std::vector<QPointF> m_gradePoints;

    bool m_bFixedPits = true;
    bool m_bSmallMarks = true;
    bool m_bShowProfile = false;
    int m_nProfileHeight = 100;
    bool m_bShowMassHaul = false;
    std::optional<QPoint> m_lastMouse;
    QString m_strStation;
    QString m_strArea;
    bool m_bFirstUpdate = true;
};
