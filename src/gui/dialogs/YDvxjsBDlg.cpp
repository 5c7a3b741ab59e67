#include "gui/dialogs/YDvxjsBDlg.h"

#include "gui/dialogs/CPropertyItemTf.h"
#include "gui/dialogs/YOkCancel.h"
#include "gui/widgets/CPropertyItemBool.h"
#include "gui/widgets/CPropertyItemInt.h"
#include "gui/widgets/YPropertyGrid.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// Grid item ids (the choice items 3-12 are YCalcTableOptions::Item).
enum : int {
    PerKm = 1,
    MarkCentres = 2,
    SixClass = 13,
    SixClassDiagram = 14,
    QtyDecimals = 15,
    DistDecimals = 16,
    StaDecimals = 17,
};
} // namespace

YDvxjsBDlg::YDvxjsBDlg(CDalvexDoc& doc, QWidget* parent) : QDialog(parent), m_table(doc) {
    setWindowTitle(QStringLiteral("输出土石方计算表"));
    auto* layout = new QVBoxLayout(this);

    auto* mode = new QGroupBox(QStringLiteral("输出方式"), this);
    auto* modeLayout = new QVBoxLayout(mode);
    m_pGrid = new YPropertyGrid(mode);
    const YCalcTableOptions defaults;
    const int general = m_pGrid->AddCategory(QStringLiteral("通常"));
    m_pGrid->AddItem(general,
                     std::make_unique<CPropertyItemBool>(PerKm, QStringLiteral("输出每公里小计")));
    m_pGrid->AddItem(general, std::make_unique<CPropertyItemBool>(
                                  MarkCentres, QStringLiteral("标注调配起讫桩号（土体重心桩号）")));
    m_pGrid->AddItem(
        general, std::make_unique<CPropertyItemBool>(SixClass, QStringLiteral("输出六类土石信息")));
    m_pGrid->AddItem(general, std::make_unique<CPropertyItemBool>(
                                  SixClassDiagram, QStringLiteral("调配图中输出六类土石信息")));
    m_pGrid->AddItem(general,
                     std::make_unique<CPropertyItemInt>(
                         QtyDecimals, QStringLiteral("调配图中数量小数位"), defaults.qtyDecimals));
    m_pGrid->AddItem(
        general, std::make_unique<CPropertyItemInt>(
                     DistDecimals, QStringLiteral("调配图中运距小数位"), defaults.distDecimals));
    m_pGrid->AddItem(general,
                     std::make_unique<CPropertyItemInt>(
                         StaDecimals, QStringLiteral("调配图中桩号小数位"), defaults.staDecimals));
    const int kinds = m_pGrid->AddCategory(QStringLiteral("土方输出类型"));
    for (int id = YCalcTableOptions::RemSoil; id <= YCalcTableOptions::NeedRock; ++id) {
        const auto item = YCalcTableOptions::Item(id);
        m_pGrid->AddItem(kinds, std::make_unique<CPropertyItemTf>(
                                    id, YCalcTableOptions::ItemName(item), defaults.Natural(item)));
    }
    modeLayout->addWidget(m_pGrid);
    modeLayout->addWidget(new QLabel(
        QStringLiteral("  请分别指定输出土方计算表中各项数量以压实方或以自然方形式输出。"), mode));
    layout->addWidget(mode);

    auto* range = new QGroupBox(QStringLiteral("输出范围"), this);
    auto* rangeLayout = new QHBoxLayout(range);
    m_pTotal = new QLineEdit(range);
    m_pTotal->setReadOnly(true);
    m_pFrom = new QSpinBox(range);
    m_pTo = new QSpinBox(range);
    rangeLayout->addWidget(new QLabel(QStringLiteral("总页数"), range));
    rangeLayout->addWidget(m_pTotal);
    rangeLayout->addWidget(new QLabel(QStringLiteral("输出从"), range));
    rangeLayout->addWidget(m_pFrom);
    rangeLayout->addWidget(new QLabel(QStringLiteral("到"), range));
    rangeLayout->addWidget(m_pTo);
    rangeLayout->addWidget(new QLabel(QStringLiteral("页."), range));
    layout->addWidget(range);

    QDialogButtonBox* buttons = YOkCancel::Make(*this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("输出"));
    layout->addWidget(buttons);

    connect(m_pGrid, &YPropertyGrid::ItemChanged, this, [this](int id) {
        if (id == PerKm) {
            BuildPages();
        }
    });
    BuildPages();
    resize(520, 560);
}

void YDvxjsBDlg::BuildPages() {
    const bool perKm = m_pGrid->Value(PerKm).toBool();
    const int pages = m_table.Prepare(perKm) ? int(m_table.Pages().size()) : 0;
    m_pTotal->setText(QString::number(pages));
    for (QSpinBox* box : {m_pFrom, m_pTo}) {
        box->setRange(pages > 0 ? 1 : 0, pages);
    }
    m_pFrom->setValue(pages > 0 ? 1 : 0);
    m_pTo->setValue(pages);
}

YCalcTableOptions YDvxjsBDlg::Options() const {
    YCalcTableOptions opt;
    opt.perKm = m_pGrid->Value(PerKm).toBool();
    opt.markCentres = m_pGrid->Value(MarkCentres).toBool();
    opt.sixClass = m_pGrid->Value(SixClass).toBool();
    opt.sixClassDiagram = m_pGrid->Value(SixClassDiagram).toBool();
    opt.qtyDecimals = m_pGrid->Value(QtyDecimals).toInt();
    opt.distDecimals = m_pGrid->Value(DistDecimals).toInt();
    opt.staDecimals = m_pGrid->Value(StaDecimals).toInt();
    for (int id = YCalcTableOptions::RemSoil; id <= YCalcTableOptions::NeedRock; ++id) {
        opt.natural[size_t(id)] = m_pGrid->Value(id).toInt() == 1;
    }
    opt.fromPage = m_pFrom->value();
    opt.toPage = m_pTo->value();
    return opt;
}
