#pragma once

#include "core/document/YDocManager.h"
#include "core/document/YReactor.h"
#include "core/model/YSegmentModel.h"
#include "core/station/YStationNumbering.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;
class YDatabase;
class YUserIO;

class YZzmjSet;
class YLcSet;
class YTsxsSet;
class YTshlSet;
class YGzwSet;
class YQtkSet;
class YQitkSet;
class YTdpSet;
class YDpSet;
class YGchSet;
class YTsjsSet;
class YZjTsjsSet;
class YTjtsjSet;
class YDLSet;
class YTsjsExSet;
class YTjExSet;
class YSQXSet;
class YPrjFDSet;
class YNearPrjSet;

// One open project: the connection to its "*.dvx" file, the open record sets over its tables,
// its identity (name, GUID, station label), the in-memory model of the open project segment,
// and the reactors that observe it. Every change is written to the file when it is made, so
// saving has nothing to write and "save as" is a copy.
//
// Lifecycle: closed -> (OnNewDocument / OnOpenDocument) loaded -> DeleteContents -> closed. A
// failed creation or opening leaves the document closed (nothing half open). Messages go to
// the user-IO interface given at construction.
class CDalvexDoc : public QObject {
    Q_OBJECT

  public:
    // pManager (may be null) receives the neighbour paths queued while loading and answers
    // FindOpenProject; a document without one resolves but does not queue its neighbours.
    explicit CDalvexDoc(YUserIO& io, YDocManager* pManager = nullptr);
    ~CDalvexDoc() override;
    CDalvexDoc(const CDalvexDoc&) = delete;
    CDalvexDoc& operator=(const CDalvexDoc&) = delete;

    // ---- Lifecycle ----
    // Set before opening; a writer (the default) holds the project's lock while open.
    void SetAccess(YOpenAccess access);
    YOpenAccess Access() const { return m_access; }
    // Creates a new project file at path (a version-6 project, every table empty but the
    // coefficient row; an existing file is replaced) and loads it.
    [[nodiscard]] bool OnNewDocument(const QString& path);
    // Connects to an existing project file and runs the load sequence.
    [[nodiscard]] bool OnOpenDocument(const QString& path);
    // Own path: nothing to do. Another path: copies the project file there (overwriting).
    [[nodiscard]] bool OnSaveDocument(const QString& path);
    // Save; the document always keeps its own path and connection (the copy is a snapshot).
    [[nodiscard]] bool DoSave(const QString& path);
    // Closes record sets and connection, empties the model, resets the chain breaks and tells
    // every reactor (OnReset).
    void DeleteContents();
    bool IsOpen() const;

    const QString& GetPathName() const { return m_strPathName; }
    // The file name shown in titles ("a.dvx").
    QString GetTitle() const;
    YUserIO& UserIO() const { return m_io; }
    YDocManager* GetManager() const { return m_pManager; }

    // ---- Database ----
    // Valid while the document is open.
    YDatabase& GetDatabase() const;
    // Layout version of the project file (2 when [版本] is missing; 1 for an old file whose
    // record sets only open with the oldest columns).
    quint32 GetVersion() const;
    // The 分段编号 of the [项目分段] row the document stands on (version >= 5), else -1.
    int GetCurrentSegment() const;
    // Makes segment n current and requeries the per-segment tables; rebuilds the model when it
    // holds segments. False (current segment -1, nothing requeried) when n is not a segment.
    bool SwitchSegment(int n);

    const QString& GetProjectName() const { return m_strProjectName; }
    const QString& GetGuid() const { return m_strGuid; }
    const QString& GetStationLabel() const { return m_strStaLabel; }

