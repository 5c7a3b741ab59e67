#pragma once

class CDalvexDoc;
class YDocView;
struct DpProcess;
struct DpLogRecord;

// Observer of one document: the task and process panes, the diagram's tools, the overview and
// the neighbour pane each keep one per document. The document owns its reactors (it destroys
// them when it closes) and calls them at fixed points; every notification does nothing by
// default. Look a reactor up by its class with CDalvexDoc::FindReactor<T>().
//
// Views are only passed through (the core never looks inside a YDocView).
class YReactor {
  public:
    YReactor() = default;
    virtual ~YReactor() = default;
    YReactor(const YReactor&) = delete;
    YReactor& operator=(const YReactor&) = delete;

    // The document this reactor belongs to; set when it is added to the document.
    CDalvexDoc* GetDocument() const { return m_pDoc; }

    // End of ReloadModel: the model arrays were rebuilt.
    virtual void OnReload() {}
    // All allocation data was cleared, finishing began, or the document's contents were
    // cleared.
    virtual void OnReset() {}
    // NextStep handed out a new step number.
    virtual void OnNewStep(int /*nStep*/) {}
    // RecordProcess applied and logged one process.
    virtual void OnProcessAdded(const DpProcess& /*process*/) {}
    // EndStep: the step is complete and all views were redrawn.
    virtual void OnStepEnded(int /*nStep*/) {}
    // Undo, per process and per step.
    virtual void OnProcessUndone(const DpLogRecord& /*record*/) {}
    virtual void OnStepUndone(int /*nStep*/) {}
    // Redo, per process and per step.
    virtual void OnProcessRedone(const DpLogRecord& /*record*/) {}
    virtual void OnStepRedone(int /*nStep*/) {}
    // Purge of undone steps, per step.
    virtual void OnStepDeleted(int /*nStep*/) {}
    // Further notification of the diagram (code defined by the diagram).
    virtual void OnViewNotify(YDocView* /*pView*/, int /*nCode*/) {}
    // A diagram view of the document scrolled.
    virtual void OnViewMoved(YDocView* /*pView*/) {}
    // A diagram view of the document became active (chain breaks already reloaded).
    virtual void OnActivate(YDocView* /*pView*/) {}
    // The interactive allocation tool picked a source / dropped its picks.
    virtual void OnSourcePicked() {}
    virtual void OnToolReset() {}
    // Further notification of the allocation tool (code defined by the tool).
    virtual void OnToolNotify(int /*nCode*/) {}

  private:
    friend class CDalvexDoc;
    CDalvexDoc* m_pDoc = nullptr;
};
