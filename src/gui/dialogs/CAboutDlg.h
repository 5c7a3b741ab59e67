#pragma once

#include <QDialog>

// "关于 Dalvex": the product title, the version and what the program is for.
class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
