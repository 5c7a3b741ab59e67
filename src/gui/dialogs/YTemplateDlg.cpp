#include "gui/dialogs/YTemplateDlg.h"

#include "core/platform/YConf.h"
#include "core/platform/YProfile.h"
#include "gui/dialogs/YOkCancel.h"
#include "gui/widgets/YFileChooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString Bundled(int tableId) {
    return QDir(YConf::DataDir())
        .filePath(QStringLiteral("templates/") + YConf::TableName(tableId) +
                  QStringLiteral(".xlsx"));
}
} // namespace

YTemplateDlg::YTemplateDlg(YFileChooser& chooser, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("表格模板设置"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (int id = YConf::PitTable; id <= YConf::ClassDetailTable; ++id, ++row) {
        auto* edit = new QLineEdit(YConf::Instance().TemplatePath(id), this);
        edit->setMinimumWidth(420);
        m_edits[id] = edit;
        auto* browse = new QPushButton(QStringLiteral("浏览..."), this);
        auto* reset = new QPushButton(QStringLiteral("默认"), this);
        grid->addWidget(new QLabel(YConf::TableName(id), this), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(browse, row, 2);
        grid->addWidget(reset, row, 3);
        connect(browse, &QPushButton::clicked, this, [this, edit, &chooser] {
            const QString path =
                chooser.OpenFileName(this, QStringLiteral("Excel 工作簿(*.xlsx)|*.xlsx||"));
            if (!path.isEmpty()) {
                edit->setText(path);
            }
        });
        connect(reset, &QPushButton::clicked, this, [edit, id] { edit->setText(Bundled(id)); });
    }
    grid->addWidget(YOkCancel::Make(*this), row, 0, 1, 4);
}

void YTemplateDlg::accept() {
    for (const auto& [id, edit] : m_edits) {
        // The bundled file is not written down, so it is found again wherever the program moves.
        if (edit->text().trimmed() == Bundled(id)) {
            YConf::Instance().ResetTemplatePath(id);
        } else {
            YConf::Instance().SetTemplatePath(id, edit->text().trimmed());
        }
    }
    YProfile::Instance().Sync();
    QDialog::accept();
}
