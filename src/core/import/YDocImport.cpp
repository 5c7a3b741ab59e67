#include "core/import/YDocImport.h"

#include "core/db/YDatabase.h"
#include "core/db/YPrjFDSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YLogPits.h"
#include "core/import/YRavelImport.h"
#include "core/platform/YUserIO.h"

#include <QSqlQuery>

namespace {

// The project segments whose logs the import deletes: all of them when it replaces the
// segment table, else the current one (-1: the whole, unsegmented log).
std::vector<int> ClearedSegments(CDalvexDoc& doc, bool allSegments) {
    YDatabase& db = doc.GetDatabase();
    if (!allSegments || db.Version() < 5) {
        return {db.CurrentSegment()};
    }
    std::vector<int> segments;
    QSqlQuery q(db.Connection());
    if (q.exec(QStringLiteral("SELECT DISTINCT [分段编号] FROM [Tmp调配过程表]"))) {
        while (q.next()) {
            segments.push_back(q.value(0).toInt());
        }
    }
    return segments;
}

// Pits get back what every deleted log took, or their contents would stay reduced by
// processes no longer recorded anywhere.
bool GiveBackPits(CDalvexDoc& doc, const std::vector<int>& segments) {
    YDatabase& db = doc.GetDatabase();
    const int current = db.CurrentSegment();
    bool ok = true;
    for (int segment : segments) {
        db.SetCurrentSegment(segment);
        ok = doc.GetTdpSet().Requery() && YLogPits::GiveBackAll(doc);
        if (!ok) {
            break;
        }
    }
    db.SetCurrentSegment(current);
    return ok;
}

// The document shows the tables as they now are, on the given segment (empty: the first).
void ShowTables(CDalvexDoc& doc, std::optional<int> segment) {
    doc.RequeryAllSets();
    doc.ReloadProjectProperties();
    YPrjFDSet& segments = doc.GetPrjFDSet();
    if (!segment && doc.GetVersion() >= 5 && segments.IsOpen()) {
        segments.MoveFirst();
        segment = segments.IsEOF() ? -1 : int(segments.m_nSegment);
    }
    (void)doc.SwitchSegment(segment.value_or(-1));
}

} // namespace

bool YDocImport::Write(CDalvexDoc& doc, const std::function<bool()>& write) {
    YUserIO& io = doc.UserIO();
    YDatabase& db = doc.GetDatabase();
    YWaitScope wait(io);
    const int before = doc.GetCurrentSegment();
    // Replacing the segment table makes every segment's results stale, not only the current's.
    const bool allSegments = db.HasTable(QStringLiteral("项目分段"));
    bool ok = false;
    {
        YTransaction tr(db);
        if (!tr.IsActive() || !GiveBackPits(doc, ClearedSegments(doc, allSegments))) {
            io.Error(db.LastError());
        } else if (write()) {
            ok = tr.Commit();
            if (!ok) {
                io.Error(db.LastError());
            }
        }
    }
    // After a rollback as well: the pit sets' caches saw the give-back.
    ShowTables(doc, ok ? std::nullopt : std::optional<int>(before));
    return ok;
}

bool YDocImport::RavelProject(CDalvexDoc& doc, const QString& projectPath) {
    YDatabase& db = doc.GetDatabase();
    YRavelImport import(db, doc.UserIO());
    const std::optional<YRavelData> data = import.Read(projectPath);
    if (!data || !Write(doc, [&] {
            if (!import.Write(*data)) {
                doc.UserIO().Error(db.LastError());
                return false;
            }
            return true;
        })) {
        return false;
    }
    doc.UserIO().Info(YRavelImport::DoneMessage());
    return true;
}

YLandXmlImport::Result YDocImport::LandXml(CDalvexDoc& doc, const QString& path,
                                           const YLandXmlOptions& options) {
    YLandXmlImport::Result result;
    (void)Write(doc, [&] {
        result = YLandXmlImport(doc.GetDatabase(), doc.UserIO()).Import(path, options);
        return result.Ok();
    });
    return result;
}
