#pragma once

#include "core/db/YDpLogRow.h"
#include "core/document/YReactor.h"
#include "core/process/YProcessList.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

// The process list (调配过程) of one document: row 0 "开始调配", then one row per step of the
// log, applied or undone. It follows the document's notifications and moves the history when a
// row is chosen: rows before the current one are undone, rows after it redone.
class YDpGcReactor : public QAbstractTableModel, public YReactor {
    Q_OBJECT
  public:
    enum Column { ColOp, ColFrom, ColTo, ColSoil, ColRock, ColDistance, ColumnCount };

    YDpGcReactor();

    const std::vector<YProcessEntry>& Entries() const { return m_entries; }
    // The entry of the last applied step, −1 before the first.
    int CurrentIndex() const { return m_nCurrent; }
    int CurrentRow() const { return m_nCurrent + 1; }

    // Moves the history to row n (0: undo everything) under a wait cursor; false when nothing
    // was done or the undo or redo check refused (the current row stays).
    bool SelectRow(int nRow);
    bool CanUndo() const { return m_nCurrent >= 0; }
    bool CanRedo() const { return m_nCurrent + 1 < int(m_entries.size()); }
    bool Undo() { return CanUndo() && SelectRow(m_nCurrent); }
    bool Redo() { return CanRedo() && SelectRow(m_nCurrent + 2); }

    void OnReload() override;
    void OnReset() override;
    void OnNewStep(int nStep) override;
    void OnProcessAdded(const DpProcess& process) override;
    void OnStepEnded(int nStep) override;
    void OnStepUndone(int nStep) override;
    void OnStepRedone(int nStep) override;
    void OnStepDeleted(int nStep) override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  signals:
    // The current row changed (the pane scrolls it into view).
    void CurrentRowChanged(int nRow);

  private:
    // Reads the entries from the log again; rows added at the end are inserted.
    void ReadLog();
    int IndexOfStep(int nStep) const;
    void SetApplied(int nStep, bool bApplied);
    void SetCurrent(int nIndex);
    void RowChanged(int nIndex);

    std::vector<YProcessEntry> m_entries;
    int m_nCurrent = -1;
    // The log pairs of the step being recorded.
    std::vector<YDpLogPair> m_pending;
    QIcon m_currentImage;
    QIcon m_otherImage;
};
