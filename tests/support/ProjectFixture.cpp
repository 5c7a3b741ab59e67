#include "support/ProjectFixture.h"

#include "core/db/YDLSet.h"
#include "core/db/YDatabase.h"
#include "core/db/YGzwSet.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YPrjFDSet.h"
#include "core/db/YPrjProSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YSchema.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YTsxsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/YDocManager.h"
#include "core/process/YProcessRecorder.h"
#include "support/TestSupport.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <gtest/gtest.h>

namespace dalvex::test {

namespace {

// The six class amounts of a block, compacted (ClsC) or natural (Cls).
double ClassSum(const DpBlock& b, int (*at)(int)) {
    double s = 0.0;
    for (int k = 1; k <= 6; ++k) {
        s += b[at(k)];
    }
    return s;
}

double CompactedSum(const DpBlock& b) {
    return ClassSum(b, DpAmt::ClsC);
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

void WriteSegRow(YTsjsSet& set, const SegSpec& s, const double* coef) {
    set.AddNew();
    if (s.segment >= 0) {
        set.m_nSegment = qint16(s.segment);
    }
    set.m_staStart = s.start;
    set.m_staEnd = s.end;
    set.m_dLength = s.end - s.start;
    double cut = 0.0;
    for (int k = 0; k < 6; ++k) {
        cut += s.use[size_t(k)] + s.unuse[size_t(k)];
    }
    const bool contents =
        std::any_of(s.content.begin(), s.content.end(), [](double c) { return c != 0.0; });
    set.m_dCutTotal = cut;
    set.m_dAvgCutArea = s.cutArea.value_or(cut / set.m_dLength);
    set.m_dAvgFillArea = s.fillArea.value_or(s.fill / set.m_dLength);
    for (int k = 0; k < 6; ++k) {
        const double u = s.use[size_t(k)];
        const double n = s.unuse[size_t(k)];
        set.m_dContent[k] = contents ? s.content[size_t(k)] : cut > 0 ? 100.0 * (u + n) / cut : 0.0;
        set.m_dCoef[k] = coef[k];
        set.m_dCut[k] = u + n;
        set.m_dCutC[k] = (u + n) / coef[k];
        set.m_rem.d[k] = u + n;
        set.m_rem.dC[k] = (u + n) / coef[k];
        set.m_usable.d[k] = u;
        set.m_usable.dC[k] = u / coef[k];
        set.m_unusable.d[k] = n;
        set.m_unusable.dC[k] = n / coef[k];
        set.m_dUsableRate[k] = u + n > 0 ? u / (u + n) : 1.0;
    }
    for (YClassQuantities* q : {&set.m_rem, &set.m_usable, &set.m_unusable}) {
        q->dSoil = q->d[0] + q->d[1] + q->d[2];
        q->dRock = q->d[3] + q->d[4] + q->d[5];
        q->dSoilC = q->dC[0] + q->dC[1] + q->dC[2];
        q->dRockC = q->dC[3] + q->dC[4] + q->dC[5];
    }
    set.m_dFillTotal = s.fill;
    set.m_dFillAfterLocal = s.fill;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

template <class Set> void SetPitStations(Set& set, double road, double front, double back) {
    set.AddNew();
    set.m_strRoad = StaText(road);
    set.m_staRoad = road;
    set.m_strFront = StaText(front);
    set.m_staFront = front;
    set.m_strBack = StaText(back);
    set.m_staBack = back;
}

} // namespace

void CreateDatabase(YDatabase& db, const ScratchDir& dir, int version, const QString& name) {
    EnsureCoreApp();
    ASSERT_TRUE(YSchema::CreateProject(db, dir.Path(name), version))
        << db.LastError().toStdString();
    ASSERT_TRUE(YSchema::AddDetourColumn(db)) << db.LastError().toStdString();
}

TestDatabase::TestDatabase(int v) : version(v) {
    CreateDatabase(db, dir, v);
}

void TestDatabase::Exec(const QString& sql, const QVariantList& params) {
    ASSERT_TRUE(db.Exec(sql, params)) << sql.toStdString() << ": " << db.LastError().toStdString();
}

double TestDatabase::Value(const QString& sql) {
    const auto v = db.QueryValue(sql);
    EXPECT_TRUE(v.has_value()) << sql.toStdString();
    return v ? v->toDouble() : 0.0;
}

int TestDatabase::Count(const QString& table) {
    const auto n = db.QueryValue(QStringLiteral("SELECT COUNT(*) FROM [%1]").arg(table));
    return n ? n->toInt() : -1;
}

QStringList TestDatabase::Rows(const QString& sql) {
    QStringList rows;
    QSqlQuery q(db.Connection());
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    while (q.next()) {
        QStringList cols;
        for (int i = 0; i < q.record().count(); ++i) {
            cols.append(q.value(i).toString());
        }
        rows.append(cols.join(QLatin1Char('|')));
    }
    return rows;
}

TestProject::TestProject(const QString& path, YUserIO& io, int version)
    : m_owned(std::make_unique<CDalvexDoc>(io)), m_pDoc(m_owned.get()), m_strPath(path) {
    EnsureCoreApp();
    if (version == 6) {
        EXPECT_TRUE(m_pDoc->OnNewDocument(path));
    } else {
        {
            YDatabase db;
            EXPECT_TRUE(YSchema::CreateProject(db, path, version)) << db.LastError().toStdString();
        }
        EXPECT_TRUE(m_pDoc->OnOpenDocument(path));
    }
    SetCoefficients();
}

TestProject::TestProject(YDocManager& manager, const QString& path, bool open) : m_strPath(path) {
    EnsureCoreApp();
    m_pDoc = open ? manager.OpenDocumentFile(path) : manager.NewDocumentFile(path);
    if (m_pDoc != nullptr && !open) {
        SetCoefficients();
    }
}

void TestProject::CreateFile(const QString& path, YUserIO& io, const QString& guid,
                             const QString& name) {
    TestProject p(path, io);
    p.SetGuid(guid, name);
}

std::unique_ptr<CDalvexDoc> TestProject::Open(const QString& path, YUserIO& io) {
    auto doc = std::make_unique<CDalvexDoc>(io);
    if (!doc->OnOpenDocument(path)) {
        return nullptr;
    }
    return doc;
}

bool TestProject::Reopen(YDocManager& manager) {
    manager.CloseDocument(m_pDoc);
    m_pDoc = manager.OpenDocumentFile(m_strPath);
    return m_pDoc != nullptr;
}

void TestProject::SetCoefficients() {
    YTsxsSet& coef = m_pDoc->GetTsxsSet();
    coef.MoveFirst();
    EXPECT_TRUE(coef.Edit());
    std::copy(kCoef.begin(), kCoef.end(), coef.m_dCoef);
    EXPECT_TRUE(coef.Update()) << coef.LastError().toStdString();
}

void TestProject::SetProperty(const QString& name, const QString& value) {
    YPrjProSet set(m_pDoc->GetDatabase());
    ASSERT_TRUE(set.Open()) << set.LastError().toStdString();
    set.AddNew();
    set.m_strName = name;
    set.m_strValue = value;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void TestProject::SetGuid(const QString& guid, const QString& name) {
    SetProperty(QStringLiteral("GUID"), guid);
    SetProperty(QStringLiteral("项目名称"), name);
}

void TestProject::AddProjectSegment(int number, const QString& endText) {
    YPrjFDSet& set = m_pDoc->GetPrjFDSet();
    set.AddNew();
    set.m_nSegment = qint16(number);
    set.m_strEnd = endText; // the set reads the station from the text
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void TestProject::AddChainBreak(int id, const QString& text) {
    YDLSet& set = m_pDoc->GetDLSet();
    set.AddNew();
    set.m_nID = id;
    set.m_strBreak = text;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void TestProject::AddSeg(const SegSpec& computed, const SegSpec& remaining) {
    const double* coef = m_pDoc->GetTsxsSet().m_dCoef;
    WriteSegRow(m_pDoc->GetTsjsSet(), computed, coef);
    WriteSegRow(m_pDoc->GetZjTsjsSet(), remaining, coef);
}

void TestProject::AddSegs(const std::vector<SegSpec>& specs) {
    YTransaction tr(m_pDoc->GetDatabase());
    for (const SegSpec& s : specs) {
        AddSeg(s);
    }
    EXPECT_TRUE(tr.Commit());
}

void TestProject::AddLine(double start, double len, std::vector<SegSpec> specs) {
    for (SegSpec& s : specs) {
        s.start = start;
        s.end = start + len;
        start += len;
    }
    AddSegs(specs);
}

std::vector<SegSpec> TestProject::Road(int n, double scale) {
    std::vector<SegSpec> segs;
    for (int i = 0; i < n; ++i) {
        SegSpec s{.start = 20.0 * i, .end = 20.0 * (i + 1)};
        const double f = scale * (1.0 + 0.1 * (i % 7));
        if (i % 2 == 0) {
            s.use = {10 * f, 30 * f, 20 * f, 5 * f, 3 * f, 2 * f};
            s.unuse = {2 * f, 1 * f, 0, 1 * f, 0, 0};
        } else {
            s.fill = 90 * f;
        }
        segs.push_back(s);
    }
    return segs;
}

void TestProject::AddBorrowPit(double road, double front, double back,
                               const std::array<double, 6>& shares, double soil, double rock,
                               double branch) {
    YQtkSet& set = m_pDoc->GetQtkSet();
    SetPitStations(set, road, front, back);
    set.m_dBranch = branch;
    std::copy(shares.begin(), shares.end(), set.m_dShare);
    set.m_dSoil = soil;
    set.m_dRock = rock;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void TestProject::AddWastePit(double road, double front, double back, double capacity,
                              double branch) {
    YQitkSet& set = m_pDoc->GetQitkSet();
    SetPitStations(set, road, front, back);
    set.m_dBranch = branch;
    set.m_dCapacity = capacity;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void TestProject::AddStructure(double start, double end, const QString& name, bool cross) {
    YGzwSet& set = m_pDoc->GetGzwSet();
    set.AddNew();
    set.m_staStart = start;
    set.m_strStart = StaText(start);
    set.m_staEnd = end;
    set.m_strEnd = StaText(end);
    set.m_strName = name;
    set.m_bCrossable = cross;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void TestProject::AddLink(int no, double sta, double staNear, double dist, const QString& name,
                          const QString& path, const QString& guid, int nearSegment) {
    YNearPrjSet& set = m_pDoc->GetNearPrjSet();
    if (!set.IsOpen()) {
        ASSERT_TRUE(set.Open()) << set.LastError().toStdString();
    }
    set.AddNew();
    set.m_nNo = no;
    set.m_sta = sta;
    set.m_staNear = staNear;
    set.m_dDistance = dist;
    set.m_strNearName = name;
    set.m_strNearPath = path;
    set.m_strNearGUID = guid;
    set.m_nNearSegment = qint16(nearSegment);
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void TestProject::AddLink(int no, double sta, double staNear, double dist,
                          const TestProject& other) {
    const CDalvexDoc& o = other.Doc();
    AddLink(no, sta, staNear, dist, o.GetProjectName(), m_pDoc->MakeNeighbourPath(o.GetPathName()),
            o.GetGuid(), o.GetCurrentSegment());
}

void TestProject::AddLogRow(const LogRow& row) {
    YTdpSet& set = m_pDoc->GetTdpSet();
    set.AddNew();
    set.m_nGCID = row.gcid;
    set.m_nID = row.id;
    set.m_strDesc = row.desc;
    set.m_sta1 = row.sta1;
    set.m_sta2 = row.sta2;
    set.m_before.dSoilC = row.soilCBefore;
    set.m_after.dSoilC = row.soilCAfter;
    set.m_before.dRockC = row.rockCBefore;
    set.m_after.dRockC = row.rockCAfter;
    set.m_bCutFill = row.source;
    set.m_bSuccess = row.ok;
    set.m_nPit = row.pit;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void TestProject::Exec(const QString& sql) {
    ASSERT_TRUE(m_pDoc->GetDatabase().Exec(sql)) << m_pDoc->GetDatabase().LastError().toStdString();
}

bool TestProject::Load() {
    const bool ok = m_pDoc->ReloadModel();
    EXPECT_TRUE(ok);
    return ok;
}

void TestProject::Select(int first, int last) {
    for (int i = first; i <= last; ++i) {
        m_pDoc->GetSegment(i).UpdateSel(true);
    }
}

void TestProject::ClearSelection() {
    for (YTFItem& seg : m_pDoc->Segments()) {
        seg.UpdateSel(false);
    }
}

DpProcess TestProject::Begin(DpKind kind, int step, int seq, DpEnd src, DpEnd dst, int pit,
                             int partner) {
    DpProcess p(kind, step, seq, src, dst, pit);
    p.partner = partner;
    YProcessRecorder::TakeBefore(*m_pDoc, p);
    return p;
}

bool TestProject::MoveFromSegment(DpProcess& p, double fraction) {
    const double available = CompactedSum(p.before);
    const double need = p.fillBefore;
    if (DpKinds::HasSegmentDestination(p.kind) && available * fraction > need) {
        fraction = available > 0 ? need / available : 0.0;
    }
    ScaleAfter(p, 1.0 - fraction);
    if (DpKinds::HasSegmentDestination(p.kind)) {
        p.fillAfter = p.fillBefore - (available - CompactedSum(p.after));
    }
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool TestProject::Haul(int step, int seq, int cut, int fill, double fraction) {
    DpProcess p =
        Begin(DpKind::Haul, step, seq, &m_pDoc->GetSegment(cut), &m_pDoc->GetSegment(fill));
    return MoveFromSegment(p, fraction);
}

bool TestProject::Reuse(int step, int seq, int seg, double fraction) {
    YTFItem* item = &m_pDoc->GetSegment(seg);
    DpProcess p = Begin(DpKind::Reuse, step, seq, item, item);
    return MoveFromSegment(p, fraction);
}

bool TestProject::Borrow(int step, int seq, int pit, int fill, double fraction) {
    DpProcess p = Begin(DpKind::Borrow, step, seq, &m_pDoc->Model().m_arrQutuk[size_t(pit)],
                        &m_pDoc->GetSegment(fill), pit);
    return MoveFromSegment(p, fraction);
}

bool TestProject::Waste(int step, int seq, int cut, int pit, double fraction, bool bUnusable) {
    DpProcess p = Begin(bUnusable ? DpKind::WasteUnusable : DpKind::Waste, step, seq,
                        &m_pDoc->GetSegment(cut), &m_pDoc->Model().m_arrQituk[size_t(pit)], pit);
    const double before = ClassSum(p.after, DpAmt::Cls);
    ScaleAfter(p, 1.0 - fraction);
    p.fillAfter = p.fillBefore - (before - ClassSum(p.after, DpAmt::Cls));
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool TestProject::LocalWaste(int step, int seq, int cut, bool bUnusable) {
    YTFItem* item = &m_pDoc->GetSegment(cut);
    DpProcess p =
        Begin(bUnusable ? DpKind::LocalWasteUnusable : DpKind::LocalWaste, step, seq, item, item);
    ScaleAfter(p, 0.0);
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool TestProject::LocalTake(int step, int seq, int fill) {
    YTFItem* item = &m_pDoc->GetSegment(fill);
    DpProcess p = Begin(DpKind::LocalBorrow, step, seq, item, item);
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

bool TestProject::Transfer(DpKind kind, int step, int seq, DpEnd src, DpEnd dst, int pit, int k,
                           double compacted) {
    DpProcess p = Begin(kind, step, seq, src, dst, pit);
    const double natural = compacted * p.before[DpAmt::Cls(k)] / p.before[DpAmt::ClsC(k)];
    p.after[DpAmt::ClsC(k)] -= compacted;
    p.after[DpAmt::Cls(k)] -= natural;
    RecomputeSums(p.after);
    p.fillAfter -= DpKinds::IsWaste(kind) ? natural : compacted;
    return YProcessRecorder::RecordProcess(*m_pDoc, p);
}

bool TestProject::Cross(TestProject& from, int outStep, int cut, int outPort, TestProject& to,
                        int inStep, int fill, int inPort, double fraction) {
    CDalvexDoc& a = from.Doc();
    CDalvexDoc& b = to.Doc();
    DpProcess out = from.Begin(DpKind::Out, outStep, 1, &a.GetSegment(cut),
                               &a.Model().m_arrNearPrj[size_t(outPort)], outPort, inStep);
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
    DpProcess in = to.Begin(DpKind::In, inStep, 1, &b.Model().m_arrNearPrj[size_t(inPort)],
                            &b.GetSegment(fill), inPort, outStep);
    for (int i = 0; i < DpAmt::Count; ++i) {
        in.before[i] = out.before[i] - out.after[i];
        in.after[i] = 0.0;
    }
    in.fillAfter = in.fillBefore - CompactedSum(in.before);
    return YProcessRecorder::RecordProcess(b, in);
}

int TestProject::HaulStep(int cut, int fill, int n, double fraction) {
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

std::vector<std::vector<double>> TestProject::Table(const QString& name) const {
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

std::vector<std::vector<double>> TestProject::MidTable() const {
    return Table(QStringLiteral("土石计算中间表"));
}

std::vector<std::vector<double>> TestProject::CalTable() const {
    return Table(QStringLiteral("土石计算"));
}

std::vector<double> TestProject::Pits() const {
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

std::vector<double> TestProject::Items() const {
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
