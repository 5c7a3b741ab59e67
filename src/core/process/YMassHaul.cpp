#include "core/process/YMassHaul.h"

#include "core/db/DpLogRecord.h"
#include "core/db/YLogCodec.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTsxsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/process/YProcessLog.h"
#include "core/station/YStationNumbering.h"

#include <algorithm>
#include <array>

namespace {

// Natural-to-compacted divisors of the six classes; 1 where the table has none.
std::array<double, 6> Coefficients(CDalvexDoc& doc) {
    std::array<double, 6> c;
    c.fill(1.0);
    YTsxsSet& set = doc.GetTsxsSet();
    if (set.IsOpen() && set.RecordCount() > 0) {
        set.MoveFirst();
        for (size_t k = 0; k < c.size(); ++k) {
            if (set.m_dCoef[k] > 0) {
                c[k] = set.m_dCoef[k];
            }
        }
    }
    return c;
}

void AddCurve(YMassHaul& mh, const std::vector<YTFItem>& segments,
              const std::array<double, 6>& coef) {
    double m = 0.0;
    for (const YTFItem& seg : segments) {
        if (mh.curve.empty() || mh.curve.back().x != seg.m_staStart.Value()) {
            mh.curve.push_back({seg.m_staStart.Value(), m});
        }
        for (size_t k = 0; k < coef.size(); ++k) {
            m += seg.m_dUse[k] / coef[k];
        }
        m -= seg.m_dFill;
        mh.curve.push_back({seg.m_staEnd.Value(), m});
    }
}

// Where the curve, having left 0, comes back to it (a crossing or a touch).
void AddBalancePoints(YMassHaul& mh) {
    // Volumes below a litre are round-off of the sums, not earth.
    constexpr double kZero = 1e-3;
    int side = 0; // sign of the curve since it last left 0
    for (size_t i = 1; i < mh.curve.size(); ++i) {
        const YMassHaul::Point& a = mh.curve[i - 1];
        const YMassHaul::Point& b = mh.curve[i];
        const int sb = b.m > kZero ? 1 : (b.m < -kZero ? -1 : 0);
        if (side != 0 && sb != side) {
            // The crossing between a and b (a touch when b is 0).
            const double t = sb == 0 ? 1.0 : a.m / (a.m - b.m);
            mh.balancePoints.push_back(a.x + t * (b.x - a.x));
        }
        if (sb != 0 || side != 0) {
            side = sb;
        }
    }
}

void AddHauls(YMassHaul& mh, CDalvexDoc& doc) {
    YTdpSet& log = doc.GetTdpSet();
    if (!log.IsOpen()) {
        return;
    }
    // A row that cannot be read ends the log; what came before it is drawn.
    std::vector<YDpLogPair> pairs;
    (void)YProcessLog(log).ReadPairs(pairs);
    for (const YDpLogPair& pair : pairs) {
        if (!pair.src.ok) {
            continue; // undone
        }
        const DpLogRecord r = YLogCodec::Decode(pair);
        if (r.kind != DpKind::Haul) {
            continue;
        }
        const double from = (r.srcStart.Value() + r.srcEnd.Value()) / 2;
        const double to = (r.dstStart.Value() + r.dstEnd.Value()) / 2;
        mh.hauls.push_back({from, to, mh.At(from), r.FillAmount()});
    }
}

} // namespace

YMassHaul YMassHaul::Build(CDalvexDoc& doc) {
    YMassHaul mh;
    AddCurve(mh, doc.Segments(), Coefficients(doc));
    AddBalancePoints(mh);
    AddHauls(mh, doc);
    return mh;
}

double YMassHaul::At(double x) const {
    if (curve.empty()) {
        return 0.0;
    }
    const auto after = std::upper_bound(curve.begin(), curve.end(), x,
                                        [](double v, const Point& p) { return v < p.x; });
    if (after == curve.begin()) {
        return curve.front().m;
    }
    if (after == curve.end()) {
        return curve.back().m;
    }
    const Point& a = *(after - 1);
    const Point& b = *after;
    return b.x > a.x ? a.m + (b.m - a.m) * (x - a.x) / (b.x - a.x) : b.m;
}

double YMassHaul::Top() const {
    double top = 0.0;
    for (const Point& p : curve) {
        top = std::max(top, p.m);
    }
    return top;
}

double YMassHaul::Bottom() const {
    double bottom = 0.0;
    for (const Point& p : curve) {
        bottom = std::min(bottom, p.m);
    }
    return bottom;
}

QString YMassHaul::Csv(const YStationNumbering& numbering) const {
    QString text = QStringLiteral("桩号,里程(m),累计土方(m³)\n");
    for (const Point& p : curve) {
        text += QStringLiteral("%1,%2,%3\n")
                    .arg(numbering.Text(p.x))
                    .arg(p.x, 0, 'f', 3)
                    .arg(p.m, 0, 'f', 3);
    }
    text += QStringLiteral("\n平衡点桩号,里程(m)\n");
    for (double x : balancePoints) {
        text += QStringLiteral("%1,%2\n").arg(numbering.Text(x)).arg(x, 0, 'f', 3);
    }
    text += QStringLiteral("\n挖方重心桩号,填方重心桩号,运距(m),数量(m³),高度(m³)\n");
    for (const Haul& h : hauls) {
        text += QStringLiteral("%1,%2,%3,%4,%5\n")
                    .arg(numbering.Text(h.from), numbering.Text(h.to))
                    .arg(std::abs(h.to - h.from), 0, 'f', 3)
                    .arg(h.volume, 0, 'f', 3)
                    .arg(h.level, 0, 'f', 3);
    }
    return text;
}
