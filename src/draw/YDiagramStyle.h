#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <array>

// The diagram's shared drawing resources (画刷): one normal and one selected brush per band,
// the pit icons and the fonts. Made once for the program, on first use (needs a
// QGuiApplication for the fonts).
class YDiagramStyle {
  public:
    static const YDiagramStyle& Instance();

    // Band b as the painter numbers them: −1 fill, 0..5 usable classes 1..6, 6..11 unusable.
    const QBrush& Brush(int nBand, bool bSelected) const;
    // 26×16 pit icons.
    const QImage& BorrowIcon() const { return m_borrowIcon; }
    const QImage& WasteIcon() const { return m_wasteIcon; }
    // The texts of the diagram (structure labels, pit numbers, rulers): a CJK-capable UI font.
    const QFont& Font() const { return m_font; }
    const QFont& SmallFont() const { return m_smallFont; }

    static QColor UsableColour(int nClass); // class 1..6, normal brush colour

  private:
    YDiagramStyle();
    static QImage Pattern(QColor background, QColor line, bool bRising);

    std::array<QBrush, 13> m_normal;   // index b + 1
    std::array<QBrush, 13> m_selected; // index b + 1
    QImage m_borrowIcon;
    QImage m_wasteIcon;
    QFont m_font;
    QFont m_smallFont;
};
