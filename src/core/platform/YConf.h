#pragma once

#include <QString>

// Configuration service of the product: texts by key and the workbook template configured for
// each output table. Template paths are kept in the profile section "表格模板" (entry = table
// id); when none is set, the bundled template of the table is used.
class YConf {
  public:
    // Table ids of the workbook templates.
    enum TableId {
        PitTable = 506,         // 取土弃土场表
        CalcTable = 507,        // 土方计算表
        HaulTable = 508,        // 土方运量统计表
        HaulTable1 = 509,       // 土方运量统计表1
        ClassDetailTable = 510, // 土石方分类计算详表
    };

    static YConf& Instance();

    // Called first at start-up with an empty text and the product key ("RavelTF").
    void Init(const QString& text, const QString& productKey);
    bool IsInitialised() const { return m_bInit; }
    QString ProductKey() const { return m_strProductKey; }

    // 1000: product title; 3: full path of the help file. Unknown keys give an empty text.
    QString Text(int key) const;

    // The template workbook of a table id (506-510); empty when the id is unknown or the
    // configured file name is empty.
    QString TemplatePath(int tableId) const;
    void SetTemplatePath(int tableId, const QString& path);
    // Back to the bundled template (the profile entry is removed).
    void ResetTemplatePath(int tableId);
    // The name of the table behind an id ("取土弃土场表" for 506), empty for other ids.
    static QString TableName(int tableId);

    // Folder of the bundled data (templates/, help), found beside the program when installed
    // or in the source tree when run from a build folder; DALVEX_DATA_DIR overrides.
    static QString DataDir();

  private:
    YConf() = default;
    bool m_bInit = false;
    QString m_strProductKey;
};
