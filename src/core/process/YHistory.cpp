#include "core/process/YHistory.h"

#include "core/db/YGchSet.h"
#include "core/db/YLogCodec.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/document/CDalvexDoc.h"
#include "core/neighbours/YPortLookup.h"
#include "core/platform/YUserIO.h"
#include "core/process/YApplyBatch.h"
#include "core/process/YProcessLog.h"
#include "core/process/YRecordApplier.h"
#include "core/process/YUndoTasks.h"

#include <memory>
#include <optional>

namespace {

using Mode = YUndoTasks::Mode;
using Entries = std::vector<YProcessLog::Entry>;

// Indexes of the log entries an operation touches, in the order it walks them.
std::vector<size_t> Touched(Mode mode, const Entries& e, int bound) {
    std::vector<size_t> out;
    if (mode == Mode::Redo) {
        size_t i = 0;
        while (i < e.size() && e[i].pair.src.ok) {
            ++i;
        }
        for (; i < e.size() && e[i].pair.src.gcid <= bound; ++i) {
            if (!e[i].pair.src.ok) {
                out.push_back(i);
            }
        }
        return out;
    }
    for (size_t i = e.size(); i-- > 0;) {
        const YDpLogRow& r = e[i].pair.src;
        if (mode == Mode::Purge) {
            if (r.ok) {
                break;
            }
            out.push_back(i);
        } else {
            if (r.gcid < bound) {
                break;
            }
            if (r.ok) {
                out.push_back(i);
            }
        }
    }
    return out;
}

// Switches a document to a segment for the life of the scope, and back.
class SegmentScope {
  public:
    SegmentScope(CDalvexDoc& doc, int segment) : m_doc(doc), m_nOld(doc.GetCurrentSegment()) {
        if (segment != m_nOld) {
            m_bSwitched = true;
            (void)m_doc.SwitchSegment(segment);
        }
    }
    ~SegmentScope() {
        if (m_bSwitched) {
            (void)m_doc.SwitchSegment(m_nOld);
        }
    }
    SegmentScope(const SegmentScope&) = delete;
    SegmentScope& operator=(const SegmentScope&) = delete;

  private:
    CDalvexDoc& m_doc;
    int m_nOld;
    bool m_bSwitched = false;
};

class HistoryRun {
  public:
    HistoryRun(Mode mode, CDalvexDoc& root) : m_mode(mode), m_root(root) {}
    ~HistoryRun() { YUndoTasks::Clear(); }

    bool Run(int bound, int progressSteps);

  private:
    bool CheckAll(int bound);
    bool CheckOne(const UndoTask& task);
    bool Execute(const UndoTask& task, int progressSteps);
    void Notify(CDalvexDoc& doc, int step);

