#include "core/process/YFinish.h"

#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTjExSet.h"
#include "core/db/YTjtsjSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsjsExSet.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/platform/YUserIO.h"
#include "core/process/YHaulExtrasLoader.h"
#include "core/process/YLogCodec.h"
#include "core/process/YProcessLog.h"
#include "core/process/YStepReader.h"
#include "core/process/YStepSummary.h"
#include "core/process/YStretchStats.h"

#include <cmath>

namespace {

// The fill-side columns of a row: 填土量, 填石量 (compacted), 填土量(松方), 填石量(松方),
// 填1 … 填6, 填1(压实) … 填6(压实).
using FillSide = std::array<double, 16>;

FillSide ReadFill(const YTsjsSet& r) {
    FillSide f{r.m_dFillSoil, r.m_dFillRock, r.m_dFillSoilL, r.m_dFillRockL};
    for (int k = 0; k < 6; ++k) {
        f[size_t(4 + k)] = r.m_dFill[k];
        f[size_t(10 + k)] = r.m_dFillC[k];
    }
    return f;
}

void WriteFill(YTsjsSet& r, const FillSide& f) {
    r.m_dFillSoil = f[0];
    r.m_dFillRock = f[1];
    r.m_dFillSoilL = f[2];
    r.m_dFillRockL = f[3];
    for (int k = 0; k < 6; ++k) {
        r.m_dFill[k] = f[size_t(4 + k)];
        r.m_dFillC[k] = f[size_t(10 + k)];
    }
}

void AddDelivered(FillSide& f, const DpLogRecord& r) {
    f[0] += r.amount[DpAmt::SoilC];
    f[1] += r.amount[DpAmt::RockC];
    f[2] += r.amount[DpAmt::Soil];
    f[3] += r.amount[DpAmt::Rock];
    for (int k = 1; k <= 6; ++k) {
        f[size_t(3 + k)] += r.amount[DpAmt::Cls(k)];
        f[size_t(9 + k)] += r.amount[DpAmt::ClsC(k)];
    }
}

YSoilRockClasses ToSoilRock(const YStretchStats::Group& g) {
    YSoilRockClasses s;
    s.dSoil = g[0];
    s.dRock = g[1];
    for (int k = 0; k < 6; ++k) {
        s.d[k] = g[size_t(2 + k)];
    }
    return s;
}

// Loose figures are the natural ones: both halves of the group get them.
YLooseClasses ToLoose(double soil, double rock, const double* cls) {
    YLooseClasses l;
    l.dSoilLoose = soil;
    l.dRockLoose = rock;
    for (int k = 0; k < 6; ++k) {
        l.dLoose[k] = l.d[k] = cls[k];
    }
    return l;
}

YLooseClasses ToLoose(const YStretchStats::Group& g) {
    return ToLoose(g[0], g[1], g.data() + 2);
}

class FinishRun {
  public:
    explicit FinishRun(CDalvexDoc& doc) : m_doc(doc), m_mid(doc.GetZjTsjsSet()) {}
    bool Run();

  private:
    bool CheckComplete();
    bool WriteFillSide();
    bool WriteExtension();
    bool WriteSummaries();
    bool WriteStatistics();
    bool WriteStretch(const YStretchStats& s);

