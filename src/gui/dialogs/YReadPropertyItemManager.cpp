#include "gui/dialogs/YReadPropertyItemManager.h"

#include "gui/dialogs/CPropertyCustomTF.h"
#include "gui/widgets/CPropertyItemBool.h"
#include "gui/widgets/CPropertyItemInt.h"
#include "gui/widgets/CPropertyItemString.h"
#include "gui/widgets/YPropertyGrid.h"

YReadPropertyItemManager::YReadPropertyItemManager(YPropertyGrid& grid, TfFormat format,
                                                   QObject* parent)
    : QObject(parent), m_grid(grid), m_format(std::move(format)) {
    connect(&m_grid, &YPropertyGrid::ItemChanged, this, &YReadPropertyItemManager::OnItemChanged);
}

void YReadPropertyItemManager::CreateItems() {
    m_grid.RemoveAll();
    const int format = m_grid.AddCategory(QStringLiteral("数据格式"));
    m_grid.AddItem(format,
                   std::make_unique<CPropertyCustomTF>(ID_NAME, QStringLiteral("文件类型")));
    m_grid.AddItem(format,
                   std::make_unique<CPropertyItemString>(ID_SUFFIX, QStringLiteral("文件后缀")));
    const int read = m_grid.AddCategory(QStringLiteral("读入数据"));
    const struct {
        int id;
        const char* label;
    } columns[] = {{ID_START_LINE, "数据开始行（空行，注释不计算在内）"},
                   {ID_STATION_COL, "断面桩号所在列"},
                   {ID_CUT_COL, "挖方面积所在列"},
                   {ID_FILL_COL, "填方面积所在列"}};
    for (const auto& c : columns) {
        m_grid.AddItem(read, std::make_unique<CPropertyItemInt>(c.id, QString::fromUtf8(c.label)));
    }
    m_grid.AddItem(
        read, std::make_unique<CPropertyItemBool>(ID_READ_HEIGHT, QStringLiteral("读入填挖高度")));
    m_grid.AddItem(
        read, std::make_unique<CPropertyItemInt>(ID_HEIGHT_COL, QStringLiteral("填挖高度所在列")));
    FillFromRecord();
}

void YReadPropertyItemManager::FillFromRecord() {
    m_grid.SetValue(ID_NAME, m_format.m_strName);
    m_grid.SetValue(ID_SUFFIX, m_format.m_strSuffix);
    m_grid.SetValue(ID_START_LINE, m_format.m_nStartLine);
    m_grid.SetValue(ID_STATION_COL, m_format.m_nStationCol);
    m_grid.SetValue(ID_CUT_COL, m_format.m_nCutCol);
    m_grid.SetValue(ID_FILL_COL, m_format.m_nFillCol);
    m_grid.SetValue(ID_READ_HEIGHT, m_format.ReadsHeight());
    m_grid.SetValue(ID_HEIGHT_COL, m_format.m_nHeightCol);
    m_grid.EnableItem(ID_HEIGHT_COL, m_format.ReadsHeight());
    m_grid.Redraw();
}

void YReadPropertyItemManager::OnItemChanged(int id) {
    const QVariant value = m_grid.Value(id);
    switch (id) {
    case ID_NAME: {
        const QString name = value.toString();
        const int slot = CPropertyCustomTF::SlotOfName(name);
        if (slot >= 0 && name != m_format.m_strName) {
            m_format = TfFormat::Load(slot); // another defined format was picked
            FillFromRecord();
        } else {
            m_format.m_strName = name; // a new name for the format being edited
        }
        break;
    }
    case ID_SUFFIX:
        m_format.m_strSuffix = value.toString();
        break;
    case ID_START_LINE:
        m_format.m_nStartLine = value.toInt();
        break;
    case ID_STATION_COL:
        m_format.m_nStationCol = value.toInt();
        break;
    case ID_CUT_COL:
        m_format.m_nCutCol = value.toInt();
        break;
    case ID_FILL_COL:
        m_format.m_nFillCol = value.toInt();
        break;
    case ID_READ_HEIGHT:
        m_format.m_bReadHeight = value.toBool() ? 1 : 0;
        m_grid.EnableItem(ID_HEIGHT_COL, m_format.ReadsHeight());
        break;
    case ID_HEIGHT_COL:
        m_format.m_nHeightCol = value.toInt();
        break;
    default:
        break;
    }
}
