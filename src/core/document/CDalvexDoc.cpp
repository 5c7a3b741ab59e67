#include "core/document/CDalvexDoc.h"

#include "core/db/YDLSet.h"
#include "core/db/YDatabase.h"
#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YGzwSet.h"
#include "core/db/YLcSet.h"
#include "core/db/YNearPrjSet.h"
#include "core/db/YPrjFDSet.h"
#include "core/db/YPrjProSet.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YSQXSet.h"
#include "core/db/YSchema.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTjExSet.h"
#include "core/db/YTjtsjSet.h"
#include "core/db/YTshlSet.h"
#include "core/db/YTsjsExSet.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YTsxsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/db/YZzmjSet.h"
#include "core/document/YDocManager.h"
#include "core/model/YModelLoader.h"
#include "core/platform/YUserIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>
#include <exception>

namespace {
const QString kFormatError = QStringLiteral("数据文件格式错误！");
const QString kInUse = QStringLiteral("项目文件正被其他程序使用：%1");
const QString kHolder = QStringLiteral("\n（%1，进程 %2，计算机 %3）");
const QString kNotWritable = QStringLiteral("项目文件不可写：%1");
const QString kLogDamaged = QStringLiteral("由于您非法操作引起数据未正常保存!(调配过程第%1步)\n\n"
                                           "现有数据已无法恢复!\n\n请重新完成整个操作过程!");
const QString kNotOpen = QStringLiteral("没有打开调配文件:");
const QString kStructure = QStringLiteral("不能跨越构造物 %1(%2~%3)\n");
} // namespace

// The record sets a document keeps open while loaded, constructed once with the database.
struct CDalvexDoc::Sets {
    explicit Sets(YDatabase& db)
        : zzmj(db), lc(db), tsxs(db), tshl(db), gzw(db), qtk(db), qitk(db), tdp(db), dp(db),
          gch(db), tsjs(db), zjtsjs(db), tjtsj(db), dl(db), tsjsEx(db), tjEx(db), sqx(db),
          prjfd(db), nearPrj(db) {}

    YZzmjSet zzmj;
    YLcSet lc;
    YTsxsSet tsxs;
    YTshlSet tshl;
    YGzwSet gzw;
    YQtkSet qtk;
    YQitkSet qitk;
    YTdpSet tdp;
    YDpSet dp;
    YGchSet gch;
    YTsjsSet tsjs;
    YZjTsjsSet zjtsjs;
    YTjtsjSet tjtsj;
    YDLSet dl;
    YTsjsExSet tsjsEx;
    YTjExSet tjEx;
    YSQXSet sqx;
    YPrjFDSet prjfd;
    YNearPrjSet nearPrj;

    // The tables a project cannot be opened without, in opening order.
    std::vector<YRecordset*> Required() {
        return {&zzmj, &lc, &tsxs, &tshl, &gzw,    &qtk,  &qitk,
                &tdp,  &dp, &gch,  &tsjs, &zjtsjs, &tjtsj};
    }
    std::vector<YRecordset*> All() {
        return {&zzmj, &lc,     &tsxs,  &tshl, &gzw,    &qtk,  &qitk, &tdp,   &dp,     &gch,
                &tsjs, &zjtsjs, &tjtsj, &dl,   &tsjsEx, &tjEx, &sqx,  &prjfd, &nearPrj};
    }
    // The per-segment tables re-read when the current segment changes.
    std::vector<YRecordset*> PerSegment() {
        return {&tdp, &dp, &gch, &tsjs, &zjtsjs, &tjtsj, &tsjsEx, &tjEx};
    }
};

CDalvexDoc::CDalvexDoc(YUserIO& io, YDocManager* pManager)
    : m_io(io), m_pManager(pManager), m_pDb(std::make_unique<YDatabase>()),
      m_pSets(std::make_unique<Sets>(*m_pDb)) {}

CDalvexDoc::~CDalvexDoc() {
    // Reactors may still look at the document while they go.
    m_reactors.clear();
    m_pSets.reset();
    m_pDb.reset();
}

// ---- Lifecycle ----

void CDalvexDoc::SetAccess(YOpenAccess access) {
    m_access = access;
    m_pDb->SetReadOnly(access == YOpenAccess::Read);
}

bool CDalvexDoc::OnNewDocument(const QString& path) {
    DeleteContents();
    m_strPathName = path;
    if (!TakeWriteLock(path)) {
        return false;
    }
    if (!YSchema::CreateProject(*m_pDb, path, YSchema::CurrentVersion)) {
        Fail(m_pDb->LastError()); // says what is wrong with which file
        return false;
    }
    return LoadSequence();
}

