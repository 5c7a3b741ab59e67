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
    bool paired = true;
    for (int i = 0; paired && i + 1 < n; i += 2) {
        Entry e;
        if (!m_set.ReadPair(i, e.pair, paired)) {
            return false;
        }
        if (paired) {
            e.nSrcPos = i;
            e.nDstPos = i + 1;
            entries.push_back(std::move(e));
        }
    }
    return true;
}

bool YProcessLog::ReadPairs(std::vector<YDpLogPair>& pairs) {
    // Read straight into pairs: a long road's log is tens of megabytes, held once.
    pairs.clear();
    const int n = m_set.RecordCount();
    pairs.reserve(size_t(n / 2));
    bool paired = true;
    for (int i = 0; paired && i + 1 < n; i += 2) {
        YDpLogPair pair;
        if (!m_set.ReadPair(i, pair, paired)) {
            return false;
        }
        if (paired) {
            pairs.push_back(std::move(pair));
        }
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

bool YProcessLog::SetAppliedAll(const std::vector<const Entry*>& entries, bool bApplied) {
    // 成败 is no sort key: the rows stay where they are, and an undo or redo of many steps
    // touches long runs of adjacent rows, each written with one statement.
    std::vector<int> positions;
    positions.reserve(entries.size() * 2);
    for (const Entry* e : entries) {
        positions.push_back(e->nSrcPos);
        positions.push_back(e->nDstPos);
    }
    return m_set.SetNumberAt(std::move(positions), QStringLiteral("成败"), bApplied ? 1.0 : 0.0);
}

bool YProcessLog::Delete(const std::vector<Entry>& entries) {
    std::vector<int> positions;
    positions.reserve(entries.size() * 2);
    for (const Entry& e : entries) {
        positions.push_back(e.nSrcPos);
        positions.push_back(e.nDstPos);
    }
    return m_set.DeleteAt(std::move(positions));
}