    CDalvexDoc& m_doc;
    YZjTsjsSet& m_mid;
    std::vector<YDpLogPair> m_pairs; // applied pairs only
    YHaulExtras m_extras;
};

bool FinishRun::CheckComplete() {
    for (m_mid.MoveFirst(); !m_mid.IsEOF(); m_mid.MoveNext()) {
        const double left = m_mid.m_rem.dSoil + m_mid.m_rem.dRock + m_mid.m_dFillAfterLocal;
        if (std::fabs(left) > YClass::Present) {
            m_doc.UserIO().Warning(
                QStringLiteral("调配尚未完成!桩号%1").arg(m_mid.m_staStart.Text()));
            return false;
        }
    }
    return true;
}

// Each stretch's fill as made: the preprocessing's own fill (local reuse, from [土石计算]) plus
// what every applied process delivered into it. Computed afresh from [土石计算] each time, so
// finishing again after an undo does not count deliveries twice.
bool FinishRun::WriteFillSide() {
    const int n = m_mid.RecordCount();
    std::vector<FillSide> delivered(size_t(n), FillSide{});
    for (const YDpLogPair& p : m_pairs) {
        const DpLogRecord r = YLogCodec::Decode(p);
        if (DpKind::HasSegmentDestination(r.kind) && m_mid.FindByStation(r.dstStart)) {
            AddDelivered(delivered[size_t(m_mid.Position())], r);
        }
    }
    YTsjsSet& cal = m_doc.GetTsjsSet();
    for (int i = 0; i < n; ++i) {
        if (!m_mid.SetPosition(i) || !cal.FindByStation(m_mid.m_staStart)) {
            continue; // a stretch preprocessing no longer has: left as it is
        }
        FillSide target = ReadFill(cal);
        for (size_t j = 0; j < target.size(); ++j) {
            target[j] += delivered[size_t(i)][j];
        }
        if (target == ReadFill(m_mid)) {
            continue;
        }
        if (!m_mid.Edit()) {
            return false;
        }
        WriteFill(m_mid, target);
        if (!m_mid.Update()) {
            return false;
        }
    }
    return true;
}

bool FinishRun::WriteExtension() {
    YTsjsExSet& ext = m_doc.GetTsjsExSet();
    if (!ext.IsOpen()) {
        return true;
    }
    for (m_mid.MoveFirst(); !m_mid.IsEOF(); m_mid.MoveNext()) {
        const YTsjsSet& r = m_mid;
        if (ext.FindByStation(r.m_staStart)) {
            if (!ext.Edit()) {
                return false;
            }
        } else {
            ext.AddNew();
        }
        ext.m_staStart = r.m_staStart;
        ext.m_staEnd = r.m_staEnd;
        ext.m_dFillTotalL = r.m_dFillSoilL + r.m_dFillRockL;
        ext.m_fill = ToLoose(r.m_dFillSoilL, r.m_dFillRockL, r.m_dFill);
        ext.m_local = ToLoose(r.m_dLocalSoilL, r.m_dLocalRockL, r.m_dLocal);
        ext.m_need = ToLoose(r.m_dNeedSoilL, r.m_dNeedRockL, r.m_dNeed);
        if (!ext.Update()) {
            return false;
        }
    }
    return true;
}

bool FinishRun::WriteSummaries() {
    YStepReader::Options opt;
    opt.bSplitKm = true;
    const auto summaries = YStepSummary::Summarize(YStepReader(m_pairs).ReadAll(opt));
    YProgressScope progress(m_doc.UserIO(), QStringLiteral("处理调配过程"),
                            qint64(summaries.size()));
    YGchSet& gch = m_doc.GetGchSet();
    YDpSet& dp = m_doc.GetDpSet();
    qint64 done = 0;
    for (const YStepSummary& sum : summaries) {
        const YDpStep& s = sum.step;
        gch.AddNew();
        gch.m_nGCID = sum.nGCID;
        gch.m_staTakeStart = s.m_staSrcStart;
        gch.m_staTakeEnd = s.m_staSrcEnd;
        gch.m_staPutStart = s.m_staDstStart;
        gch.m_staPutEnd = s.m_staDstEnd;
        gch.m_dSoil = s.m_dAmt[StepAmt::Soil];
        gch.m_dRock = s.m_dAmt[StepAmt::Rock];
        gch.m_dSoilC = s.m_dAmt[StepAmt::SoilC];
        gch.m_dRockC = s.m_dAmt[StepAmt::RockC];
        gch.m_dSoilDist = s.SoilDistance(&m_extras);
        gch.m_dRockDist = s.RockDistance(&m_extras);
        for (int k = 1; k <= 6; ++k) {
            gch.m_dMoved[k - 1] = s.m_dAmt[size_t(StepAmt::Cls(k))];
            gch.m_dMovedC[k - 1] = s.m_dAmt[size_t(StepAmt::ClsC(k))];
            gch.m_dDist[k - 1] = s.ClassDistance(k, &m_extras);
        }
        gch.m_nPit = s.m_nKind == DpKind::Waste ? -s.m_nPit : s.m_nPit;
        dp.AddNew();
        dp.m_nGCID = sum.nGCID;
        dp.m_sta1 = s.SourceCentre();
        dp.m_sta2 = s.DestinationCentre();
        if (!gch.Update() || !dp.Update()) {
            return false;
        }
        progress.Advance(++done);
    }
    return true;
}

bool FinishRun::WriteStretch(const YStretchStats& s) {
    YTjtsjSet& tj = m_doc.GetTjtsjSet();
    tj.AddNew();
    tj.m_staStart = s.staStart;
    tj.m_staEnd = s.staEnd;
    tj.m_dLength = s.dLength;
    tj.m_dCutTotal = s.dCutTotal;
    tj.m_dCutSoil = s.cut[0];
    tj.m_dCutRock = s.cut[1];
    for (int k = 0; k < 6; ++k) {
        tj.m_dCut[k] = s.cut[size_t(2 + k)];
    }
    tj.m_dFillTotal = s.dFillTotal;
    tj.m_fillC = ToSoilRock(s.fillC);
    tj.m_fillL = ToSoilRock(s.fillL);
    tj.m_localC = ToSoilRock(s.localC);
    tj.m_localL = ToSoilRock(s.localL);
    auto flow = [](const YStretchStats::Flow& f, YSoilRockClasses& c, YSoilRockClasses& l,
                   YSoilRockClasses& d) {
        c = ToSoilRock(f.compacted);
        l = ToSoilRock(f.loose);
        d = ToSoilRock(f.Distance());
    };
    flow(s.haul, tj.m_haulC, tj.m_haulL, tj.m_haulDist);
    flow(s.borrow, tj.m_borrowC, tj.m_borrowL, tj.m_borrowDist);
    flow(s.waste, tj.m_wasteC, tj.m_wasteL, tj.m_wasteDist);
    flow(s.out, tj.m_outC, tj.m_outL, tj.m_outDist);
    flow(s.in, tj.m_inC, tj.m_inL, tj.m_inDist);
    if (!tj.Update()) {
        return false;
    }
    YTjExSet& ex = m_doc.GetTjExSet();
    if (!ex.IsOpen()) {
        return true;
    }
    ex.AddNew();
    ex.m_staStart = s.staStart;
    ex.m_staEnd = s.staEnd;
    ex.m_haul = ToLoose(s.haul.loose);
    ex.m_borrow = ToLoose(s.borrow.loose);
    ex.m_waste = ToLoose(s.waste.loose);
    ex.m_out = ToLoose(s.out.loose);
    ex.m_in = ToLoose(s.in.loose);
    return ex.Update();
}

bool FinishRun::WriteStatistics() {
    YTjtsjSet& tj = m_doc.GetTjtsjSet();
    YTjExSet& ex = m_doc.GetTjExSet();
    if (!tj.DeleteSegmentRows() || (ex.IsOpen() && !ex.DeleteSegmentRows())) {
        return false;
    }
    std::vector<YStretchStats> stretches;
    {
        YProgressScope progress(m_doc.UserIO(), QStringLiteral("处理调配断面数据"),
                                m_mid.RecordCount());
        for (m_mid.MoveFirst(); !m_mid.IsEOF(); m_mid.MoveNext()) {
            stretches.push_back(YStretchStats::FromRow(m_mid));
            progress.Advance(qint64(stretches.size()));
        }
    }
    {
        YProgressScope progress(m_doc.UserIO(), QStringLiteral("统计调配断面数据"),
                                qint64(m_pairs.size()));
        qint64 done = 0;
        for (const YDpLogPair& p : m_pairs) {
            YStretchStats::AddPair(stretches, YDpStep::FromRecord(YLogCodec::Decode(p)), &m_extras);
            progress.Advance(++done);
        }
    }
    for (const YStretchStats& s : stretches) {
        if (!WriteStretch(s)) {
            return false;
        }
    }
    return true;
}

bool FinishRun::Run() {
    if (!m_mid.Requery() || !m_doc.GetTsjsSet().Requery() || !CheckComplete()) {
        return false;
    }
    std::vector<YDpLogPair> pairs;
    if (!YProcessLog(m_doc.GetTdpSet()).ReadPairs(pairs)) {
        return false;
    }
    for (YDpLogPair& p : pairs) {
        if (p.src.ok) {
            m_pairs.push_back(std::move(p));
        }
    }
    m_extras = YHaulExtrasLoader::Load(m_doc);
    YTransaction tr(m_doc.GetDatabase());
    if (!tr.IsActive()) {
        return false;
    }
    m_doc.NotifyReset();
    if (!m_doc.GetGchSet().DeleteSegmentRows() || !m_doc.GetDpSet().DeleteSegmentRows() ||
        !WriteFillSide() || !WriteExtension() || !WriteSummaries() || !WriteStatistics()) {
        return false;
    }
    if (!tr.Commit()) {
        return false;
    }
    m_doc.ClearSegments();
    m_doc.UpdateAllViews();
    return true;
}

} // namespace

bool YFinish::Finish(CDalvexDoc& doc) {
    return FinishRun(doc).Run();
}