    // This project's station numbering (label and chain breaks): every station text of this
    // project, in messages, tables and pictures, is made and read with it.
    const YStationNumbering& Numbering() const;
    // Rebuilds the numbering from [断链] and the station label (on opening, and whenever one
    // of its views becomes active, to pick up edits of the chain-break grid).
    void LoadChainBreaks();
    // Re-reads name, GUID and station label from [项目] after an import rewrote them, and
    // rebuilds the numbering.
    void ReloadProjectProperties();
    // Re-reads every open record set, after statements outside them changed their tables (an
    // import replacing the input, or a rolled-back transaction their caches saw).
    void RequeryAllSets();

    // A stored neighbour path relative to the project's folder (backslashes or slashes) made
    // absolute and canonical; an absolute stored path is returned unchanged.
    QString ResolveNeighbourPath(const QString& stored) const;
    // The inverse: an absolute path made relative to the project's folder.
    QString MakeNeighbourPath(const QString& absolute) const;
    // Neighbour project files found while loading, resolved, in table order.
    const QStringList& NeighbourPaths() const { return m_neighbourPaths; }

    // Damage check of the allocation log [Tmp调配过程表]: the GCID of the first row that is not
    // followed by its partner row (equal GCID and ID), or empty when the log is sound.
    std::optional<int> FindLogDamage();

    // ---- Record sets (valid while open; optional tables may be closed: check IsOpen()) ----
    YZzmjSet& GetZzmjSet() const;     // [逐桩断面]
    YLcSet& GetLcSet() const;         // [路槽]
    YTsxsSet& GetTsxsSet() const;     // [土石系数]
    YTshlSet& GetTshlSet() const;     // [土石含量]
    YGzwSet& GetGzwSet() const;       // [构造物]
    YQtkSet& GetQtkSet() const;       // [取土坑]
    YQitkSet& GetQitkSet() const;     // [弃土坑]
    YTdpSet& GetTdpSet() const;       // [Tmp调配过程表]
    YDpSet& GetDpSet() const;         // [调配过程表]
    YGchSet& GetGchSet() const;       // [过程]
    YTsjsSet& GetTsjsSet() const;     // [土石计算]
    YZjTsjsSet& GetZjTsjsSet() const; // [土石计算中间表]
    // The three statistics tables finishing writes in bulk: it closes their sets rather than
    // read a long road's rows back at once, and these getters open a closed one again.
    YTjtsjSet& GetTjtsjSet() const;     // [土石计算2]
    YDLSet& GetDLSet() const;           // [断链]
    YTsjsExSet& GetTsjsExSet() const;   // [土方调配扩展记录] (optional)
    YTjExSet& GetTjExSet() const;       // [统计扩展] (optional)
    YSQXSet& GetSQXSet() const;         // [竖曲线] (optional)
    YPrjFDSet& GetPrjFDSet() const;     // [项目分段] (version >= 5)
    YNearPrjSet& GetNearPrjSet() const; // [相邻项目] (version >= 6, optional)

    // ---- Reactors ----
    // Adds a reactor owned by the document from now on; returns it.
    YReactor* AddReactor(std::unique_ptr<YReactor> pReactor);
    // Removes and destroys a reactor (safe during a notification).
    void RemoveReactor(YReactor* pReactor);
    int ReactorCount() const;
    // The first reactor of class T (or derived from it), or null.
    template <class T> T* FindReactor() const {
        for (const auto& p : m_reactors) {
            if (auto* t = dynamic_cast<T*>(p.get())) {
                return t;
            }
        }
        return nullptr;
    }

    void NotifyReload();
    void NotifyReset();
    void NotifyNewStep(int nStep);
    void NotifyProcessAdded(const DpProcess& process);
    void NotifyStepEnded(int nStep);
    void NotifyProcessUndone(const DpLogRecord& record);
    void NotifyStepUndone(int nStep);
    void NotifyProcessRedone(const DpLogRecord& record);
    void NotifyStepRedone(int nStep);
    void NotifyStepDeleted(int nStep);
    void NotifyViewNotify(YDocView* pView, int nCode);
    void NotifyViewMoved(YDocView* pView);
    // Rebuilds this project's numbering first, then OnActivate.
    void NotifyActivate(YDocView* pView);
    void NotifySourcePicked();
    void NotifyToolReset();
    void NotifyToolNotify(int nCode);

