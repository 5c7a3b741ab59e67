#pragma once

#include "core/document/YReactor.h"
#include "core/process/YTaskList.h"

#include <QAbstractTableModel>
#include <vector>

// The task list (调配任务) of one document: what is left to allocate, as the model of the pane's
// list. The document calls it when the model is reloaded or reset and at the end of every step
// done, undone or redone; the rows are then built again from the segments.
class YDpTaskReactor : public QAbstractTableModel, public YReactor {
    Q_OBJECT
  public:
    enum Column {
        ColType,
        ColFrom,
        ColTo,
        ColUseSoil,
        ColUseRock,
        ColFill,
        ColWasteSoil,
        ColWasteRock,
        ColumnCount
    };

    const std::vector<YTask>& Tasks() const { return m_tasks; }
    bool IsLoaded() const { return m_bLoaded; }

    // Builds the rows when the document has segments (also right after attaching).
    void OnReload() override;
    void OnReset() override;
    void OnStepEnded(int nStep) override;
    void OnStepUndone(int nStep) override;
    void OnStepRedone(int nStep) override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    void Rebuild();

    std::vector<YTask> m_tasks;
    bool m_bLoaded = false;
};
