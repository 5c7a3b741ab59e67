#include "draw/YMassHaulPicture.h"

#include "core/station/YStationNumbering.h"
#include "draw/YDiagramStyle.h"
#include "draw/YMassHaulBand.h"
#include "draw/YPictureFile.h"
#include "draw/YRulerPainter.h"

namespace {
constexpr int kTitleHeight = 22;
constexpr int kRuler = 16;
constexpr int kMargin = 16;
const QColor kFace(236, 236, 236);
} // namespace

void YMassHaulPicture::Render(QPainter& p, QSize size) const {
    p.fillRect(QRect(QPoint(0, 0), size), kFace);
    const QRect area(kMargin, kTitleHeight + kRuler, size.width() - 2 * kMargin,
                     size.height() - kTitleHeight - kRuler - kMargin);
    if (area.width() < 10 || area.height() < 10 || m_mh.curve.size() < 2) {
        return;
    }
    const double from = m_mh.curve.front().x;
    const double to = m_mh.curve.back().x;
    YUint u;
    u.m_dXMin = from;
    u.m_dXMax = to;
    u.SetScale((to - from) / area.width(), 1.0);
    u.m_dOrgX = from;

    p.setFont(YDiagramStyle::Instance().Font());
    p.setPen(Qt::black);
    p.drawText(QRect(6, 0, size.width() - 12, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("%1  土积曲线  %2 ~ %3")
                   .arg(m_strTitle, m_numbering.Text(from), m_numbering.Text(to)));
    YRulerPainter::DrawHorizontal(p, QRect(area.left(), kTitleHeight, area.width(), kRuler), u, 0,
                                  m_numbering, kFace);
    p.save();
    p.translate(area.left(), 0);
    YMassHaulBand::Draw(p, QRect(0, area.top(), area.width(), area.height()), u, m_mh, m_numbering,
                        Qt::white);
    p.restore();
}

bool YMassHaulPicture::Save(const QString& path, QSize size, QString& error) const {
    return YPictureFile::Save(
        path, size, m_strTitle, [this](QPainter& p, QSize sz) { Render(p, sz); }, error);
}
