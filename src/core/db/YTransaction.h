#pragma once

class YDatabase;

// A scope whose statements reach the file all together or not at all. Scopes nest: an inner
// scope is a savepoint inside the outer transaction, so a helper that groups its own writes
// joins the action that called it. Destroying an active scope rolls it back, so an early
// return or an exception leaves no half-action in the file; after a rollback the open record
// sets of the database are re-queried.
//
//     YTransaction tr(db);
//     if (!set.Edit() || !set.Update()) return false;   // rolled back here
//     return tr.Commit();
//
// A scope opened with Join inside a transaction takes no savepoint: it is part of the scope
// around it. Its rollback cannot undo only its own statements, so it marks the innermost
// enclosing transaction or savepoint as failed: that scope's Commit then rolls it back whole
// and returns false. Use it for the many small writes of one long action (the transfers of
// an allocation step, the steps of an automatic allocation), where a savepoint per write
// would cost SQLite a walk of its statement journal every time it is released. Outside any
// transaction a joined scope is an ordinary outermost one.
class YTransaction {
  public:
    enum Mode { Savepoint, Join };
    explicit YTransaction(YDatabase& db, Mode mode = Savepoint);
    ~YTransaction();
    YTransaction(const YTransaction&) = delete;
    YTransaction& operator=(const YTransaction&) = delete;

    // False when the transaction could not be begun (no connection, a lock held elsewhere).
    bool IsActive() const { return m_bActive; }
    // Commits (the outermost scope) or releases its savepoint (inner scopes). A failed commit
    // rolls back; the reason is in the database's LastError.
    [[nodiscard]] bool Commit();
    void Rollback();

  private:
    YDatabase& m_db;
    bool m_bActive = false;
    bool m_bJoined = false; // no scope of its own in SQLite
};
