#include "core/db/YTransaction.h"

#include "core/db/YDatabase.h"

YTransaction::YTransaction(YDatabase& db, Mode mode) : m_db(db) {
    m_bJoined = mode == Join && m_db.TransactionDepth() > 0;
    m_bActive = m_bJoined || (m_db.IsOpen() && m_db.BeginTransaction());
}

YTransaction::~YTransaction() {
    Rollback();
}

bool YTransaction::Commit() {
    if (!m_bActive) {
        return false;
    }
    m_bActive = false;
    return m_bJoined || m_db.CommitTransaction();
}

void YTransaction::Rollback() {
    if (m_bActive) {
        m_bActive = false;
        if (m_bJoined) {
            m_db.FailInnermostScope();
        } else {
            m_db.RollbackTransaction();
        }
    }
}
