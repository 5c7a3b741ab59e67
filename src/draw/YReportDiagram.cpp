#include "draw/YReportDiagram.h"

#include "core/document/CDalvexDoc.h"
#include "draw/YDiagramPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

std::optional<YReportPicture> YReportDiagram(CDalvexDoc& doc) {
    if (doc.GetSegmentCount() == 0 && !doc.ReloadModel()) {
        return std::nullopt;
    }
    const auto& segs = doc.Segments();
    if (segs.empty()) {
        return std::nullopt;
    }
    YDiagramPicture::Content c;
    c.pModel = &doc.Model();
    c.pNumbering = &doc.Numbering();
    c.title = doc.GetProjectName();
    c.dFrom = segs.front().m_staStart.Value();
    c.dTo = segs.back().m_staEnd.Value();
    // Wide enough for a few kilometres to stay legible when printed on A3.
    const QSize size(3200, 900);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        YDiagramPicture(c).Render(p, size);
    }
    YReportPicture picture;
    QBuffer buffer(&picture.png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    picture.width = size.width();
    picture.height = size.height();
    return picture;
}
