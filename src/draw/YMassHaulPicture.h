#pragma once

#include "core/process/YMassHaul.h"

#include <QSize>
#include <QString>

class QPainter;
class YStationNumbering;

// A picture of the mass-haul curve of a project segment for `dalvex-cli masshaul`: a title line,
// the station ruler and the band of YMassHaulBand over the whole width.
class YMassHaulPicture {
  public:
    YMassHaulPicture(YMassHaul mh, const YStationNumbering& numbering, QString title)
        : m_mh(std::move(mh)), m_numbering(numbering), m_strTitle(std::move(title)) {}

    void Render(QPainter& p, QSize size) const;
    // A .png, .svg or .pdf file by its suffix; false with a reason.
    [[nodiscard]] bool Save(const QString& path, QSize size, QString& error) const;

  private:
    YMassHaul m_mh;
    const YStationNumbering& m_numbering;
    QString m_strTitle;
};
