#pragma once

#include <QDialog>
#include <memory>

class CDalvexDoc;
class QComboBox;
class QLineEdit;
class YPortPairSetup;

// 跨项目调配设置: the exit port of source project S and the entry port of destination project
// D for a haul between them: an existing pair from the combo box, or a new pair at the stations
// and distance typed in, created in both projects.
class YDCDRSetDlg : public QDialog {
    Q_OBJECT
  public:
    YDCDRSetDlg(CDalvexDoc& source, CDalvexDoc& dest, QWidget* parent = nullptr);
    ~YDCDRSetDlg() override;

    // After OK: link indices in S and in D.
    int ExitPort() const { return m_nExit; }
    int EntryPort() const { return m_nEntry; }

    QComboBox* PortCombo() const { return m_pCombo; }
    QLineEdit* ExitEdit() const { return m_pExit; }
    QLineEdit* DistEdit() const { return m_pDist; }
    QLineEdit* EntryEdit() const { return m_pEntry; }

    void accept() override;

  private:
    void OnPortChosen(int index);

    CDalvexDoc& m_source;
    CDalvexDoc& m_dest;
    std::unique_ptr<YPortPairSetup> m_pSetup;
    QComboBox* m_pCombo;
    QLineEdit* m_pExit;
    QLineEdit* m_pDist;
    QLineEdit* m_pEntry;
    int m_nExit = -1;
    int m_nEntry = -1;
};
