#pragma once

#include "core/import/TfFormat.h"

#include <QObject>

class YPropertyGrid;

// Drives the format dialog's property grid: owns the format record being edited, fills the
// items from it (ids 1–8), copies every change back at once, reloads the record when another
// defined format is picked in "文件类型", and enables "填挖高度所在列" only while "读入填挖高度"
// is ticked.
class YReadPropertyItemManager : public QObject {
    Q_OBJECT
  public:
    enum ItemId {
        ID_NAME = 1,
        ID_SUFFIX = 2,
        ID_START_LINE = 3,
        ID_STATION_COL = 4,
        ID_CUT_COL = 5,
        ID_FILL_COL = 6,
        ID_READ_HEIGHT = 7,
        ID_HEIGHT_COL = 8
    };

    YReadPropertyItemManager(YPropertyGrid& grid, TfFormat format, QObject* parent = nullptr);

    const TfFormat& Format() const { return m_format; }
    // Creates the categories and items and shows the record.
    void CreateItems();
    void FillFromRecord();

  private:
    void OnItemChanged(int id);

    YPropertyGrid& m_grid;
    TfFormat m_format;
};
