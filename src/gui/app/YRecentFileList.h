#pragma once

#include <QStringList>

// The most-recently-used project files shown in the File menu, newest first, kept in the
// profile section "Recent File List" (entries "File1" … "File4").
class YRecentFileList {
  public:
    static constexpr int MaxFiles = 4;

    YRecentFileList();

    const QStringList& Files() const { return m_files; }
    // Moves (or puts) a file at the head; the oldest drops out beyond four. Saved at once.
    void Add(const QString& path);
    void Remove(const QString& path);
    // Menu text of entry i: "&1 name" (the path when it is short, else "…/folder/name").
    QString MenuText(int i) const;

  private:
    void Read();
    void Write() const;
    static bool SameFile(const QString& a, const QString& b);

    QStringList m_files;
};
