#pragma once

#include <QDialog>
#include <array>

class CDalvexDoc;
class QLineEdit;

// "土石系数": the natural-to-compacted divisors of the six soil and rock classes, one edit box
// each (土方1 … 石方3), each within 0 … 100. Disabled while the project has results.
class YTsxsDlg : public QDialog {
    Q_OBJECT
  public:
    explicit YTsxsDlg(CDalvexDoc& doc, QWidget* parent = nullptr);

    QLineEdit* Edit(int k) const { return m_edits[size_t(k - 1)]; } // class 1..6
    void accept() override;

  private:
    CDalvexDoc& m_doc;
    bool m_bEditable;
    std::array<QLineEdit*, 6> m_edits{};
};
