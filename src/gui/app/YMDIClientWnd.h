#pragma once

#include <QMdiArea>
#include <QPixmap>

// The MDI client area of the main frame: the project windows live here. Behind them, centred,
// it shows the program's picture (450 × 190 pixels).
class YMDIClientWnd : public QMdiArea {
    Q_OBJECT
  public:
    static constexpr int PictureWidth = 450;
    static constexpr int PictureHeight = 190;

    explicit YMDIClientWnd(QWidget* parent = nullptr);

    const QPixmap& Picture() const { return m_picture; }
    // Draws the picture: a road's longitudinal section with its cut and fill, and the title.
    static QPixmap MakePicture(const QString& title);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap m_picture;
};
