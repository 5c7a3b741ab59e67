#include "GuiTestSupport.h"

#include "gui/dialogs/YPreprocessDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

TEST(PreprocessDlg, DefaultsGiveTheDefaultOptionsWord) {
    YRecordingUserIO io;
    YPreprocessDlg dlg(io);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("数据预处理"));
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(dlg.ReuseBox(k)->isChecked(), k <= 3) << k;
    }
    EXPECT_EQ(dlg.SoilLossEdit()->text(), QStringLiteral("0"));
    dlg.show();
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Options().nOptions, YPreprocessOptions::DefaultWord);
    EXPECT_DOUBLE_EQ(dlg.Options().dSoilFactor, 1.0);
    EXPECT_DOUBLE_EQ(dlg.Options().dRockFactor, 1.0);
    EXPECT_TRUE(io.Messages().empty());
}

TEST(PreprocessDlg, ChoicesArePackedIntoTheWordAndTheFactors) {
    YRecordingUserIO io;
    YPreprocessDlg dlg(io);
    dlg.MethodCombo()->setCurrentIndex(1);
    dlg.ReuseBox(2)->setChecked(false);
    dlg.ReuseBox(4)->setChecked(true);
    dlg.ByDepthRadio()->setChecked(true);
    dlg.ToCutRadio()->setChecked(true);
    dlg.SoilLossEdit()->setText(QStringLiteral("20"));
    dlg.RockLossEdit()->setText(QStringLiteral("2.5"));
    dlg.show();
    dlg.accept();
    EXPECT_EQ(dlg.Options().nOptions, 0x2000u | 0x100u | 0x200u | 1u | 4u | 8u);
    EXPECT_DOUBLE_EQ(dlg.Options().dSoilFactor, 0.8);
    EXPECT_DOUBLE_EQ(dlg.Options().dRockFactor, 0.975);
}

TEST(PreprocessDlg, LossRatesOutsideZeroToTwentyAreRefused) {
    const char* bad[] = {"-1", "20.5", "abc", ""};
    for (const char* text : bad) {
        YRecordingUserIO io;
        YPreprocessDlg dlg(io);
        dlg.show();
        dlg.RockLossEdit()->setText(QString::fromLatin1(text));
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible()) << text;
        ASSERT_EQ(io.Texts().size(), 1) << text;
        EXPECT_TRUE(io.Texts().constFirst() == QStringLiteral("请输入介于 0 和 20 之间的数字。") ||
                    io.Texts().constFirst() == QStringLiteral("请输入一个数字。"));
    }
}

TEST(PreprocessDlg, NoteExplainsTheControlWithTheFocus) {
    YRecordingUserIO io;
    YPreprocessDlg dlg(io);
    const auto radios = dlg.findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 4);
    const struct {
        QWidget* control;
        const char* note;
    } rows[] = {
        {dlg.MethodCombo(), "选择根据断面面积计算土石方方量的计算方法"},
        {dlg.ReuseBox(1), "选择本桩利用是否利用土方。"},
        {dlg.ReuseBox(4), "选择本桩利用是否利用石方。"},
        {dlg.ReuseBox(2), ""},
        {radios[0], "扣除路槽面积时使用中桩填挖高度来判定断面填挖。"},
        {radios[1], "扣除路槽土方面积时使用路槽深度及中桩填挖高度来判定断面填挖。"},
        {radios[2], "填方断面扣除路槽面积时仅将填方面积扣为零，不足部分不转为挖方。"},
        {radios[3], "填方断面扣除路槽面积时将填方面积扣为零，不足部分转为挖方。"},
        {dlg.SoilLossEdit(), "挖方中土方在调配过程中的损耗率"},
        {dlg.RockLossEdit(), "挖方中石方在调配过程中的损耗率"},
    };
    for (const auto& row : rows) {
        QFocusEvent focus(QEvent::FocusIn);
        QApplication::sendEvent(row.control, &focus);
        EXPECT_EQ(dlg.NoteLabel()->text(), QString::fromUtf8(row.note)) << row.note;
    }
}

} // namespace