bool CDalvexDoc::OnOpenDocument(const QString& path) {
    DeleteContents();
    m_strPathName = path;
    if (!Connect(path)) {
        Fail(m_pDb->LastError()); // says what is wrong with which file
        return false;
    }
    // Before anything of the project is read: connecting read only the layout version.
    if (!TakeWriteLock(path)) {
        DeleteContents();
        return false;
    }
    return LoadSequence();
}

bool CDalvexDoc::Connect(const QString& path) {
    if (m_access == YOpenAccess::Read) {
        // The reader's own connection cannot change the file: an older layout gets its detour
        // column, as on any opening, through a short connection before the snapshot starts.
        YDatabase upgrade;
        if (upgrade.Open(path) && upgrade.Version() < 6) {
            (void)YSchema::AddDetourColumn(upgrade);
        }
    }
    return m_pDb->Open(path);
}

bool CDalvexDoc::TakeWriteLock(const QString& path) {
    if (m_access == YOpenAccess::Read) {
        return true;
    }
    const QFileInfo info(path);
    // Every spelling of the path (links included) must meet the same lock.
    const QString file = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (info.exists() && !info.isWritable()) {
        m_io.Error(kNotWritable.arg(path));
        return false;
    }
    auto lock = std::make_unique<QLockFile>(file + QStringLiteral(".lock"));
    // A live holder keeps its lock however long it works; a dead one's is taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_pLock = std::move(lock);
        return true;
    }
    if (lock->error() != QLockFile::LockFailedError) {
        m_io.Error(kNotWritable.arg(path)); // the lock cannot be made beside the file
        return false;
    }
    QString text = kInUse.arg(path);
    qint64 pid = 0;
    QString host;
    QString app;
    if (lock->getLockInfo(&pid, &host, &app)) {
        text += kHolder.arg(app).arg(pid).arg(host);
    }
    m_io.Error(text);
    return false;
}

void CDalvexDoc::Fail(const QString& message) {
    if (!message.isEmpty()) {
        m_io.Error(message);
    }
    DeleteContents();
}

