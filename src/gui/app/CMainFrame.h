#pragma once

#include <QMainWindow>

class QMdiArea;

// The main frame: one MDI area for the project windows; menus, tool bar, status bar and the
// docked panes hang off it.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_mdi; }

private:
    QMdiArea* m_mdi;
};
