#include "gui/dialogs/YPreprocessDlg.h"

#include "gui/dialogs/YOkCancel.h"

#include "gui/dialogs/YRangeCheck.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char* const ClassNames[6] = {"利用Ⅰ类(松土)", "利用Ⅱ类(普通土)", "利用Ⅲ类(硬土)",
                                   "利用Ⅳ类(软石)", "利用Ⅴ类(次坚石)", "利用Ⅵ类(坚石)"};
} // namespace

YPreprocessDlg::YPreprocessDlg(YUserIO& io, QWidget* parent) : QDialog(parent), m_io(io) {
    setWindowTitle(QStringLiteral("数据预处理"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(MakeMethodGroup(), 0, 0, 1, 2);
    layout->addWidget(MakeReuseGroup(), 1, 0);
    layout->addWidget(MakeTroughGroup(), 1, 1);
    layout->addWidget(MakeLossGroup(), 2, 0);
    auto* noteBox = new QGroupBox(QStringLiteral("说明"), this);
    m_pNote = new QLabel(noteBox);
    m_pNote->setObjectName(QStringLiteral("note"));
    m_pNote->setWordWrap(true);
    m_pNote->setMinimumSize(220, 48);
    m_pNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    (new QVBoxLayout(noteBox))->addWidget(m_pNote);
    layout->addWidget(noteBox, 2, 1);
    QDialogButtonBox* buttons = YOkCancel::Make(*this);
    layout->addWidget(buttons, 3, 0, 1, 2);
    m_pMethod->setFocus();
}

QWidget* YPreprocessDlg::MakeMethodGroup() {
    auto* group = new QGroupBox(QStringLiteral("方量计算"), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(QStringLiteral("计算方法"), group));
    m_pMethod = new QComboBox(group);
    m_pMethod->addItems({QStringLiteral("平均断面法（一般推荐采用）"), QStringLiteral("棱台法")});
    m_pMethod->setCurrentIndex(0);
    row->addWidget(m_pMethod, 1);
    Explain(m_pMethod, QStringLiteral("选择根据断面面积计算土石方方量的计算方法"));
    return group;
}

QWidget* YPreprocessDlg::MakeReuseGroup() {
    auto* group = new QGroupBox(QStringLiteral("本桩利用"), this);
    auto* column = new QVBoxLayout(group);
    for (int k = 1; k <= 6; ++k) {
        auto* box = new QCheckBox(QString::fromUtf8(ClassNames[k - 1]), group);
        box->setChecked(k <= 3); // soil is reused by default, rock is not
        column->addWidget(box);
        m_pReuse[size_t(k - 1)] = box;
        Explain(box, k == 1   ? QStringLiteral("选择本桩利用是否利用土方。")
                     : k == 4 ? QStringLiteral("选择本桩利用是否利用石方。")
                              : QString());
    }
    return group;
}

QWidget* YPreprocessDlg::MakeTroughGroup() {
    auto* group = new QGroupBox(QStringLiteral("扣除路槽"), this);
    auto* column = new QVBoxLayout(group);
    const auto pair = [&](QRadioButton*& first, QRadioButton*& second, const QString& a,
                          const QString& b, const QString& noteA, const QString& noteB) {
        auto* buttons = new QButtonGroup(group);
        first = new QRadioButton(a, group);
        second = new QRadioButton(b, group);
        buttons->addButton(first);
        buttons->addButton(second);
        first->setChecked(true);
        column->addWidget(first);
        column->addWidget(second);
        Explain(first, noteA);
        Explain(second, noteB);
    };
    pair(m_pByCentre, m_pByDepth, QStringLiteral("根据中桩填挖控制"),
         QStringLiteral("根据路槽深度控制"),
         QStringLiteral("扣除路槽面积时使用中桩填挖高度来判定断面填挖。"),
         QStringLiteral("扣除路槽土方面积时使用路槽深度及中桩填挖高度来判定断面填挖。"));
    column->addSpacing(8);
    pair(m_pToZero, m_pToCut, QStringLiteral("将填方扣完为止"),
         QStringLiteral("将填方扣完且出现挖方"),
         QStringLiteral("填方断面扣除路槽面积时仅将填方面积扣为零，不足部分不转为挖方。"),
         QStringLiteral("填方断面扣除路槽面积时将填方面积扣为零，不足部分转为挖方。"));
    column->addStretch(1);
    return group;
}

QWidget* YPreprocessDlg::MakeLossGroup() {
    auto* group = new QGroupBox(QStringLiteral("土石方损耗率"), this);
    auto* grid = new QGridLayout(group);
    const auto edit = [&](int row, const QString& label, const QString& note) {
        auto* line = new QLineEdit(QStringLiteral("0"), group);
        line->setAlignment(Qt::AlignRight);
        grid->addWidget(new QLabel(label, group), row, 0);
        grid->addWidget(line, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("%"), group), row, 2);
        Explain(line, note);
        return line;
    };
    m_pSoilLoss = edit(0, QStringLiteral("土方"), QStringLiteral("挖方中土方在调配过程中的损耗率"));
    m_pRockLoss = edit(1, QStringLiteral("石方"), QStringLiteral("挖方中石方在调配过程中的损耗率"));
    return group;
}

void YPreprocessDlg::Explain(QWidget* control, const QString& text) {
    m_notes[control] = text;
    control->installEventFilter(this);
}

bool YPreprocessDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto it = m_notes.find(watched);
        if (it != m_notes.end()) {
            m_pNote->setText(it->second);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void YPreprocessDlg::accept() {
    const std::optional<double> soil =
        YRangeCheck::Read(*m_pSoilLoss, 0.0, YPreprocessOptions::MaxLossRate, m_io);
    if (!soil) {
        return;
    }
    const std::optional<double> rock =
        YRangeCheck::Read(*m_pRockLoss, 0.0, YPreprocessOptions::MaxLossRate, m_io);
    if (!rock) {
        return;
    }
    quint32 word = m_pMethod->currentIndex() == 1 ? YPreprocessOptions::Prismoidal
                                                  : YPreprocessOptions::AverageArea;
    for (int k = 1; k <= 6; ++k) {
        if (m_pReuse[size_t(k - 1)]->isChecked()) {
            word |= 1u << (k - 1);
        }
    }
    if (m_pByDepth->isChecked()) {
        word |= YPreprocessOptions::TroughByDepth;
    }
    if (m_pToCut->isChecked()) {
        word |= YPreprocessOptions::TroughToCut;
    }
    m_options = YPreprocessOptions::Make(word, *soil, *rock);
    QDialog::accept();
}