bool CDalvexDoc::OnSaveDocument(const QString& path) {
    const QFileInfo target(path);
    const QFileInfo own(m_strPathName);
    if (target.absoluteFilePath() == own.absoluteFilePath() ||
        (target.exists() && target.canonicalFilePath() == own.canonicalFilePath())) {
        return true; // every change is already in the file
    }
    if (!IsOpen()) {
        return false;
    }
    // Copy to a temporary name first so a failed copy never destroys the file it replaces.
    const QString temp = path + QStringLiteral(".part");
    QFile::remove(temp);
    if (!QFile::copy(m_strPathName, temp)) {
        return false;
    }
    if (target.exists() && !QFile::remove(path)) {
        QFile::remove(temp);
        return false;
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

bool CDalvexDoc::DoSave(const QString& path) {
    // The document stays on its own file: saving elsewhere makes a snapshot.
    return OnSaveDocument(path.isEmpty() ? m_strPathName : path);
}

void CDalvexDoc::DeleteContents() {
    if (m_pDb->IsOpen()) {
        m_pDb->Close(); // closes every open record set first
    }
    m_pLock.reset();
    m_model.Clear();
    m_pDb->SetNumbering(YStationNumbering());
    NotifyReset();
}

bool CDalvexDoc::IsOpen() const {
    return m_pDb->IsOpen();
}

QString CDalvexDoc::GetTitle() const {
    return QFileInfo(m_strPathName).fileName();
}

// ---- Load sequence ----

bool CDalvexDoc::LoadSequence() {
    try {
        m_strProjectName.clear();
        m_strGuid.clear();
        m_strStaLabel.clear();
        m_neighbourPaths.clear();
        UpgradeLayout();
        ReadProjectProperties();
        if (!OpenRequiredSets()) {
            return false;
        }
        OpenOptionalSets();
        QueueNeighbours();
        CheckLogOnOpen();
        return true;
    } catch (const std::exception&) {
        Fail(kFormatError);
        return false;
    }
}

void CDalvexDoc::UpgradeLayout() {
    if (GetVersion() < 6 && m_access == YOpenAccess::Write) {
        // Tried on every opening of an older file; a failure changes nothing.
        (void)YSchema::AddDetourColumn(*m_pDb);
    }
}

void CDalvexDoc::ReloadProjectProperties() {
    if (!IsOpen()) {
        return;
    }
    m_strProjectName.clear();
    m_strGuid.clear();
    m_strStaLabel.clear();
    ReadProjectProperties();
    LoadChainBreaks();
}

void CDalvexDoc::ReadProjectProperties() {
    if (GetVersion() >= 5) {
        YPrjProSet set(*m_pDb);
        if (set.Open()) {
            // A later row overrides an earlier one.
            for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
                if (set.m_strName == QStringLiteral("项目名称")) {
                    m_strProjectName = set.m_strValue;
                } else if (set.m_strName == QStringLiteral("GUID")) {
                    m_strGuid = set.m_strValue;
                } else if (set.m_strName == QStringLiteral("项目标识")) {
                    m_strStaLabel = set.m_strValue;
                }
            }
            set.Close();
        }
    }
    if (m_strProjectName.isEmpty()) {
        m_strProjectName = QFileInfo(m_strPathName).completeBaseName();
    }
}

// Opens one set the project cannot do without; a table that is missing or cannot be read is a
// damaged file, and the message names the table.
static bool OpenRequired(YRecordset& set, YDatabase& db, const QString& formatError, YUserIO& io) {
    if (set.Open()) {
        return true;
    }
    io.Error(db.HasTable(set.TableName())
                 ? formatError + set.LastError() // "表[…]：" and what is wrong with it
                 : formatError + QStringLiteral("缺少表[%1]").arg(set.TableName()));
    return false;
}

bool CDalvexDoc::OpenRequiredSets() {
    YDatabase& db = *m_pDb;
    if (!OpenRequired(m_pSets->dl, db, kFormatError, m_io)) {
        DeleteContents();
        return false;
    }
    LoadChainBreaks();
    if (GetVersion() >= 5) {
        if (!OpenRequired(m_pSets->prjfd, db, kFormatError, m_io)) {
            DeleteContents();
            return false;
        }
        // The set stands on its first row: the first segment is current.
        db.SetCurrentSegment(GetCurrentSegment());
    }
    for (YRecordset* set : m_pSets->Required()) {
        if (!OpenRequired(*set, db, kFormatError, m_io)) {
            DeleteContents();
            return false;
        }
    }
    return true;
}

void CDalvexDoc::OpenOptionalSets() {
    // Older files may lack these tables.
    for (YRecordset* set :
         {static_cast<YRecordset*>(&m_pSets->tsjsEx), static_cast<YRecordset*>(&m_pSets->tjEx),
          static_cast<YRecordset*>(&m_pSets->sqx)}) {
        (void)set->Open();
    }
}

void CDalvexDoc::QueueNeighbours() {
    if (GetVersion() < 6) {
        return;
    }
    YNearPrjSet& set = m_pSets->nearPrj;
    if (!set.Open()) {
        return;
    }
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        const QString path = ResolveNeighbourPath(set.m_strNearPath);
        m_neighbourPaths.append(path);
        if (m_pManager != nullptr) {
            m_pManager->QueueOpen(path);
        }
    }
}

void CDalvexDoc::CheckLogOnOpen() {
    if (const std::optional<int> step = FindLogDamage()) {
        m_io.Error(kLogDamaged.arg(*step));
    }
}

std::optional<int> CDalvexDoc::FindLogDamage() {
    YTdpSet& log = m_pSets->tdp;
    if (!log.IsOpen()) {
        return std::nullopt;
    }
    return log.FirstDamagedStep();
}

void CDalvexDoc::LoadChainBreaks() {
    YStationNumbering numbering;
    YDLSet& set = m_pSets->dl;
    if (set.IsOpen() && set.Requery()) {
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
            if (!set.m_strBreak.isEmpty()) {
                // A text the numbering cannot read is left out.
                (void)numbering.AddChainBreak(set.m_strBreak);
            }
        }
    }
    // A label texts could not be read back with falls back to "K" inside the numbering.
    (void)numbering.SetLabel(m_strStaLabel);
    m_pDb->SetNumbering(numbering);
}

const YStationNumbering& CDalvexDoc::Numbering() const {
    return m_pDb->Numbering();
}

// ---- Database and segments ----

YDatabase& CDalvexDoc::GetDatabase() const {
    return *m_pDb;
}

quint32 CDalvexDoc::GetVersion() const {
    return quint32(m_pDb->Version());
}