    // Redraws every view of the document (signal ViewsUpdate). Hint 0 redraws everything; 1 is
    // the model's "contents changed".
    void UpdateAllViews(int nHint = 0);

    // ---- Model of the open project segment ----
    YSegmentModel& Model() { return m_model; }
    const YSegmentModel& Model() const { return m_model; }
    int GetSegmentCount() const { return m_model.GetSegmentCount(); }
    std::vector<YTFItem>& Segments() { return m_model.m_arrTF; }
    YTFItem& GetSegment(int i) { return m_model.m_arrTF[size_t(i)]; }
    double GetMaxArea() const { return m_model.m_dMaxArea; }

    // Rebuilds every model array from the result tables, reports neighbours that are not open,
    // redraws and tells the reactors. False (model unchanged) when [土石计算] or
    // [土石计算中间表] has no rows.
    bool ReloadModel();
    // Empties the segment array (clear and finish of the allocation).
    void ClearSegments();
    int FindSegment(double x) const { return m_model.FindSegment(x); }
    // Selection click at pt (station m, m³/m); redraws when it selected something new.
    std::optional<YSegRun> SelectRun(const QPointF& pt, YSelectMode mode = YSelectMode::Cut);
    // Puts back the masks of the last gesture and redraws; nothing when the backup is empty.
    void RestoreSelection();
    void SelectInRect(const QPointF& p0, const QPointF& p1, bool bAdd);
    void ToggleClassFilter(quint32 bits);
    int FindPit(double a, double b, bool bBorrow) const { return m_model.FindPit(a, b, bBorrow); }
    // False, after "不能跨越构造物 %s(%s~%s)\n", when a structure that may not be crossed lies
    // between a and b (a the smaller).
    bool CheckStructures(const YStation& a, const YStation& b);

    // The open project with that GUID (through the manager), or null.
    CDalvexDoc* FindOpenProject(const QString& guid) const;
    // Brings the other project's window to the front (through the manager).
    void ActivateProject(CDalvexDoc& doc) const;

  signals:
    // The views of this document redraw; nHint as given to UpdateAllViews.
    void ViewsUpdate(int nHint);
    // [竖曲线] changed meaning for the views: refresh the grade band.
    void GradeBandChanged();
    // The current segment changed (frame titles show it).
    void CurrentSegmentChanged(int nSegment);

  private:
    struct Sets;

    bool Connect(const QString& path);
    bool TakeWriteLock(const QString& path);
    bool LoadSequence();
    void UpgradeLayout();
    void ReadProjectProperties();
    bool OpenRequiredSets();
    void OpenOptionalSets();
    void QueueNeighbours();
    void CheckLogOnOpen();
    void RequeryResultSets();
    void CheckNeighbourLinks();
    void Fail(const QString& message);
    template <class F> void ForEachReactor(F&& fn);

    YUserIO& m_io;
    YDocManager* m_pManager;
    YOpenAccess m_access = YOpenAccess::Write;
    // Held by a writer from opening to DeleteContents.
    std::unique_ptr<QLockFile> m_pLock;
    QString m_strPathName;
    QString m_strProjectName; // 项目名称, else the file's base name
    QString m_strGuid;        // GUID property: the key other projects find this one by
    QString m_strStaLabel;    // 项目标识: station label
    QStringList m_neighbourPaths;

    std::unique_ptr<YDatabase> m_pDb;
    std::unique_ptr<Sets> m_pSets;
    YSegmentModel m_model;

    std::vector<std::unique_ptr<YReactor>> m_reactors;
    // Reactors removed during a notification, destroyed when it is over.
    std::vector<std::unique_ptr<YReactor>> m_removedReactors;
    int m_nNotifyDepth = 0;
    bool m_bReloading = false;
};
