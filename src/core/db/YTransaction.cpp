#include "core/db/YTransaction.h"

#include "core/db/YDatabase.h"

YTransaction::YTransaction(YDatabase& db) : m_db(db) {
    m_bActive = m_db.IsOpen() && m_db.BeginTransaction();
}

YTransaction::~YTransaction() {
    Rollback();
}

bool YTransaction::Commit() {
    if (!m_bActive) {
        return false;
    }
    m_bActive = false;
    return m_db.CommitTransaction();
}

void YTransaction::Rollback() {
    if (m_bActive) {
        m_bActive = false;
        m_db.RollbackTransaction();
    }
}
