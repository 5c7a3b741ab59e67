#include "DocFixture.h"
#include "support/TestSupport.h"

#include "core/db/YDLSet.h"
#include "core/db/YDatabase.h"
#include "core/db/YGzwSet.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YPrjFDSet.h"
#include "core/db/YPrjProSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"

#include <gtest/gtest.h>

namespace dalvex::test {

std::unique_ptr<CDalvexDoc> NewProject(const QString& path, YUserIO& io) {
    auto doc = std::make_unique<CDalvexDoc>(io);
    EXPECT_TRUE(doc->OnNewDocument(path));
    return doc;
}

std::unique_ptr<CDalvexDoc> OpenProject(const QString& path, YUserIO& io) {
    auto doc = std::make_unique<CDalvexDoc>(io);
    if (!doc->OnOpenDocument(path)) {
        return nullptr;
    }
    return doc;
}

void SetProperty(CDalvexDoc& doc, const QString& name, const QString& value) {
    YPrjProSet set(doc.GetDatabase());
    ASSERT_TRUE(set.Open()) << set.LastError().toStdString();
    set.AddNew();
    set.m_strName = name;
    set.m_strValue = value;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void AddProjectSegment(CDalvexDoc& doc, int number, const QString& endText) {
    YPrjFDSet& set = doc.GetPrjFDSet();
    set.AddNew();
    set.m_nSegment = qint16(number);
    set.m_strEnd = endText; // the set reads the station from the text
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

static void WriteSegRow(YTsjsSet& set, const SegRow& row, bool remaining) {
    set.AddNew();
    if (row.segment >= 0) {
        set.m_nSegment = qint16(row.segment);
    }
    set.m_staStart = row.start;
    set.m_staEnd = row.end;
    set.m_dLength = row.end - row.start;
    set.m_dAvgCutArea = row.cutArea;
    set.m_dAvgFillArea = row.fillArea;
    const auto& use = remaining ? row.remUse : row.use;
    const auto& unuse = remaining ? row.remUnuse : row.unuse;
    for (int i = 0; i < 6; ++i) {
        set.m_usable.d[i] = use[size_t(i)];
        set.m_unusable.d[i] = unuse[size_t(i)];
        set.m_rem.d[i] = use[size_t(i)] + unuse[size_t(i)];
        set.m_dContent[i] = 100.0 / 6.0;
    }
    set.m_dFillAfterLocal = remaining ? row.remFill : row.fill;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void AddSegmentRow(CDalvexDoc& doc, const SegRow& row) {
    WriteSegRow(doc.GetTsjsSet(), row, false);
    WriteSegRow(doc.GetZjTsjsSet(), row, true);
}

void AddNeighbour(CDalvexDoc& doc, int no, double sta, double staNear, const QString& name,
                  const QString& path, const QString& guid, int nearSeg) {
    YNearPrjSet& set = doc.GetNearPrjSet();
    if (!set.IsOpen()) {
        ASSERT_TRUE(set.Open()) << set.LastError().toStdString();
    }
    set.AddNew();
    set.m_nNo = no;
    set.m_sta = sta;
    set.m_staNear = staNear;
    set.m_dDistance = 10.0;
    set.m_strNearName = name;
    set.m_strNearPath = path;
    set.m_strNearGUID = guid;
    set.m_nNearSegment = qint16(nearSeg);
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void AddChainBreak(CDalvexDoc& doc, int id, const QString& text) {
    YDLSet& set = doc.GetDLSet();
    set.AddNew();
    set.m_nID = id;
    set.m_strBreak = text;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void AddLogRow(CDalvexDoc& doc, const LogRow& row) {
    YTdpSet& set = doc.GetTdpSet();
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

void AddStructure(CDalvexDoc& doc, double start, double end, const QString& name, bool cross) {
    YGzwSet& set = doc.GetGzwSet();
    set.AddNew();
    set.m_staStart = start;
    set.m_strStart = dalvex::test::StaText(start);
    set.m_staEnd = end;
    set.m_strEnd = dalvex::test::StaText(end);
    set.m_strName = name;
    set.m_bCrossable = cross;
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

template <class Set>
static void AddPit(Set& set, const QString& road, const QString& front, const QString& back) {
    set.AddNew();
    set.m_strRoad = road;
    set.m_staRoad = YStationNumbering().ParseOrZero(road);
    set.m_strFront = front;
    set.m_staFront = YStationNumbering().ParseOrZero(front);
    set.m_strBack = back;
    set.m_staBack = YStationNumbering().ParseOrZero(back);
    ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
}

void AddBorrowPit(CDalvexDoc& doc, const QString& road, const QString& front, const QString& back) {
    AddPit(doc.GetQtkSet(), road, front, back);
}

void AddWastePit(CDalvexDoc& doc, const QString& road, const QString& front, const QString& back) {
    AddPit(doc.GetQitkSet(), road, front, back);
}

void Exec(CDalvexDoc& doc, const QString& sql) {
    ASSERT_TRUE(doc.GetDatabase().Exec(sql)) << doc.GetDatabase().LastError().toStdString();
}

} // namespace dalvex::test
