#include "core/document/YDiagramTexts.h"

#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"

#include <cmath>

namespace {
const char* const kClassNames[6] = {"松土", "普通土", "硬土", "软石", "次坚石", "坚石"};
// Pits are matched to their table rows by road station; a millimetre covers text rounding.
constexpr double kSameStation = 1e-3;

QString Line(const char* label, double value, const char* unit = "") {
    return QStringLiteral("\r\n%1:%2%3")
        .arg(QString::fromUtf8(label), QString::asprintf("%.3lf", value), QString::fromUtf8(unit));
}

template <class Pit>
QString PitHead(const CDalvexDoc& doc, const Pit& pit, int i, const char* kind) {
    const YStationNumbering& n = doc.Numbering();
    return QStringLiteral("%1%2%3").arg(i + 1).arg(QString::fromUtf8(kind),
                                                   n.Text(pit.m_staRoad.Value())) +
           QStringLiteral("\r\n经济分界:") + n.Text(pit.m_staEcoStart.Value()) +
           QStringLiteral("--") + n.Text(pit.m_staEcoEnd.Value());
}

// Moves the set to the row whose road station is sta; false when there is none.
bool FindPitRow(YPitSet& set, double sta) {
    if (!set.IsOpen()) {
        return false;
    }
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        if (std::fabs(set.m_staRoad.Value() - sta) < kSameStation) {
            return true;
        }
    }
    return false;
}
} // namespace

QString YDiagramTexts::SegmentTip(const CDalvexDoc& doc, int i) {
    const YTFItem& seg = doc.Model().m_arrTF[size_t(i)];
    const YStationNumbering& n = doc.Numbering();
    QString tip = n.Text(seg.m_staStart.Value()) + QStringLiteral("~") +
                  n.Text(seg.m_staEnd.Value()) + Line("长度", seg.Length());
    for (int k = 0; k < 6; ++k) {
        if (seg.m_dRemUse[size_t(k)] > 0) {
            tip += Line(kClassNames[k], seg.m_dRemUse[size_t(k)]);
        }
    }
    if (seg.m_dRemFill > 0) {
        tip += Line("填方", seg.m_dRemFill);
    }
    return tip;
}

QString YDiagramTexts::BorrowPitTip(CDalvexDoc& doc, int i) {
    const YQutukItem& pit = doc.Model().m_arrQutuk[size_t(i)];
    QString tip = PitHead(doc, pit, i, "号取土坑");
    YQtkSet& set = doc.GetQtkSet();
    if (!FindPitRow(set, pit.m_staRoad.Value())) {
        return tip;
    }
    if (set.m_dBranch > 0) {
        tip += Line("支线长度", set.m_dBranch);
    }
    for (int k = 0; k < 6; ++k) {
        if (set.m_dShare[k] > 0) {
            tip += Line(kClassNames[k], set.m_dShare[k], "%");
        }
    }
    if (set.m_dSoil > 0) {
        tip += Line("土方总量", set.m_dSoil);
    }
    if (set.m_dRock > 0) {
        tip += Line("石方总量", set.m_dRock);
    }
    return tip;
}

QString YDiagramTexts::WastePitTip(CDalvexDoc& doc, int i) {
    const YQitukItem& pit = doc.Model().m_arrQituk[size_t(i)];
    QString tip = PitHead(doc, pit, i, "号弃土坑");
    YQitkSet& set = doc.GetQitkSet();
    if (!FindPitRow(set, pit.m_staRoad.Value())) {
        return tip;
    }
    if (set.m_dBranch > 0) {
        tip += Line("支线长度", set.m_dBranch);
    }
    if (set.m_dCapacity > 0) {
        tip += Line("总容量", set.m_dCapacity);
    }
    return tip;
}

QString YDiagramTexts::TipText(CDalvexDoc& doc, quint32 nId) {
    const YSegmentModel& m = doc.Model();
    if (nId >= WasteTipBase) {
        const quint32 i = nId - WasteTipBase;
        return i < m.m_arrQituk.size() ? WastePitTip(doc, int(i)) : QString();
    }
    if (nId >= BorrowTipBase) {
        const quint32 i = nId - BorrowTipBase;
        return i < m.m_arrQutuk.size() ? BorrowPitTip(doc, int(i)) : QString();
    }
    return nId < m.m_arrTF.size() ? SegmentTip(doc, int(nId)) : QString();
}

QString YDiagramTexts::SelectionSums(CDalvexDoc& doc) {
    double soil = 0.0;
    double rock = 0.0;
    double fill = 0.0;
    YZjTsjsSet& rem = doc.GetZjTsjsSet();
    // The model pairs segment i with row i of the middle table.
    const std::vector<YTFItem>& segs = doc.Model().m_arrTF;
    for (size_t i = 0; i < segs.size(); ++i) {
        const YTFItem& seg = segs[i];
        if (seg.m_nSel & YClass::FillBit) {
            fill += seg.m_dRemFill;
        }
        const bool bSoil = (seg.m_nSel & YClass::SoilMask) != 0;
        const bool bRock = (seg.m_nSel & YClass::RockMask) != 0;
        if ((bSoil || bRock) && rem.SetPosition(int(i))) {
            soil += bSoil ? rem.m_rem.dSoilC : 0.0;
            rock += bRock ? rem.m_rem.dRockC : 0.0;
        }
    }
    if (soil == 0.0 && rock == 0.0 && fill == 0.0) {
        return {};
    }
    return QString::asprintf("当前选择-> 土方:%.3lf; 石方:%.3lf; 填方:%.3lf", soil, rock, fill);
}

QString YDiagramTexts::AreaText(double y) {
    return y >= 0 ? QString::asprintf("挖方面积：%.3lf", y)
                  : QString::asprintf("填方面积：%.3lf", -y);
}
