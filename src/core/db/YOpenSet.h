#pragma once

// 打开的记录集 (open record set), as the database sees one: the connection closes the sets
// open on it before it closes, and re-reads them after a rollback changed the rows under
// them. YRecordset is the one implementation; the database knows no more of it.
class YOpenSet {
  public:
    virtual void Close() = 0;
    // False when the rows could not be read again (the set keeps the reason).
    virtual bool Requery() = 0;

  protected:
    YOpenSet() = default;
    ~YOpenSet() = default;
    YOpenSet(const YOpenSet&) = default;
    YOpenSet& operator=(const YOpenSet&) = default;
};
