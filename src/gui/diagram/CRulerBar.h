#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>

class CDalvexView;

// 标尺: a 13-pixel ruler along the top (stations) or the left edge (areas) of a diagram view,
// with ticks at the view's steps and a mark that follows the mouse.
class CRulerBar : public QWidget {
    Q_OBJECT
  public:
    explicit CRulerBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation Orientation() const { return m_orientation; }
    void SetView(CDalvexView* pView);
    // The idle update: repaints when the view's client offset, its origin along this axis or
    // its scale changed since the last drawing.
    void IdleUpdate();
    // The cursor moved over the view (view pixels); the mark follows.
    void MouseMark(const QPoint& pt);
    // How often the whole ruler painted (tests check that one zoom repaints it once).
    int PaintCount() const { return m_nPaints; }
    std::optional<int> MarkPosition() const { return m_mark; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int ViewOffset() const;

    Qt::Orientation m_orientation;
    QPointer<CDalvexView> m_pView;
    int m_nOffset = 0;
    double m_dLastOrg = 0.0;
    std::optional<int> m_mark; // along the ruler, in the view's pixels
    int m_nPaints = 0;
};
