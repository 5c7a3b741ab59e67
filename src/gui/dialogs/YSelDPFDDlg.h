#pragma once

#include <QDialog>

class CDalvexDoc;
class QComboBox;

// "请选择调配段落": a list of the project's segments ("分段%d终止桩号%s"), the current one
// preselected. OK with another segment makes it current; the same one, or Cancel, changes
// nothing.
class YSelDPFDDlg : public QDialog {
    Q_OBJECT
  public:
    explicit YSelDPFDDlg(CDalvexDoc& doc, QWidget* parent = nullptr);

    QComboBox* List() const { return m_pList; }
    void accept() override;

  private:
    CDalvexDoc& m_doc;
    QComboBox* m_pList;
};
