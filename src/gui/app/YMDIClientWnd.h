#pragma once

#include <QMdiArea>
#include <QPixmap>

// The MDI client area of the main frame: the project windows live here. Behind them, centred,
// it shows the program's picture (450 × 190 pixels).
//
// Project windows open and come forward maximised until the user arranges them (层叠, 平铺);
// from then on they keep their own places, and a new window opens beside the active one at
// its size, until the user maximises one again.
class YMDIClientWnd : public QMdiArea {
    Q_OBJECT
  public:
    static constexpr int PictureWidth = 450;
    static constexpr int PictureHeight = 190;

    explicit YMDIClientWnd(QWidget* parent = nullptr);

    const QPixmap& Picture() const { return m_picture; }

    bool ChildrenMaximised() const { return m_bMaximised; }
    void SetChildrenMaximised(bool bMaximised) { m_bMaximised = bMaximised; }
    // 层叠: every window at a size to work in (at least two thirds of the area), each one title
    // bar below and right of the one before, the active one last and in front.
    void Cascade();
    // 平铺 (and 排列图标, which has no icons to arrange here).
    void Tile();
    // A window just added: beside the active one at its size while windows are not maximised.
    void PlaceNew(QMdiSubWindow* window, QMdiSubWindow* besides);
    // Draws the picture: a road's longitudinal section with its cut and fill, and the title.
    static QPixmap MakePicture(const QString& title);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int CascadeStep() const;

    QPixmap m_picture;
    bool m_bMaximised = true;
};
