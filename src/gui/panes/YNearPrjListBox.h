#pragma once

#include "core/neighbours/YNearPrjList.h"

#include <QListWidget>

// The list of the pane 相邻项目: one three-line entry per port or other open project, drawn as
// push buttons (pressed when selected, hot under the pointer), each line of fixed height.
class YNearPrjListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit YNearPrjListBox(QWidget* parent = nullptr);

    // Replaces the entries; selected is the line to select (−1: none).
    void Fill(const std::vector<YNearListEntry>& entries, const std::vector<QStringList>& lines,
              int selected);
    YNearListEntry EntryAt(int row) const;
    // 3 × the font's text height + 6 pixels.
    int LineHeight() const;
};
