#include "gui/panes/YDpGcReactor.h"

#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"
#include "core/process/YHistory.h"
#include "core/process/YProcessRecorder.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

namespace {

// The pane's two images: an arrow for the current row, an empty box for the others.
QIcon RowImage(bool bCurrent) {
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    if (bCurrent) {
        p.setPen(Qt::darkBlue);
        p.setBrush(QColor(0, 90, 200));
        p.drawPolygon(QPolygon({QPoint(2, 1), QPoint(10, 6), QPoint(2, 11)}));
    }
    return QIcon(pm);
}

} // namespace

YDpGcReactor::YDpGcReactor() : m_currentImage(RowImage(true)), m_otherImage(RowImage(false)) {}

void YDpGcReactor::OnReload() {
    ReadLog();
}

void YDpGcReactor::OnReset() {
    beginResetModel();
    m_entries.clear();
    m_nCurrent = -1;
    endResetModel();
    emit CurrentRowChanged(CurrentRow());
}

void YDpGcReactor::ReadLog() {
    if (GetDocument() == nullptr || !GetDocument()->IsOpen()) {
        return;
    }
    std::vector<YProcessEntry> entries = YProcessList::Build(*GetDocument());
    const int before = int(m_entries.size());
    const int after = int(entries.size());
    if (after > before) {
        beginInsertRows({}, before + 1, after);
        m_entries = std::move(entries);
        endInsertRows();
        emit dataChanged(index(0, 0), index(before, ColumnCount - 1));
    } else {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }
    int current = -1;
    for (int i = 0; i < int(m_entries.size()); ++i) {
        if (m_entries[size_t(i)].bApplied) {
            current = i;
        }
    }
    SetCurrent(current);
}

void YDpGcReactor::OnNewStep(int) {
    m_pending.clear();
}

void YDpGcReactor::OnProcessAdded(const DpProcess& process) {
    m_pending.push_back(YProcessRecorder::LogPair(process));
}

// The new step's entry is made from the pairs it recorded, without reading the log back.
void YDpGcReactor::OnStepEnded(int nStep) {
    std::vector<YProcessEntry> made = YProcessList::Build(*GetDocument(), m_pending);
    m_pending.clear();
    if (made.empty()) {
        return;
    }
    const YProcessEntry& e = made.back();
    const int i = IndexOfStep(nStep);
    if (i >= 0) {
        m_entries[size_t(i)] = e;
        RowChanged(i);
    } else {
        const int row = int(m_entries.size()) + 1;
        beginInsertRows({}, row, row);
        m_entries.push_back(e);
        endInsertRows();
    }
    SetCurrent(IndexOfStep(nStep));
}

int YDpGcReactor::IndexOfStep(int nStep) const {
    for (int i = int(m_entries.size()) - 1; i >= 0; --i) {
        if (m_entries[size_t(i)].nStep == nStep) {
            return i;
        }
    }
    return -1;
}

void YDpGcReactor::OnStepUndone(int nStep) {
    SetApplied(nStep, false);
}

void YDpGcReactor::OnStepRedone(int nStep) {
    SetApplied(nStep, true);
}

// Undone: the current entry moves before the step when it was at or after it; redone: the
// step becomes current when it lies after the current entry.
void YDpGcReactor::SetApplied(int nStep, bool bApplied) {
    const int i = IndexOfStep(nStep);
    if (i < 0) {
        return;
    }
    m_entries[size_t(i)].bApplied = bApplied;
    RowChanged(i);
    if (!bApplied && m_nCurrent >= i) {
        SetCurrent(i - 1);
    } else if (bApplied && m_nCurrent < i) {
        SetCurrent(i);
    }
}

void YDpGcReactor::OnStepDeleted(int nStep) {
    const int i = IndexOfStep(nStep);
    if (i < 0) {
        return;
    }
    beginRemoveRows({}, i + 1, i + 1);
    m_entries.erase(m_entries.begin() + i);
    endRemoveRows();
    if (m_nCurrent >= i) {
        SetCurrent(m_nCurrent - 1);
    }
}

void YDpGcReactor::SetCurrent(int nIndex) {
    const int old = m_nCurrent;
    m_nCurrent = nIndex;
    if (old != nIndex) {
        for (int row : {old + 1, nIndex + 1}) {
            if (row < rowCount()) {
                emit dataChanged(index(row, 0), index(row, 0));
            }
        }
    }
    emit CurrentRowChanged(CurrentRow());
}

void YDpGcReactor::RowChanged(int nIndex) {
    emit dataChanged(index(nIndex + 1, 0), index(nIndex + 1, ColumnCount - 1));
}

bool YDpGcReactor::SelectRow(int nRow) {
    CDalvexDoc* doc = GetDocument();
    const int target = nRow - 1; // the entry that becomes current
    if (doc == nullptr || nRow < 0 || nRow > int(m_entries.size()) || target == m_nCurrent) {
        return false;
    }
    YWaitScope wait(doc->UserIO());
    bool ok = false;
    if (target < m_nCurrent) {
        ok = YHistory::Undo(*doc, m_entries[size_t(m_nCurrent)].nStep,
                            m_entries[size_t(target + 1)].nStep);
    } else {
        ok = YHistory::Redo(*doc, m_entries[size_t(m_nCurrent + 1)].nStep,
                            m_entries[size_t(target)].nStep);
    }
    if (ok) {
        SetCurrent(target);
    } else {
        emit CurrentRowChanged(CurrentRow());
    }
    return ok;
}

int YDpGcReactor::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size()) + 1;
}

int YDpGcReactor::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant YDpGcReactor::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() > int(m_entries.size())) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignCenter);
    }
    if (role == Qt::DecorationRole && index.column() == ColOp) {
        return index.row() == CurrentRow() ? m_currentImage : m_otherImage;
    }
    if (role == Qt::ForegroundRole && index.row() > 0 &&
        !m_entries[size_t(index.row() - 1)].bApplied) {
        return QColor(Qt::gray); // undone: kept until the next new step purges it
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    if (index.row() == 0) {
        return index.column() == ColOp ? QStringLiteral("开始调配") : QString();
    }
    const YProcessEntry& e = m_entries[size_t(index.row() - 1)];
    const YStationNumbering& numbering = GetDocument()->Numbering();
    switch (index.column()) {
    case ColOp:
        return e.Label();
    case ColFrom:
        return DpKinds::HasSegmentSource(e.nKind)
                   ? YProcessEntry::Range(numbering, e.staSrcStart, e.staSrcEnd)
                   : QString();
    case ColTo:
        return DpKinds::HasSegmentDestination(e.nKind)
                   ? YProcessEntry::Range(numbering, e.staDstStart, e.staDstEnd)
                   : QString();
    case ColSoil:
        return QString::asprintf("%.3lf", e.dSoil);
    case ColRock:
        return QString::asprintf("%.3lf", e.dRock);
    case ColDistance:
        return QString::asprintf("%.3lf", e.dDistance);
    default:
        return {};
    }
}

QVariant YDpGcReactor::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const titles[ColumnCount] = {"操作", "从", "到", "土", "石", "运距"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromUtf8(titles[section]);
}