int CDalvexDoc::GetCurrentSegment() const {
    const YPrjFDSet& set = m_pSets->prjfd;
    if (GetVersion() < 5 || !set.IsOpen() || set.IsBOF() || set.IsEOF()) {
        return -1;
    }
    return set.m_nSegment;
}

bool CDalvexDoc::SwitchSegment(int n) {
    bool bFound = false;
    if (GetVersion() >= 5 && m_pSets->prjfd.IsOpen()) {
        YPrjFDSet& set = m_pSets->prjfd;
        set.MoveFirst();
        while (!set.IsEOF() && set.m_nSegment != n) {
            set.MoveNext();
        }
        bFound = !set.IsEOF();
        m_pDb->SetCurrentSegment(GetCurrentSegment());
        if (bFound) {
            RequeryResultSets();
        }
    }
    emit CurrentSegmentChanged(GetCurrentSegment());
    if (GetSegmentCount() > 0) {
        if (!ReloadModel()) {
            // The segment has no results: keeping the previous segment's items would show
            // (and let allocation change) quantities of rows no longer in the tables.
            m_model.ClearSegments();
            NotifyReset();
        }
        if (m_pSets->sqx.IsOpen() && m_pSets->sqx.RecordCount() > 0) {
            emit GradeBandChanged();
        }
        UpdateAllViews(1);
    }
    return bFound;
}

void CDalvexDoc::RequeryAllSets() {
    for (YRecordset* set : m_pSets->All()) {
        if (set->IsOpen()) {
            (void)set->Requery();
        }
    }
}

void CDalvexDoc::RequeryResultSets() {
    for (YRecordset* set : m_pSets->PerSegment()) {
        if (set->IsOpen() && !set->Requery()) {
            break;
        }
    }
}

QString CDalvexDoc::ResolveNeighbourPath(const QString& stored) const {
    // Absolute: a path from the root ("/..."), a drive path ("C:\...") or a share
    // ("\\server\..."). A path that only begins with one backslash is relative to the project's
    // folder, as files written on Windows store them.
    const bool bDrive = stored.size() >= 2 && stored.at(0).isLetter() && stored.at(1) == u':';
    if (stored.startsWith(QLatin1Char('/')) || stored.startsWith(QStringLiteral("\\\\")) ||
        bDrive) {
        return stored;
    }
    QString path = stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/'))) {
        path.remove(0, 1);
    }
    const QString folder = QFileInfo(m_strPathName).absolutePath();
    const QFileInfo target(QDir::cleanPath(folder + QLatin1Char('/') + path));
    const QString canonical = target.canonicalFilePath();
    return canonical.isEmpty() ? target.filePath() : canonical;
}

QString CDalvexDoc::MakeNeighbourPath(const QString& absolute) const {
    const QDir folder(QFileInfo(m_strPathName).absolutePath());
    QString rel = folder.relativeFilePath(absolute);
    if (QDir::isAbsolutePath(rel)) {
        return rel; // no relative way there (another drive): keep it whole
    }
    while (rel.startsWith(QLatin1Char('/')) || rel.startsWith(QLatin1Char('\\'))) {
        rel.remove(0, 1);
    }
    return rel;
}

// ---- Record sets ----

YZzmjSet& CDalvexDoc::GetZzmjSet() const {
    return m_pSets->zzmj;
}
YLcSet& CDalvexDoc::GetLcSet() const {
    return m_pSets->lc;
}
YTsxsSet& CDalvexDoc::GetTsxsSet() const {
    return m_pSets->tsxs;
}
YTshlSet& CDalvexDoc::GetTshlSet() const {
    return m_pSets->tshl;
}
YGzwSet& CDalvexDoc::GetGzwSet() const {
    return m_pSets->gzw;
}
YQtkSet& CDalvexDoc::GetQtkSet() const {
    return m_pSets->qtk;
}
YQitkSet& CDalvexDoc::GetQitkSet() const {
    return m_pSets->qitk;
}
YTdpSet& CDalvexDoc::GetTdpSet() const {
    return m_pSets->tdp;
}
YDpSet& CDalvexDoc::GetDpSet() const {
    return m_pSets->dp;
}
YGchSet& CDalvexDoc::GetGchSet() const {
    return m_pSets->gch;
}
YTsjsSet& CDalvexDoc::GetTsjsSet() const {
    return m_pSets->tsjs;
}
YZjTsjsSet& CDalvexDoc::GetZjTsjsSet() const {
    return m_pSets->zjtsjs;
}
namespace {
// An older file may lack the table: its set then stays closed, and no failed opening is
// tried (which would read the file as an older layout).
template <class Set> Set& Reopened(Set& set, YDatabase& db) {
    if (!set.IsOpen() && db.IsOpen() && db.HasTable(set.TableName())) {
        (void)set.Open();
    }
    return set;
}
} // namespace

