#include "gui/panes/YDpTaskReactor.h"

#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"

namespace {

QString Amount(double v) {
    return v > YClass::Present ? QString::asprintf("%.3lf", v) : QString();
}

} // namespace

void YDpTaskReactor::OnReload() {
    if (GetDocument() == nullptr || GetDocument()->GetSegmentCount() == 0) {
        return;
    }
    m_bLoaded = true;
    Rebuild();
}

void YDpTaskReactor::OnReset() {
    m_bLoaded = false;
    beginResetModel();
    m_tasks.clear();
    endResetModel();
}

// A step changes the rows of its source and destination runs and, through the row numbers,
// every row after them: the list is built again (linear in the segments).
void YDpTaskReactor::OnStepEnded(int) {
    Rebuild();
}

void YDpTaskReactor::OnStepUndone(int) {
    Rebuild();
}

void YDpTaskReactor::OnStepRedone(int) {
    Rebuild();
}

void YDpTaskReactor::Rebuild() {
    if (!m_bLoaded) {
        return;
    }
    std::vector<YTask> tasks = YTaskList::Build(GetDocument()->Segments());
    const int before = int(m_tasks.size());
    const int after = int(tasks.size());
    if (after > before) {
        beginInsertRows({}, before, after - 1);
        m_tasks = std::move(tasks);
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows({}, after, before - 1);
        m_tasks = std::move(tasks);
        endRemoveRows();
    } else {
        m_tasks = std::move(tasks);
    }
    if (after > 0) {
        emit dataChanged(index(0, 0), index(after - 1, ColumnCount - 1));
    }
}

int YDpTaskReactor::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_tasks.size());
}

int YDpTaskReactor::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant YDpTaskReactor::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_tasks.size())) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const YTask& t = m_tasks[size_t(index.row())];
    const YStationNumbering& numbering = GetDocument()->Numbering();
    const bool surplus = t.nType == 0;
    switch (index.column()) {
    case ColType:
        return t.Label(index.row() + 1);
    case ColFrom:
        return numbering.Text(t.staFrom);
    case ColTo:
        return numbering.Text(t.staTo);
    case ColUseSoil:
        return surplus ? Amount(t.dUseSoil) : QString();
    case ColUseRock:
        return surplus ? Amount(t.dUseRock) : QString();
    case ColFill:
        return surplus ? QString() : Amount(t.dFill);
    case ColWasteSoil:
        return surplus ? Amount(t.dUnuseSoil) : QString();
    case ColWasteRock:
        return surplus ? Amount(t.dUnuseRock) : QString();
    default:
        return {};
    }
}

QVariant YDpTaskReactor::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const titles[ColumnCount] = {"类型",   "从",   "到",   "挖余土",
                                                    "挖余石", "填缺", "废土", "废石"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromUtf8(titles[section]);
}
