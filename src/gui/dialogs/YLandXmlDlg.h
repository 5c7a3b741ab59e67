#pragma once

#include "core/import/YLandXmlImport.h"

#include <QDialog>

class QComboBox;

// 读入LandXML文件: which alignment of the file to import and which of its cross-section lines
// are the existing ground and the design. Opens with the import's own guesses; the lines offered
// follow the chosen alignment.
class YLandXmlDlg : public QDialog {
  public:
    YLandXmlDlg(YLandXmlChoices choices, QWidget* parent = nullptr);

    YLandXmlOptions Options() const;

  private:
    void ShowAlignment(int index);

    YLandXmlChoices m_choices;
    QComboBox* m_pAlignment;
    QComboBox* m_pGround;
    QComboBox* m_pDesign;
};
