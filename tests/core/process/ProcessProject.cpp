#include "ProcessProject.h"

#include "core/db/YDatabase.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YPrjProSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YTsxsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/process/YProcessRecorder.h"
#include "core/process/YRepair.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace dalvex::test {

namespace {

double CompactedSum(const DpBlock& b) {
    double s = 0.0;
    for (int k = 1; k <= 6; ++k) {
        s += b[DpAmt::ClsC(k)];
    }
    return s;
}

double NaturalSum(const DpBlock& b) {
    double s = 0.0;
    for (int k = 1; k <= 6; ++k) {
        s += b[DpAmt::Cls(k)];
    }
    return s;
}

void RecomputeSums(DpBlock& b) {
    b[DpAmt::Soil] = b[DpAmt::Cls(1)] + b[DpAmt::Cls(2)] + b[DpAmt::Cls(3)];
    b[DpAmt::SoilC] = b[DpAmt::ClsC(1)] + b[DpAmt::ClsC(2)] + b[DpAmt::ClsC(3)];
    b[DpAmt::Rock] = b[DpAmt::Cls(4)] + b[DpAmt::Cls(5)] + b[DpAmt::Cls(6)];
    b[DpAmt::RockC] = b[DpAmt::ClsC(4)] + b[DpAmt::ClsC(5)] + b[DpAmt::ClsC(6)];
}

void ScaleAfter(DpProcess& p, double keep) {
    for (int k = 1; k <= 6; ++k) {
        p.after[DpAmt::Cls(k)] *= keep;
        p.after[DpAmt::ClsC(k)] *= keep;
    }
    RecomputeSums(p.after);
}

} // namespace

ProcessProject::ProcessProject(YDocManager& manager, const QString& path, bool bOpen)
    : m_strPath(path) {
    m_pDoc = bOpen ? manager.OpenDocumentFile(path) : manager.NewDocumentFile(path);
}

bool ProcessProject::Reopen(YDocManager& manager) {
    manager.CloseDocument(m_pDoc);
    m_pDoc = manager.OpenDocumentFile(m_strPath);
    return m_pDoc != nullptr;
}

bool ProcessProject::SetGuid(const QString& guid, const QString& name) {
    YPrjProSet set(m_pDoc->GetDatabase());
    if (!set.Open()) {
        return false;
    }
    for (const auto& [key, value] :
         {std::pair{QStringLiteral("GUID"), guid}, std::pair{QStringLiteral("项目名称"), name}}) {
        set.AddNew();
        set.m_strName = key;
        set.m_strValue = value;
        if (!set.Update()) {
            return false;
        }
    }
    return true;
}

std::vector<SegSpec> ProcessProject::Road(int n, double scale) {
    std::vector<SegSpec> segs;
    for (int i = 0; i < n; ++i) {
        SegSpec s;
        s.dStart = 20.0 * i;
        s.dEnd = 20.0 * (i + 1);
        const double f = scale * (1.0 + 0.1 * (i % 7));
        if (i % 2 == 0) {
            s.use = {10 * f, 30 * f, 20 * f, 5 * f, 3 * f, 2 * f};
            s.unuse = {2 * f, 1 * f, 0, 1 * f, 0, 0};
        } else {
            s.dFill = 90 * f;
        }
        segs.push_back(s);
    }
    return segs;
}

bool ProcessProject::AddSegments(const std::vector<SegSpec>& segs) {
    YTsxsSet coefSet(m_pDoc->GetDatabase());
    if (!coefSet.Open() || coefSet.IsEOF()) {
        return false;
    }
    const double* coef = coefSet.m_dCoef;
    YTransaction tr(m_pDoc->GetDatabase());
    YTsjsSet& cal = m_pDoc->GetTsjsSet();
    for (const SegSpec& s : segs) {
        cal.AddNew();
        cal.m_staStart = s.dStart;
        cal.m_staEnd = s.dEnd;
        cal.m_dLength = s.dEnd - s.dStart;
        double cut = 0.0;
        for (int k = 0; k < 6; ++k) {
            cut += s.use[size_t(k)] + s.unuse[size_t(k)];
        }
        cal.m_dCutTotal = cut;
        cal.m_dAvgCutArea = cut / cal.m_dLength;
        cal.m_dAvgFillArea = s.dFill / cal.m_dLength;
        for (int k = 0; k < 6; ++k) {
            const double u = s.use[size_t(k)];
            const double n = s.unuse[size_t(k)];
            cal.m_dContent[k] = cut > 0 ? 100.0 * (u + n) / cut : 0.0;
            cal.m_dCoef[k] = coef[k];
            cal.m_dCut[k] = u + n;
            cal.m_dCutC[k] = (u + n) / coef[k];
            cal.m_rem.d[k] = u + n;
            cal.m_rem.dC[k] = (u + n) / coef[k];
            cal.m_usable.d[k] = u;
            cal.m_usable.dC[k] = u / coef[k];
            cal.m_unusable.d[k] = n;
            cal.m_unusable.dC[k] = n / coef[k];
            cal.m_dUsableRate[k] = u + n > 0 ? u / (u + n) : 1.0;
        }
        for (YClassQuantities* q : {&cal.m_rem, &cal.m_usable, &cal.m_unusable}) {
            q->dSoil = q->d[0] + q->d[1] + q->d[2];
            q->dRock = q->d[3] + q->d[4] + q->d[5];
            q->dSoilC = q->dC[0] + q->dC[1] + q->dC[2];
            q->dRockC = q->dC[3] + q->dC[4] + q->dC[5];
        }
        cal.m_dFillTotal = s.dFill;
        cal.m_dFillAfterLocal = s.dFill;
        if (!cal.Update()) {
            return false;
        }
    }
    if (!YRepair::ResetMidTable(*m_pDoc) || !tr.Commit()) {
        return false;
    }
    return m_pDoc->ReloadModel();
}

