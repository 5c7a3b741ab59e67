#include "gui/app/CMainFrame.h"

#include "core/platform/YConf.h"

#include <QMdiArea>
#include <QStatusBar>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_mdi(new QMdiArea(this))
{
    setWindowTitle(YConf::Instance().Text(1000));
    setCentralWidget(m_mdi);
    statusBar()->showMessage(QStringLiteral("就绪"));
    resize(1024, 720);
}
