#pragma once

#include <QPointF>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;
class YSegmentModel;
class YStationNumbering;

// A picture of the allocation diagram for a station range, with a title line, the pit strip,
// both rulers and, when the project has grade points, the grade band: for `dalvex-cli diagram`
// and the report workbooks.
class YDiagramPicture {
  public:
    struct Content {
        YSegmentModel* pModel = nullptr;
        const YStationNumbering* pNumbering = nullptr;
        std::vector<QPointF> gradePoints; // (station m, elevation m)
        QString title;                    // project name; the range is appended
        double dFrom = 0.0;               // station range shown, m
        double dTo = 0.0;
        quint32 nClassFilter = 0xFFFFFBFF;
        // Arrows on hard-to-see remaining shares; off by default, as they crowd a printed road.
        bool bSmallMarks = false;
    };

    explicit YDiagramPicture(Content content) : m_c(std::move(content)) {}

    // Draws the picture into a painter whose device is size pixels.
    void Render(QPainter& p, QSize size) const;
    // Writes the picture to a .png, .svg or .pdf file (by its suffix); false with a reason.
    [[nodiscard]] bool Save(const QString& path, QSize size, QString& error) const;

  private:
    Content m_c;
};