bool ProcessProject::AddBorrowPit(double road, double branch, const std::array<double, 6>& shares,
                                  double soil, double rock) {
    YQtkSet& set = m_pDoc->GetQtkSet();
    set.AddNew();
    set.m_staRoad = road;
    set.m_staFront = road;
    set.m_staBack = road;
    set.m_dBranch = branch;
    std::copy(shares.begin(), shares.end(), set.m_dShare);
    set.m_dSoil = soil;
    set.m_dRock = rock;
    return set.Update() && set.Requery() && m_pDoc->ReloadModel();
}

bool ProcessProject::AddWastePit(double road, double branch, double capacity) {
    YQitkSet& set = m_pDoc->GetQitkSet();
    set.AddNew();
    set.m_staRoad = road;
    set.m_staFront = road;
    set.m_staBack = road;
    set.m_dBranch = branch;
    set.m_dCapacity = capacity;
    return set.Update() && set.Requery() && m_pDoc->ReloadModel();
}

bool ProcessProject::AddPort(int no, double sta, double nearSta, double dist, const QString& name,
                             const QString& path, const QString& guid) {
    YNearPrjSet& set = m_pDoc->GetNearPrjSet();
    set.AddNew();
    set.m_nNo = no;
    set.m_sta = sta;
    set.m_staNear = nearSta;
    set.m_dDistance = dist;
    set.m_strNearName = name;
    set.m_strNearPath = path;
    set.m_strNearGUID = guid;
    set.m_nNearSegment = -1;
    return set.Update() && set.Requery();
}

