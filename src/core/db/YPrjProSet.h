#pragma once

#include "core/db/YRecordset.h"

// [项目] (layout version 5 and later): project properties as name/value pairs, among them
// "项目名称", "GUID" and "项目标识". Project-wide, sorted by name.
class YPrjProSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("项目"); }
    QString DefaultSort() const override { return QStringLiteral("[属性名称]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 2; }

    QString m_strName;  // 属性名称
    QString m_strValue; // 属性值

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
