#include "draw/YDiagramPicture.h"

#include "core/model/YSegmentModel.h"
#include "core/station/YStationNumbering.h"
#include "draw/YDiagramPainter.h"
#include "draw/YDiagramStyle.h"
#include "draw/YGradeBand.h"
#include "draw/YPictureFile.h"
#include "draw/YPitStrip.h"
#include "draw/YRulerPainter.h"

#include <QFontMetrics>
#include <algorithm>

namespace {
constexpr int kTitleHeight = 22;
constexpr int kRuler = 16;
constexpr int kGradeHeight = 80;
const QColor kFace(236, 236, 236);

// Highest cut and deepest fill per metre over the segments of [from, to], m³/m.
void VerticalExtent(const YSegmentModel& model, double from, double to, double& top,
                    double& bottom) {
    top = 1.0;
    bottom = -1.0;
    for (const YTFItem& seg : model.m_arrTF) {
        if (seg.m_staEnd.Value() < from || seg.m_staStart.Value() > to || seg.Length() <= 0) {
            continue;
        }
        const QRectF bar = YDiagramPainter::BarRect(seg);
        top = std::max(top, bar.bottom());
        bottom = std::min(bottom, bar.top());
    }
    if (!model.m_arrGZW.empty()) {
        bottom = std::min(bottom, -20.0); // room for the structures' depth
    }
}

// The longest structure label of [from, to] in pixels: its leader runs up from the axis.
int LabelHeight(const YSegmentModel& model, const YStationNumbering& numbering, double from,
                double to) {
    const QFontMetrics fm(YDiagramStyle::Instance().Font());
    int longest = 0;
    for (const YGZWItem& gzw : model.m_arrGZW) {
        const double s = gzw.m_staStart.Value();
        const double e = gzw.m_staEnd.Value();
        if (e < from || s > to) {
            continue;
        }
        const QString range = numbering.Text(s) + QStringLiteral("-") + numbering.Text(e);
        longest = std::max({longest, fm.horizontalAdvance(gzw.m_strName) + 2 * fm.height(),
                            fm.horizontalAdvance(range) + 2 * fm.height()});
    }
    return longest;
}
} // namespace

void YDiagramPicture::Render(QPainter& p, QSize size) const {
    const bool grade = m_c.gradePoints.size() > 1;
    const int stripTop = kTitleHeight;
    const int rulerTop = stripTop + YPitStrip::Height;
    const QRect area(kRuler, rulerTop + kRuler, size.width() - kRuler,
                     size.height() - rulerTop - kRuler - (grade ? kGradeHeight : 0));
    p.fillRect(QRect(QPoint(0, 0), size), kFace);
    if (area.width() < 10 || area.height() < 10) {
        return;
    }

    YUint u;
    u.m_dXMin = m_c.dFrom;
    u.m_dXMax = m_c.dTo;
    double top = 0;
    double bottom = 0;
    VerticalExtent(*m_c.pModel, m_c.dFrom, m_c.dTo, top, bottom);
    // Enough room above the axis for the structure labels: the share of the height above the
    // axis must hold the longest leader.
    const double k = (LabelHeight(*m_c.pModel, *m_c.pNumbering, m_c.dFrom, m_c.dTo) + 10.0) /
                     (area.height() - 20);
    if (k < 0.8) {
        top = std::max(top, -bottom * k / (1 - k));
    }
    u.m_dYRange = 2 * std::max(top, -bottom);
    // A margin of ten pixels above and below the largest bars.
    u.SetScale((m_c.dTo - m_c.dFrom) / area.width(), (top - bottom) / (area.height() - 20));
    u.m_dOrgX = m_c.dFrom;
    u.m_dOrgY = (top + bottom) / 2;
    u.m_nHalfHeight = YUint::R(area.height() * 0.5);

    p.setFont(YDiagramStyle::Instance().Font());
    p.setPen(Qt::black);
    const QString range =
        m_c.pNumbering->Text(m_c.dFrom) + QStringLiteral(" ~ ") + m_c.pNumbering->Text(m_c.dTo);
    p.drawText(QRect(6, 0, size.width() - 12, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("%1  土石方调配图  %2").arg(m_c.title, range));

    p.save();
    p.translate(area.left(), stripTop);
    YPitStrip::DrawAtStations(p, u, *m_c.pModel, area.width());
    p.restore();
    YRulerPainter::DrawHorizontal(p, QRect(area.left(), rulerTop, area.width(), kRuler), u, 0,
                                  *m_c.pNumbering, kFace);
    YRulerPainter::DrawVertical(p, QRect(0, area.top(), kRuler, area.height()), u, 0, kFace);

    p.save();
    p.translate(area.topLeft());
    p.setClipRect(QRect(QPoint(0, 0), area.size()));
    YDiagramPainter painter(p, u, m_c.nClassFilter);
    YDiagramPainter::Options options;
    options.bSmallMarks = m_c.bSmallMarks;
    painter.DrawDiagram(*m_c.pModel, QRect(QPoint(0, 0), area.size()), *m_c.pNumbering, options);
    p.restore();

    if (grade) {
        p.save();
        p.translate(area.left(), 0);
        YGradeBand::Draw(p, QRect(0, area.bottom() + 1, area.width(), kGradeHeight), u,
                         m_c.gradePoints, *m_c.pNumbering, kFace);
        p.restore();
    }
}

bool YDiagramPicture::Save(const QString& path, QSize size, QString& error) const {
    return YPictureFile::Save(
        path, size, m_c.title, [this](QPainter& p, QSize sz) { Render(p, sz); }, error);
}