YTjtsjSet& CDalvexDoc::GetTjtsjSet() const {
    return Reopened(m_pSets->tjtsj, *m_pDb);
}
YDLSet& CDalvexDoc::GetDLSet() const {
    return m_pSets->dl;
}
YTsjsExSet& CDalvexDoc::GetTsjsExSet() const {
    return Reopened(m_pSets->tsjsEx, *m_pDb);
}
YTjExSet& CDalvexDoc::GetTjExSet() const {
    return Reopened(m_pSets->tjEx, *m_pDb);
}
YSQXSet& CDalvexDoc::GetSQXSet() const {
    return m_pSets->sqx;
}
YPrjFDSet& CDalvexDoc::GetPrjFDSet() const {
    return m_pSets->prjfd;
}
YNearPrjSet& CDalvexDoc::GetNearPrjSet() const {
    return m_pSets->nearPrj;
}

// ---- Reactors ----

YReactor* CDalvexDoc::AddReactor(std::unique_ptr<YReactor> pReactor) {
    YReactor* p = pReactor.get();
    if (p != nullptr) {
        p->m_pDoc = this;
        m_reactors.push_back(std::move(pReactor));
    }
    return p;
}

void CDalvexDoc::RemoveReactor(YReactor* pReactor) {
    for (auto& p : m_reactors) {
        if (p.get() != pReactor) {
            continue;
        }
        if (m_nNotifyDepth > 0) {
            // It may be the reactor being called: destroy it once the notification is over.
            m_removedReactors.push_back(std::move(p));
        } else {
            p.reset();
            std::erase(m_reactors, nullptr);
        }
        return;
    }
}

int CDalvexDoc::ReactorCount() const {
    return int(std::count_if(m_reactors.begin(), m_reactors.end(),
                             [](const auto& p) { return p != nullptr; }));
}

template <class F> void CDalvexDoc::ForEachReactor(F&& fn) {
    ++m_nNotifyDepth;
    // By index: a reactor may add another while it is called.
    for (size_t i = 0; i < m_reactors.size(); ++i) {
        if (YReactor* p = m_reactors[i].get()) {
            fn(*p);
        }
    }
    if (--m_nNotifyDepth == 0 && !m_removedReactors.empty()) {
        std::erase(m_reactors, nullptr);
        m_removedReactors.clear();
    }
}

void CDalvexDoc::NotifyReload() {
    ForEachReactor([](YReactor& r) { r.OnReload(); });
}
void CDalvexDoc::NotifyReset() {
    ForEachReactor([](YReactor& r) { r.OnReset(); });
}
void CDalvexDoc::NotifyNewStep(int nStep) {
    ForEachReactor([&](YReactor& r) { r.OnNewStep(nStep); });
}
void CDalvexDoc::NotifyProcessAdded(const DpProcess& process) {
    ForEachReactor([&](YReactor& r) { r.OnProcessAdded(process); });
}
void CDalvexDoc::NotifyStepEnded(int nStep) {
    ForEachReactor([&](YReactor& r) { r.OnStepEnded(nStep); });
}
void CDalvexDoc::NotifyProcessUndone(const DpLogRecord& record) {
    ForEachReactor([&](YReactor& r) { r.OnProcessUndone(record); });
}
void CDalvexDoc::NotifyStepUndone(int nStep) {
    ForEachReactor([&](YReactor& r) { r.OnStepUndone(nStep); });
}
void CDalvexDoc::NotifyProcessRedone(const DpLogRecord& record) {
    ForEachReactor([&](YReactor& r) { r.OnProcessRedone(record); });
}
void CDalvexDoc::NotifyStepRedone(int nStep) {
    ForEachReactor([&](YReactor& r) { r.OnStepRedone(nStep); });
}
void CDalvexDoc::NotifyStepDeleted(int nStep) {
    ForEachReactor([&](YReactor& r) { r.OnStepDeleted(nStep); });
}
void CDalvexDoc::NotifyViewNotify(YDocView* pView, int nCode) {
    ForEachReactor([&](YReactor& r) { r.OnViewNotify(pView, nCode); });
}
void CDalvexDoc::NotifyViewMoved(YDocView* pView) {
    ForEachReactor([&](YReactor& r) { r.OnViewMoved(pView); });
}
void CDalvexDoc::NotifyActivate(YDocView* pView) {
    // Each project keeps its own numbering; re-reading it here only picks up edits of the
    // 断链 grid made since, and never touches another project's.
    LoadChainBreaks();
    ForEachReactor([&](YReactor& r) { r.OnActivate(pView); });
}
void CDalvexDoc::NotifySourcePicked() {
    ForEachReactor([](YReactor& r) { r.OnSourcePicked(); });
}
void CDalvexDoc::NotifyToolReset() {
    ForEachReactor([](YReactor& r) { r.OnToolReset(); });
}
void CDalvexDoc::NotifyToolNotify(int nCode) {
    ForEachReactor([&](YReactor& r) { r.OnToolNotify(nCode); });
}

