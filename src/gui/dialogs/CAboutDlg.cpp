#include "gui/dialogs/CAboutDlg.h"

#include "core/platform/YConf.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const QString title = YConf::Instance().Text(1000);
    setWindowTitle(QStringLiteral("关于 ") + title);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(
        QStringLiteral("<b>%1</b> Dalvex %2").arg(title, QString::fromLatin1(DALVEX_VERSION)),
        this);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("道路土石方计算与调配"), this));
    layout->addWidget(new QLabel(QStringLiteral("RavelCAD.co"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