    Mode m_mode;
    CDalvexDoc& m_root;
    std::vector<std::unique_ptr<YTransaction>> m_transactions;
    std::vector<CDalvexDoc*> m_touched;
    // The log entries of the last task checked, and its document and segment.
    std::pair<CDalvexDoc*, int> m_checked{nullptr, 0};
    Entries m_checkedEntries;
};

bool HistoryRun::CheckOne(const UndoTask& task) {
    CDalvexDoc& doc = *task.pDoc;
    YUndoTasks::Visit(&doc);
    SegmentScope seg(doc, task.nSegment);
    m_checked = {&doc, task.nSegment};
    Entries& entries = m_checkedEntries;
    if (!YProcessLog(doc.GetTdpSet()).Read(entries)) {
        return false;
    }
    int lastStep = -1;
    for (size_t i : Touched(m_mode, entries, task.nStep)) {
        const YDpLogPair& pair = entries[i].pair;
        if (pair.src.gcid == lastStep) {
            continue; // the first pair of each step speaks for the step
        }
        lastStep = pair.src.gcid;
        const DpLogRecord rec = YLogCodec::Decode(pair);
        if (!DpKinds::IsCrossProject(rec.kind)) {
            continue;
        }
        YPort port;
        CDalvexDoc* other = YPortLookup::FindPartner(doc, rec.pit, &port);
        if (!other) {
            return false;
        }
        YUndoTasks::Queue(m_mode, {other, rec.partner, port.nNearSegment});
    }
    return true;
}

bool HistoryRun::CheckAll(int bound) {
    YUndoTasks::Clear();
    YUndoTasks::Queue(m_mode, {&m_root, bound, m_root.GetCurrentSegment()});
    // Check tasks until none changes any more: a task whose bound moves is checked again.
    std::vector<UndoTask> checked;
    for (bool changed = true; changed;) {
        changed = false;
        const std::vector<UndoTask> pending = YUndoTasks::Pending();
        for (const UndoTask& t : pending) {
            bool seen = false;
            for (const UndoTask& c : checked) {
                seen = seen || (c.pDoc == t.pDoc && c.nSegment == t.nSegment && c.nStep == t.nStep);
            }
            if (seen) {
                continue;
            }
            if (!CheckOne(t)) {
                return false;
            }
            checked.push_back(t);
            changed = true;
        }
    }
    return true;
}

void HistoryRun::Notify(CDalvexDoc& doc, int step) {
    if (m_mode == Mode::Undo) {
        doc.NotifyStepUndone(step);
    } else if (m_mode == Mode::Redo) {
        doc.NotifyStepRedone(step);
    } else {
        doc.NotifyStepDeleted(step);
    }
}

bool HistoryRun::Execute(const UndoTask& task, int progressSteps) {
    CDalvexDoc& doc = *task.pDoc;
    SegmentScope seg(doc, task.nSegment);
    m_transactions.push_back(std::make_unique<YTransaction>(doc.GetDatabase()));
    if (!m_transactions.back()->IsActive()) {
        return false;
    }
    m_touched.push_back(&doc);
    YProcessLog log(doc.GetTdpSet());
    // The log the last check read is still the file's unless an earlier task has written it
    // (a long road's log is read once, not twice).
    Entries entries;
    if (m_transactions.size() == 1 && m_checked == std::pair{&doc, task.nSegment}) {
        entries = std::move(m_checkedEntries);
    } else if (!log.Read(entries)) {
        return false;
    }
    m_checked = {};
    const std::vector<size_t> touched = Touched(m_mode, entries, task.nStep);
    std::optional<YProgressScope> progress;
    if (progressSteps > 1) {
        progress.emplace(doc.UserIO(),
                         m_mode == Mode::Undo ? QStringLiteral("取消操作")
                                              : QStringLiteral("恢复操作"),
                         progressSteps);
    }
    // Apply everything first, then tell the reactors in walking order: they read the items,
    // which follow the rows once these are written.
    Entries deleted;
    std::vector<const YProcessLog::Entry*> flagged;
    std::vector<DpLogRecord> records;
    YApplyBatch batch(doc);
    const int dir = m_mode == Mode::Undo ? -1 : +1;
    int progressStep = -1;
    int steps = 0;
    for (size_t i : touched) {
        const YProcessLog::Entry& e = entries[i];
        records.push_back(YLogCodec::Decode(e.pair));
        if (progress && records.back().step != progressStep) {
            progressStep = records.back().step;
            progress->Advance(++steps);
        }
        if (m_mode == Mode::Purge) {
            deleted.push_back(e);
        } else {
            flagged.push_back(&e);
            if (!YRecordApplier::ApplyPits(doc, records.back(), dir) ||
                !batch.Add(records.back(), dir)) {
                return false;
            }
        }
    }
    if (m_mode == Mode::Purge) {
        if (!log.Delete(deleted)) {
            return false;
        }
    } else if (!batch.Flush(true) || !log.SetAppliedAll(flagged, dir > 0) ||
               !doc.GetGchSet().DeleteSegmentRows()) {
        return false; // (the step summaries of a finished allocation no longer hold)
    }
    int step = -1;
    for (const DpLogRecord& rec : records) {
        if (rec.step != step) {
            if (step != -1) {
                Notify(doc, step);
            }
            step = rec.step;
        }
        if (m_mode == Mode::Undo) {
            doc.NotifyProcessUndone(rec);
        } else if (m_mode == Mode::Redo) {
            doc.NotifyProcessRedone(rec);
        }
    }
    if (step != -1) {
        Notify(doc, step);
    }
    return true;
}

bool HistoryRun::Run(int bound, int progressSteps) {
    if (!CheckAll(bound)) {
        return false;
    }
    const std::vector<UndoTask> tasks = YUndoTasks::Pending();
    bool ok = true;
    for (size_t i = 0; ok && i < tasks.size(); ++i) {
        ok = Execute(tasks[i], i == 0 ? progressSteps : 0);
    }
    // Commit in reverse: a second transaction on the same file is a savepoint of the first.
    for (size_t i = m_transactions.size(); ok && i-- > 0;) {
        ok = m_transactions[i]->Commit();
    }
    while (!m_transactions.empty()) {
        m_transactions.pop_back(); // rolls back what was not committed, innermost first
    }
    for (CDalvexDoc* doc : m_touched) {
        if (!ok && doc->GetSegmentCount() > 0) {
            (void)doc->ReloadModel(); // the items were changed in place
        }
        doc->UpdateAllViews();
    }
    return ok;
}

} // namespace

bool YHistory::Undo(CDalvexDoc& doc, int lastStep, int lowestStep) {
    if (lastStep < 1) {
        return false;
    }
    const int steps = lastStep != lowestStep ? lastStep - lowestStep + 1 : 0;
    return HistoryRun(Mode::Undo, doc).Run(lowestStep, steps);
}

bool YHistory::Redo(CDalvexDoc& doc, int firstStep, int lastStep) {
    if (lastStep < 1) {
        return false;
    }
    const int steps = firstStep != lastStep ? lastStep - firstStep + 1 : 0;
    return HistoryRun(Mode::Redo, doc).Run(lastStep, steps);
}

bool YHistory::Purge(CDalvexDoc& doc) {
    return HistoryRun(Mode::Purge, doc).Run(0, 0);
}
