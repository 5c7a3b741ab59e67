#include "core/process/YFinish.h"

#include "core/db/YDatabase.h"
#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YLogCodec.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/platform/YUserIO.h"
#include "core/process/YHaulExtrasLoader.h"
#include "core/process/YProcessLog.h"
#include "core/process/YStatsTables.h"
#include "core/process/YStepReader.h"
#include "core/process/YStepSummary.h"
#include "core/process/YStretchStats.h"

#include <cmath>
#include <vector>

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

class FinishRun {
  public:
    explicit FinishRun(CDalvexDoc& doc) : m_doc(doc), m_mid(doc.GetZjTsjsSet()) {}
    bool Run();

  private:
    bool CheckComplete();
    bool WriteFillSide();
    bool WriteSummaries();
    bool WriteStatistics();

    CDalvexDoc& m_doc;
    YZjTsjsSet& m_mid;
    std::vector<YDpLogPair> m_pairs; // applied pairs only
    YHaulExtras m_extras;
};

bool FinishRun::CheckComplete() {
    for (m_mid.MoveFirst(); !m_mid.IsEOF(); m_mid.MoveNext()) {
        const double left = m_mid.m_rem.dSoil + m_mid.m_rem.dRock + m_mid.m_dFillAfterLocal;
        if (std::fabs(left) > YClass::Present) {
            m_doc.UserIO().Warning(QStringLiteral("调配尚未完成!桩号%1")
                                       .arg(m_doc.Numbering().Text(m_mid.m_staStart)));
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
        if (DpKinds::HasSegmentDestination(r.kind) && m_mid.FindByStation(r.dstStart)) {
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
        // The set writes only the columns that change, and keeps its rows current.
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

bool FinishRun::WriteSummaries() {
    YStepReader::Options opt;
    opt.pSplitKm = &m_doc.Numbering();
    const auto summaries =
        YStepSummary::Summarize(YStepReader(m_pairs).ReadAll(opt), m_doc.Numbering());
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

bool FinishRun::WriteStatistics() {
    std::vector<YStretchStats> stretches;
    stretches.reserve(size_t(m_mid.RecordCount()));
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
    return YStatsTables::Write(m_doc, stretches);
}

bool FinishRun::Run() {
    // The document's sets are kept current by every write, so they are walked as they stand.
    if (!CheckComplete()) {
        return false;
    }
    if (!YProcessLog(m_doc.GetTdpSet()).ReadPairs(m_pairs)) {
        return false;
    }
    std::erase_if(m_pairs, [](const YDpLogPair& p) { return !p.src.ok; });
    m_extras = YHaulExtrasLoader::Load(m_doc);
    YTransaction tr(m_doc.GetDatabase());
    if (!tr.IsActive()) {
        return false;
    }
    m_doc.NotifyReset();
    if (!m_doc.GetGchSet().DeleteSegmentRows() || !m_doc.GetDpSet().DeleteSegmentRows() ||
        !WriteFillSide() || !WriteSummaries() || !WriteStatistics()) {
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
