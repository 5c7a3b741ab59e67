#pragma once

#include <QDialog>
#include <map>

class QLineEdit;
class YFileChooser;

// "表格模板设置": the template workbook of each table (506-510), with a browse button per row
// and "默认" to go back to the bundled one. OK stores the paths in the profile.
class YTemplateDlg : public QDialog {
    Q_OBJECT
  public:
    YTemplateDlg(YFileChooser& chooser, QWidget* parent = nullptr);

    QLineEdit* PathEdit(int tableId) const { return m_edits.at(tableId); }
    void accept() override;

  private:
    std::map<int, QLineEdit*> m_edits;
};
