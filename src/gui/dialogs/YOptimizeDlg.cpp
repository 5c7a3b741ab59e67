#include "gui/dialogs/YOptimizeDlg.h"

#include "gui/dialogs/YOkCancel.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLocale>

namespace {

QDoubleSpinBox* CostBox(QWidget* parent, double value) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0.0, 1e6);
    box->setDecimals(0);
    box->setSuffix(QStringLiteral(" m"));
    box->setValue(value);
    return box;
}

QString Cost(double v) {
    return QLocale::c().toString(v, 'f', 0);
}

} // namespace

YOptimizeDlg::YOptimizeDlg(const YDPCostModel::Options& start, QWidget* parent)
    : QDialog(parent), m_pLimit(CostBox(this, start.dHaulLimit)),
      m_pBorrow(CostBox(this, start.dBorrow)), m_pWaste(CostBox(this, start.dWaste)),
      m_pLocalTake(CostBox(this, start.dLocalTake)), m_pLocalDump(CostBox(this, start.dLocalDump)) {
    setWindowTitle(QStringLiteral("最优调配"));
    m_pLimit->setMinimum(1.0);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("经济运距"), m_pLimit);
    form->addRow(QStringLiteral("借方费用（每方折合运距）"), m_pBorrow);
    form->addRow(QStringLiteral("弃方费用（每方折合运距）"), m_pWaste);
    form->addRow(QStringLiteral("就地取土费用（每方折合运距）"), m_pLocalTake);
    form->addRow(QStringLiteral("就地弃土费用（每方折合运距）"), m_pLocalDump);
    form->addRow(YOkCancel::Make(*this));
    connect(m_pLimit, &QDoubleSpinBox::valueChanged, this, [this](double limit) {
        const YDPCostModel::Options o = YDPCostModel::Options::ForLimit(limit);
        m_pLocalTake->setValue(o.dLocalTake);
        m_pLocalDump->setValue(o.dLocalDump);
    });
}

YDPCostModel::Options YOptimizeDlg::Options() const {
    YDPCostModel::Options o = YDPCostModel::Options::ForLimit(m_pLimit->value());
    o.dBorrow = m_pBorrow->value();
    o.dWaste = m_pWaste->value();
    o.dLocalTake = m_pLocalTake->value();
    o.dLocalDump = m_pLocalDump->value();
    return o;
}

QString YOptimizeDlg::SummaryText(const YDPOptimizer::Comparison& c) {
    QString text = QStringLiteral("最优调配完成：%1 步，%2 个调配过程。\n调配前费用：%3 m³·m\n"
                                  "调配后费用：%4 m³·m")
                       .arg(c.run.nSteps)
                       .arg(c.run.nProcesses)
                       .arg(Cost(c.before.dTotal), Cost(c.after.dTotal));
    if (c.bAutoPriced && c.autoPlan.dTotal > 0) {
        const double saved = (c.autoPlan.dTotal - c.after.dTotal) / c.autoPlan.dTotal * 100.0;
        text += QStringLiteral("\n自动调配的费用：%1 m³·m（最优调配低 %2%）")
                    .arg(Cost(c.autoPlan.dTotal), QLocale::c().toString(saved, 'f', 1));
    }
    return text;
}
