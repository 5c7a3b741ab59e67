#include "GuiTestSupport.h"

#include "core/import/TfFormat.h"
#include "core/platform/YProfile.h"
#include "gui/app/YFormatMenu.h"
#include "gui/dialogs/YReadTfDlg.h"
#include "gui/widgets/YPropertyGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

// Format slots in a profile of the test's own.
struct Formats : ::testing::Test {
    ScratchDir dir;
    YRecordingUserIO io;

    void SetUp() override { YProfile::UseFile(dir.Path(QStringLiteral("profile.ini"))); }

    static void Define(int slot, const QString& name, int stationCol = 1) {
        YProfile& profile = YProfile::Instance();
        profile.WriteString(TfFormat::Section(slot), QString(), name);
        profile.WriteString(TfFormat::Section(slot), QStringLiteral("后缀"), QStringLiteral("txt"));
        profile.WriteInt(TfFormat::Section(slot), QStringLiteral("桩号"), stationCol);
    }
};

TEST_F(Formats, SubmenuListsFormatsUpToTheFirstGap) {
    const struct {
        const char* name;
        QStringList slotNames;
        std::vector<int> ids;
        QStringList texts;
    } rows[] = {
        {"none", {}, {33000}, {QStringLiteral("&1 我有新格式土方文件")}},
        {"gap at slot 2",
         {QStringLiteral("甲"), QStringLiteral("乙"), QString(), QStringLiteral("丁")},
         {33000, 33001, 33002},
         {QStringLiteral("&1 读入 甲 土方文件"), QStringLiteral("&2 读入 乙 土方文件"),
          QStringLiteral("&3 我有新格式土方文件")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto entries =
            YFormatMenu::Entries([&](int slot) { return row.slotNames.value(slot); });
        std::vector<int> ids;
        QStringList texts;
        for (const auto& e : entries) {
            ids.push_back(e.nId);
            texts << e.strText;
        }
        EXPECT_EQ(ids, row.ids);
        EXPECT_EQ(texts, row.texts);
    }
    // Ten defined formats: ten import items and no new-format item.
    const auto ten = YFormatMenu::Entries([](int slot) { return QStringLiteral("F%1").arg(slot); });
    ASSERT_EQ(ten.size(), 10u);
    EXPECT_EQ(ten.back().nId, 33009);
    EXPECT_EQ(ten.back().strText, QStringLiteral("&10 读入 F9 土方文件"));
}

TEST_F(Formats, DialogShowsTheSlotAndReloadsWhenAnotherFormatIsPicked) {
    Define(0, QStringLiteral("甲"), 2);
    Define(1, QStringLiteral("乙"), 5);
    YReadTfDlg dlg(0, io);
    YPropertyGrid& grid = dlg.Grid();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("土方数据格式 选择/修改/定义"));
    auto* names = qobject_cast<QComboBox*>(grid.Editor(1));
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->count(), 2);
    EXPECT_EQ(names->currentText(), QStringLiteral("甲"));
    EXPECT_EQ(grid.Value(4).toInt(), 2);
    names->setCurrentIndex(1);
    emit names->activated(1);
    EXPECT_EQ(dlg.Format().m_strName, QStringLiteral("乙"));
    EXPECT_EQ(grid.Value(4).toInt(), 5);
    // The height column follows the tick of "读入填挖高度".
    EXPECT_TRUE(grid.IsItemEnabled(8));
    qobject_cast<QCheckBox*>(grid.Editor(7))->setChecked(false);
    EXPECT_FALSE(grid.IsItemEnabled(8));
    EXPECT_EQ(dlg.Format().m_bReadHeight, 0);
}

TEST_F(Formats, OkChecksNameAndColumnsAndTheFormatIsStoredEvenAfterCancel) {
    {
        YReadTfDlg dlg(-1, io);
        dlg.show();
        EXPECT_EQ(dlg.Format().m_strName, QStringLiteral("自定义"));
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        TypeInGrid(dlg.Grid(), 1, QStringLiteral("新格式"));
        TypeInGrid(dlg.Grid(), 5, QStringLiteral("4")); // cut and fill both in column 4
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        TypeInGrid(dlg.Grid(), 5, QStringLiteral("3"));
        TypeInGrid(dlg.Grid(), 2, QStringLiteral("dat"));
        dlg.reject();
    }
    EXPECT_EQ(io.Texts(), (QStringList{QStringLiteral("请先输入文件类型!"),
                                       QStringLiteral("输入数据列重复！")}));
    EXPECT_EQ(TfFormat::SlotName(0), QStringLiteral("新格式"));
    EXPECT_EQ(TfFormat::Load(0).m_strSuffix, QStringLiteral("dat"));
    // An untouched placeholder is not stored.
    { YReadTfDlg untouched(-1, io); }
    EXPECT_TRUE(TfFormat::SlotName(1).isEmpty());
}

} // namespace