void CDalvexDoc::UpdateAllViews(int nHint) {
    emit ViewsUpdate(nHint);
}

// ---- Model ----

bool CDalvexDoc::ReloadModel() {
    if (!IsOpen() || m_bReloading) {
        return false;
    }
    m_bReloading = true;
    struct Guard {
        bool& b;
        ~Guard() { b = false; }
    } guard{m_bReloading};

    Sets& s = *m_pSets;
    if (!YModelLoader::LoadSegments(s.tsjs, s.zjtsjs, m_model)) {
        return false;
    }
    YModelLoader::LoadDeliveredFill(s.tdp, m_model);
    YModelLoader::LoadStructures(s.gzw, m_model);
    YModelLoader::LoadPits(s.qtk, s.qitk, m_model);
    m_model.m_arrNearPrj.clear();
    if (GetVersion() > 5 && (s.nearPrj.IsOpen() || s.nearPrj.Open())) {
        YModelLoader::LoadNearLinks(s.nearPrj, m_model);
    }
    CheckNeighbourLinks();
    UpdateAllViews(0);
    NotifyReload();
    return true;
}

void CDalvexDoc::CheckNeighbourLinks() {
    for (const YNearPrjItem& link : m_model.m_arrNearPrj) {
        CDalvexDoc* pOther = FindOpenProject(link.m_strGuid);
        if (pOther == nullptr) {
            m_io.Warning(kNotOpen + link.m_strPath);
        } else if (pOther != this && pOther->GetSegmentCount() == 0) {
            // Cross-project hauls are followed into the other project: start its allocation.
            (void)pOther->ReloadModel();
        }
    }
}

void CDalvexDoc::ClearSegments() {
    m_model.ClearSegments();
}

std::optional<YSegRun> CDalvexDoc::SelectRun(const QPointF& pt, YSelectMode mode) {
    bool bChanged = false;
    const std::optional<YSegRun> run = m_model.SelectRun(pt, mode, bChanged);
    if (bChanged) {
        UpdateAllViews(1);
    }
    return run;
}

void CDalvexDoc::RestoreSelection() {
    if (m_model.RestoreSelection()) {
        UpdateAllViews(1);
    }
}

void CDalvexDoc::SelectInRect(const QPointF& p0, const QPointF& p1, bool bAdd) {
    m_model.SelectInRect(p0, p1, bAdd);
    UpdateAllViews(1);
}

void CDalvexDoc::ToggleClassFilter(quint32 bits) {
    m_model.ToggleClassFilter(bits);
    UpdateAllViews(1);
}

bool CDalvexDoc::CheckStructures(const YStation& a, const YStation& b) {
    const int i = m_model.FindBlockingStructure(a, b);
    if (i < 0) {
        return true;
    }
    const YGZWItem& s = m_model.m_arrGZW[size_t(i)];
    m_io.Warning(
        kStructure.arg(s.m_strName, Numbering().Text(s.m_staStart), Numbering().Text(s.m_staEnd)));
    return false;
}

CDalvexDoc* CDalvexDoc::FindOpenProject(const QString& guid) const {
    if (m_pManager != nullptr) {
        return m_pManager->FindOpenProject(guid);
    }
    // A document on its own knows only itself.
    return !guid.isEmpty() && guid == m_strGuid ? const_cast<CDalvexDoc*>(this) : nullptr;
}

void CDalvexDoc::ActivateProject(CDalvexDoc& doc) const {
    if (m_pManager != nullptr) {
        m_pManager->ActivateProject(doc);
    }
}
