#pragma once

#include "core/reports/YCalcTable.h"

#include <QDialog>

class CDalvexDoc;
class QLineEdit;
class QSpinBox;
class YPropertyGrid;

// "输出土石方计算表": the options of the earthwork calculation table in a property grid (items
// 1-17 by their ids) and the range of pages. The pages are built when the dialog opens and
// again when "输出每公里小计" changes, since that option moves the page breaks.
class YDvxjsBDlg : public QDialog {
    Q_OBJECT
  public:
    YDvxjsBDlg(CDalvexDoc& doc, QWidget* parent = nullptr);

    // False when [过程] or [土石计算] has no rows: the dialog is then not shown.
    bool HasPages() const { return !m_table.Pages().empty(); }
    YCalcTable& Table() { return m_table; }
    // The grid's values and the page range.
    YCalcTableOptions Options() const;

    YPropertyGrid* Grid() const { return m_pGrid; }
    QSpinBox* FromBox() const { return m_pFrom; }
    QSpinBox* ToBox() const { return m_pTo; }
    QLineEdit* TotalEdit() const { return m_pTotal; }

  private:
    void BuildPages();

    YCalcTable m_table;
    YPropertyGrid* m_pGrid = nullptr;
    QLineEdit* m_pTotal = nullptr;
    QSpinBox* m_pFrom = nullptr;
    QSpinBox* m_pTo = nullptr;
};