bool ProcessProject::MoveFromSegment(DpProcess& p, double fraction) {
    const double available = CompactedSum(p.before);
    const double need = p.fillBefore;
    if (DpKind::HasSegmentDestination(p.kind) && available * fraction > need) {
        fraction = available > 0 ? need / available : 0.0;
    }
    ScaleAfter(p, 1.0 - fraction);
    if (DpKind::HasSegmentDestination(p.kind)) {
        p.fillAfter = p.fillBefore - (available - CompactedSum(p.after));
    }
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool ProcessProject::Haul(int step, int seq, int cut, int fill, double fraction) {
    DpProcess p(DpKind::Haul, step, seq, &m_pDoc->GetSegment(cut), &m_pDoc->GetSegment(fill));
    YProcessRecorder::TakeBefore(*m_pDoc, p);
    return MoveFromSegment(p, fraction);
}

bool ProcessProject::Reuse(int step, int seq, int seg, double fraction) {
    YTFItem* item = &m_pDoc->GetSegment(seg);
    DpProcess p(DpKind::Reuse, step, seq, item, item);
    YProcessRecorder::TakeBefore(*m_pDoc, p);
    return MoveFromSegment(p, fraction);
}

bool ProcessProject::Borrow(int step, int seq, int pit, int fill, double fraction) {
    DpProcess p(DpKind::Borrow, step, seq, &m_pDoc->Model().m_arrQutuk[size_t(pit)],
                &m_pDoc->GetSegment(fill), pit);
    YProcessRecorder::TakeBefore(*m_pDoc, p);
    return MoveFromSegment(p, fraction);
}

bool ProcessProject::Waste(int step, int seq, int cut, int pit, double fraction, bool bUnusable) {
    DpProcess p(bUnusable ? DpKind::WasteUnusable : DpKind::Waste, step, seq,
                &m_pDoc->GetSegment(cut), &m_pDoc->Model().m_arrQituk[size_t(pit)], pit);
    YProcessRecorder::TakeBefore(*m_pDoc, p);
    const double before = NaturalSum(p.after);
    ScaleAfter(p, 1.0 - fraction);
    p.fillAfter = p.fillBefore - (before - NaturalSum(p.after));
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool ProcessProject::LocalWaste(int step, int seq, int cut, bool bUnusable) {
    YTFItem* item = &m_pDoc->GetSegment(cut);
    DpProcess p(bUnusable ? DpKind::LocalWasteUnusable : DpKind::LocalWaste, step, seq, item, item);
    YProcessRecorder::TakeBefore(*m_pDoc, p);
    ScaleAfter(p, 0.0);
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool ProcessProject::LocalTake(int step, int seq, int fill) {
    YTFItem* item = &m_pDoc->GetSegment(fill);
    DpProcess p(DpKind::LocalBorrow, step, seq, item, item);
    YProcessRecorder::TakeBefore(*m_pDoc, p);
    const double need = p.fillBefore;
    // Contents 20/20/60 of the soil classes; the coefficients come with the record.
    const double shares[6] = {20, 20, 60, 0, 0, 0};
    for (int k = 1; k <= 6; ++k) {
        p.after[k - 1] = shares[k - 1];
        const double c = need * shares[k - 1] / 100.0;
        p.before[DpAmt::ClsC(k)] = c;
        p.before[DpAmt::Cls(k)] = c * p.after[5 + k];
    }
    RecomputeSums(p.before);
    p.fillAfter = 0.0;
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool ProcessProject::Transfer(int kind, int step, int seq, DpEnd src, DpEnd dst, int pit, int k,
                              double compacted) {
    DpProcess p(kind, step, seq, src, dst, pit);
    YProcessRecorder::TakeBefore(*m_pDoc, p);
    const double ratio = p.before[DpAmt::Cls(k)] / p.before[DpAmt::ClsC(k)];
    const double natural = compacted * ratio;
    p.after[DpAmt::ClsC(k)] -= compacted;
    p.after[DpAmt::Cls(k)] -= natural;
    RecomputeSums(p.after);
    p.fillAfter -= DpKind::IsWaste(kind) ? natural : compacted;
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool ProcessProject::Cross(ProcessProject& from, int outStep, int cut, int outPort,
                           ProcessProject& to, int inStep, int fill, int inPort, double fraction) {
    CDalvexDoc& a = from.Doc();
    CDalvexDoc& b = to.Doc();
    DpProcess out(DpKind::Out, outStep, 1, &a.GetSegment(cut),
                  &a.Model().m_arrNearPrj[size_t(outPort)], outPort);
    out.partner = inStep;
    YProcessRecorder::TakeBefore(a, out);
    const double available = CompactedSum(out.before);
    const double need = b.GetSegment(fill).m_dRemFill;
    if (available * fraction > need) {
        fraction = need / available;
    }
    ScaleAfter(out, 1.0 - fraction);
    out.fillBefore = available - CompactedSum(out.after);
    out.fillAfter = 0.0;
    if (!YProcessRecorder::RecordProcess(a, out)) {
        return false;
    }
    DpProcess in(DpKind::In, inStep, 1, &b.Model().m_arrNearPrj[size_t(inPort)],
                 &b.GetSegment(fill), inPort);
    in.partner = outStep;
    YProcessRecorder::TakeBefore(b, in);
    for (int i = 0; i < DpAmt::Count; ++i) {
        in.before[i] = out.before[i] - out.after[i];
        in.after[i] = 0.0;
    }
    in.fillAfter = in.fillBefore - CompactedSum(in.before);
    return YProcessRecorder::RecordProcess(b, in);
}

int ProcessProject::HaulStep(int cut, int fill, int n, double fraction) {
    const int step = YProcessRecorder::NextStep(*m_pDoc);
    if (step < 0) {
        return step;
    }
    int recorded = 0;
    for (int i = 0; i < n; ++i) {
        recorded += Haul(step, i + 1, cut, fill, fraction) ? 1 : 0;
    }
    if (recorded > 0) {
        YProcessRecorder::EndStep(*m_pDoc, step);
    }
    return step;
}

std::vector<std::vector<double>> ProcessProject::Table(const QString& name) const {
    std::vector<std::vector<double>> rows;
    QSqlQuery q(m_pDoc->GetDatabase().Connection());
    if (!q.exec(QStringLiteral("SELECT * FROM [%1] ORDER BY [起始桩号]").arg(name))) {
        return rows;
    }
    while (q.next()) {
        std::vector<double> row;
        for (int c = 0; c < q.record().count(); ++c) {
            row.push_back(q.value(c).toDouble());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::vector<double>> ProcessProject::MidTable() const {
    return Table(QStringLiteral("土石计算中间表"));
}

std::vector<std::vector<double>> ProcessProject::CalTable() const {
    return Table(QStringLiteral("土石计算"));
}

std::vector<double> ProcessProject::Pits() const {
    std::vector<double> v;
    YQtkSet borrow(m_pDoc->GetDatabase());
    YQitkSet waste(m_pDoc->GetDatabase());
    if (borrow.Open()) {
        for (; !borrow.IsEOF(); borrow.MoveNext()) {
            v.push_back(borrow.m_dSoil);
            v.push_back(borrow.m_dRock);
        }
    }
    if (waste.Open()) {
        for (; !waste.IsEOF(); waste.MoveNext()) {
            v.push_back(waste.m_dCapacity);
        }
    }
    return v;
}

std::vector<double> ProcessProject::Items() const {
    std::vector<double> v;
    for (const YTFItem& t : m_pDoc->Segments()) {
        v.insert(v.end(), t.m_dRemUse.begin(), t.m_dRemUse.end());
        v.insert(v.end(), t.m_dRemUnuse.begin(), t.m_dRemUnuse.end());
        v.push_back(t.m_dRemFill);
        v.push_back(t.m_dFillSoil);
        v.push_back(t.m_dFillRock);
    }
    return v;
}

} // namespace dalvex::test
