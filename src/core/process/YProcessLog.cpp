#include "core/process/YProcessLog.h"

#include "core/db/YTdpSet.h"
#include "core/process/YMidRowOps.h"

#include "core/db/YDatabase.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

bool YProcessLog::Read(std::vector<Entry>& entries) {
    entries.clear();
    const int n = m_set.RecordCount();
    entries.reserve(size_t(n / 2));
    for (int i = 0; i + 1 < n; i += 2) {
        Entry e;
        if (!m_set.SetPosition(i)) {
            return false;
        }
        e.pair.src = m_set.Row();
        if (!m_set.SetPosition(i + 1)) {
            return false;
        }
        e.pair.dst = m_set.Row();
        if (e.pair.src.gcid != e.pair.dst.gcid || e.pair.src.id != e.pair.dst.id) {
            break; // damaged from here on: the rows no longer pair up
        }
        e.nSrcPos = i;
        e.nDstPos = i + 1;
        entries.push_back(std::move(e));
    }
    return true;
}

bool YProcessLog::ReadPairs(std::vector<YDpLogPair>& pairs) {
    std::vector<Entry> entries;
    if (!Read(entries)) {
        return false;
    }
    pairs.clear();
    pairs.reserve(entries.size());
    for (Entry& e : entries) {
        pairs.push_back(std::move(e.pair));
    }
    return true;
}

bool YProcessLog::AppendRow(const YDpLogRow& row) {
    m_set.AddNew();
    m_set.SetRow(row);
    return m_set.Update();
}

bool YProcessLog::Append(const YDpLogPair& pair) {
    return AppendRow(pair.src) && AppendRow(pair.dst);
}

bool YProcessLog::SetApplied(const Entry& e, bool bApplied) {
    for (int pos : {e.nSrcPos, e.nDstPos}) {
        if (!m_set.SetPosition(pos) || !m_set.Edit()) {
            return false;
        }
        m_set.m_bSuccess = bApplied;
        if (!m_set.Update()) {
            return false;
        }
    }
    return true;
}

bool YProcessLog::SetSourcePit(const Entry& e, int pit) {
    if (!m_set.SetPosition(e.nSrcPos) || !m_set.Edit()) {
        return false;
    }
    m_set.m_nPit = pit;
    return m_set.Update();
}

bool YProcessLog::ForRows(const std::vector<qint64>& rowids, const QString& sql,
                          const QVariant& value) {
    QSqlQuery q(m_set.Database().Connection());
    if (!q.prepare(sql)) {
        return false;
    }
    for (qint64 rowid : rowids) {
        if (value.isValid()) {
            q.addBindValue(value);
        }
        q.addBindValue(rowid);
        if (!q.exec()) {
            return false;
        }
    }
    return m_set.Requery();
}

bool YProcessLog::SetAppliedAll(const std::vector<const Entry*>& entries, bool bApplied) {
    std::vector<qint64> rowids;
    rowids.reserve(entries.size() * 2);
    for (const Entry* e : entries) {
        rowids.push_back(e->pair.src.rowid);
        rowids.push_back(e->pair.dst.rowid);
    }
    return ForRows(rowids, QStringLiteral("UPDATE [Tmp调配过程表] SET [成败] = ? WHERE rowid = ?"),
                   QVariant(bApplied ? 1 : 0));
}

bool YProcessLog::Delete(const std::vector<Entry>& entries) {
    std::vector<qint64> rowids;
    rowids.reserve(entries.size() * 2);
    for (const Entry& e : entries) {
        rowids.push_back(e.pair.src.rowid);
        rowids.push_back(e.pair.dst.rowid);
    }
    return ForRows(rowids, QStringLiteral("DELETE FROM [Tmp调配过程表] WHERE rowid = ?"),
                   QVariant());
}
