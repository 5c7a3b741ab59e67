#include "gui/dialogs/YTsylBDlg.h"

#include "core/platform/YUserIO.h"
#include "gui/dialogs/YOkCancel.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

YTsylBDlg::YTsylBDlg(YUserIO& io, QWidget* parent) : QDialog(parent), m_io(io) {
    setWindowTitle(QStringLiteral("路基土石方运量统计表"));
    const YHaulTableOptions d;
    const QString texts[12] = {d.manual,
                               QString::number(d.manualShare),
                               d.bulldozer,
                               QString::number(d.bulldozerLimit),
                               d.scraper,
                               QString::number(d.scraperLimit),
                               d.excavator,
                               d.rockBulldozer,
                               QString::number(d.rockBulldozerLimit),
                               d.rockManual,
                               QString::number(d.rockManualLimit),
                               d.dumpTruck};
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit(texts[i], this);
    }
    auto* layout = new QVBoxLayout(this);
    // A method name, and beside it its number with the texts around it.
    auto group = [this](const QString& title, std::initializer_list<std::array<int, 2>> rows,
                        std::initializer_list<std::pair<QString, QString>> around) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QGridLayout(box);
        int r = 0;
        auto text = around.begin();
        for (const auto& [name, number] : rows) {
            grid->addWidget(m_fields[size_t(name)], r, 0);
            if (number >= 0) {
                grid->addWidget(new QLabel(text->first, box), r, 1);
                grid->addWidget(m_fields[size_t(number)], r, 2);
                grid->addWidget(new QLabel(text->second, box), r, 3);
                ++text;
            }
            ++r;
        }
        return box;
    };
    const QString below = QStringLiteral("运距<");
    const QString metres = QStringLiteral("米");
    layout->addWidget(
        group(QStringLiteral("土方"), {{0, 1}, {2, 3}, {4, 5}, {6, -1}},
              {{QStringLiteral("总量的"), QStringLiteral("%")}, {below, metres}, {below, metres}}));
    layout->addWidget(group(QStringLiteral("石方"), {{7, 8}, {9, 10}, {11, -1}},
                            {{below, metres}, {below, metres}}));
    auto* options = new QGroupBox(QStringLiteral("选项"), this);
    auto* optionsLayout = new QVBoxLayout(options);
    m_pDistance = new QRadioButton(QStringLiteral("平均运距"), options);
    m_pVolume = new QRadioButton(QStringLiteral("运量"), options);
    m_pDistance->setChecked(true);
    optionsLayout->addWidget(m_pDistance);
    optionsLayout->addWidget(m_pVolume);
    layout->addWidget(options);
    QDialogButtonBox* buttons = YOkCancel::Make(*this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("输出"));
    layout->addWidget(buttons);
}

void YTsylBDlg::accept() {
    YHaulTableOptions o;
    QString* names[] = {&o.manual,        &o.bulldozer,  &o.scraper,  &o.excavator,
                        &o.rockBulldozer, &o.rockManual, &o.dumpTruck};
    const int nameFields[] = {0, 2, 4, 6, 7, 9, 11};
    for (int i = 0; i < 7; ++i) {
        *names[i] = m_fields[size_t(nameFields[i])]->text();
    }
    double* numbers[] = {&o.manualShare, &o.bulldozerLimit, &o.scraperLimit, &o.rockBulldozerLimit,
                         &o.rockManualLimit};
    const int numberFields[] = {1, 3, 5, 8, 10};
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        QLineEdit* field = m_fields[size_t(numberFields[i])];
        *numbers[i] = field->text().trimmed().toDouble(&ok);
        if (!ok || (i == 0 && (*numbers[i] < 0.0 || *numbers[i] > 100.0))) {
            m_io.Warning(QStringLiteral("请输入一个数。"));
            field->setFocus();
            field->selectAll();
            return;
        }
    }
    o.mode = m_pVolume->isChecked() ? 1 : 0;
    m_options = o;
    QDialog::accept();
}
