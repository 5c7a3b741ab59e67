#pragma once

#include "core/compute/YPreprocessOptions.h"

#include <QDialog>
#include <array>
#include <map>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class YUserIO;

// "数据预处理": how the cross-section areas become segment quantities — the averaging rule, the
// classes reused in their own segment, how the road trough is deducted and the soil and rock
// loss rates (0–20 %). "说明" explains the control that has the focus. OK packs the choices
// into the options word and the two loss factors.
class YPreprocessDlg : public QDialog {
    Q_OBJECT
  public:
    YPreprocessDlg(YUserIO& io, QWidget* parent = nullptr);

    YPreprocessOptions Options() const { return m_options; }

    // The controls, for those that drive the dialog.
    QComboBox* MethodCombo() const { return m_pMethod; }
    QCheckBox* ReuseBox(int k) const { return m_pReuse[size_t(k - 1)]; } // class 1..6
    QRadioButton* ByDepthRadio() const { return m_pByDepth; }
    QRadioButton* ToCutRadio() const { return m_pToCut; }
    QLineEdit* SoilLossEdit() const { return m_pSoilLoss; }
    QLineEdit* RockLossEdit() const { return m_pRockLoss; }
    QLabel* NoteLabel() const { return m_pNote; }

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* MakeMethodGroup();
    QWidget* MakeReuseGroup();
    QWidget* MakeTroughGroup();
    QWidget* MakeLossGroup();
    void Explain(QWidget* control, const QString& text);

    YUserIO& m_io;
    QComboBox* m_pMethod = nullptr;
    std::array<QCheckBox*, 6> m_pReuse{};
    QRadioButton* m_pByCentre = nullptr;
    QRadioButton* m_pByDepth = nullptr;
    QRadioButton* m_pToZero = nullptr;
    QRadioButton* m_pToCut = nullptr;
    QLineEdit* m_pSoilLoss = nullptr;
    QLineEdit* m_pRockLoss = nullptr;
    QLabel* m_pNote = nullptr;
    std::map<QObject*, QString> m_notes;
    YPreprocessOptions m_options;
};
