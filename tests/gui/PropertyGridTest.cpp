#include "GuiTestSupport.h"
#include "gui/widgets/CPropertyItemBool.h"
#include "gui/widgets/CPropertyItemDouble.h"
#include "gui/widgets/CPropertyItemInt.h"
#include "gui/widgets/CPropertyItemList.h"
#include "gui/widgets/CPropertyItemString.h"
#include "gui/widgets/YPropertyGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A grid with one item of every kind in two categories.
struct GridFixture : ::testing::Test {
    YPropertyGrid grid;
    QList<int> changed;

    void SetUp() override {
        const int options = grid.AddCategory(QStringLiteral("选项"));
        const int params = grid.AddCategory(QStringLiteral("参数"));
        grid.AddItem(options, std::make_unique<CPropertyItemList>(
                                  1, QStringLiteral("首要原则"),
                                  QStringList{QStringLiteral("甲"), QStringLiteral("乙")}));
        grid.AddItem(options, std::make_unique<CPropertyItemBool>(6, QStringLiteral("开关")));
        grid.AddItem(params,
                     std::make_unique<CPropertyItemDouble>(101, QStringLiteral("比例"), 50));
        grid.AddItem(params, std::make_unique<CPropertyItemInt>(3, QStringLiteral("行"), 1));
        grid.AddItem(params, std::make_unique<CPropertyItemString>(2, QStringLiteral("后缀")));
        QObject::connect(&grid, &YPropertyGrid::ItemChanged,
                         [this](int id) { changed.append(id); });
        grid.resize(300, 300);
        grid.show();
    }

    template <class W> W* EditorOf(int id) { return qobject_cast<W*>(grid.Editor(id)); }
    void TypeInto(int id, const QString& text) { dalvex::test::TypeInGrid(grid, id, text); }
};

TEST_F(GridFixture, CategoriesHoldTheirItemsInOrder) {
    ASSERT_EQ(grid.topLevelItemCount(), 2);
    EXPECT_EQ(grid.topLevelItem(0)->text(0), QStringLiteral("选项"));
    ASSERT_EQ(grid.topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(grid.topLevelItem(0)->child(1)->text(0), QStringLiteral("开关"));
    EXPECT_EQ(grid.topLevelItem(1)->childCount(), 3);
    EXPECT_EQ(grid.Item(999), nullptr);
    EXPECT_FALSE(grid.Value(999).isValid());
}

TEST_F(GridFixture, UserEditsAreStoredAndReportedById) {
    EditorOf<QCheckBox>(6)->setChecked(true);
    TypeInto(101, QStringLiteral("62.5"));
    TypeInto(3, QStringLiteral("4"));
    TypeInto(2, QStringLiteral("txt"));
    auto* combo = EditorOf<QComboBox>(1);
    combo->setCurrentIndex(1);
    emit combo->activated(1);

    EXPECT_EQ(changed, (QList<int>{6, 101, 3, 2, 1}));
    EXPECT_TRUE(grid.Value(6).toBool());
    EXPECT_DOUBLE_EQ(grid.Value(101).toDouble(), 62.5);
    EXPECT_EQ(grid.Value(3).toInt(), 4);
    EXPECT_EQ(grid.Value(2).toString(), QStringLiteral("txt"));
    EXPECT_EQ(grid.Value(1).toInt(), 1);
}

TEST_F(GridFixture, UnreadableOrUnchangedNumbersReportNothing) {
    TypeInto(101, QStringLiteral("abc"));
    TypeInto(3, QStringLiteral("1.5"));
    TypeInto(101, QStringLiteral("50.0"));
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_DOUBLE_EQ(grid.Value(101).toDouble(), 50.0);
    EXPECT_EQ(EditorOf<QLineEdit>(101)->text(), QStringLiteral("50"));
    EXPECT_EQ(EditorOf<QLineEdit>(3)->text(), QStringLiteral("1"));
}

TEST_F(GridFixture, SetValueShowsWithoutReportingAndDisabledItemsIgnoreEdits) {
    grid.SetValue(6, true);
    grid.SetValue(101, 12.25);
    EXPECT_TRUE(EditorOf<QCheckBox>(6)->isChecked());
    EXPECT_EQ(EditorOf<QLineEdit>(101)->text(), QStringLiteral("12.25"));

    grid.EnableItem(101, false);
    EXPECT_FALSE(grid.IsItemEnabled(101));
    EXPECT_FALSE(EditorOf<QLineEdit>(101)->isEnabled());
    TypeInto(101, QStringLiteral("7"));
    EXPECT_DOUBLE_EQ(grid.Value(101).toDouble(), 12.25);
    EXPECT_TRUE(changed.isEmpty());

    grid.EnableItem(101, true);
    EXPECT_TRUE(EditorOf<QLineEdit>(101)->isEnabled());
    EXPECT_EQ(EditorOf<QLineEdit>(101)->text(), QStringLiteral("12.25"));
}

// A list whose entries come from outside, asked for again at every redraw.
class CountingList : public CPropertyItemList {
  public:
    using CPropertyItemList::CPropertyItemList;
    QStringList source;
    QStringList Entries() const override { return source; }
};

TEST(PropertyGrid, EditableListKeepsTypedTextAndRereadsEntries) {
    YPropertyGrid grid;
    const int cat = grid.AddCategory(QStringLiteral("数据格式"));
    auto owned = std::make_unique<CountingList>(1, QStringLiteral("文件类型"), QStringList{}, true);
    CountingList* list = owned.get();
    list->source = {QStringLiteral("纬地")};
    grid.AddItem(cat, std::move(owned));
    auto* combo = qobject_cast<QComboBox*>(grid.Editor(1));
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(combo->count(), 1);

    QSignalSpy spy(&grid, &YPropertyGrid::ItemChanged);
    dalvex::test::TypeInGrid(grid, 1, QStringLiteral("新格式"));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(grid.Value(1).toString(), QStringLiteral("新格式"));
    EXPECT_EQ(list->Index(), -1);

    list->source = {QStringLiteral("纬地"), QStringLiteral("新格式")};
    grid.Redraw();
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(list->Index(), -1); // the index is not re-derived by a redraw
    grid.SetValue(1, QStringLiteral("新格式"));
    EXPECT_EQ(list->Index(), 1);
    EXPECT_EQ(combo->currentText(), QStringLiteral("新格式"));
}

TEST_F(GridFixture, RemoveAllEmptiesTheGrid) {
    grid.RemoveAll();
    EXPECT_EQ(grid.topLevelItemCount(), 0);
    EXPECT_EQ(grid.Item(1), nullptr);
    const int again = grid.AddCategory(QStringLiteral("丙"));
    EXPECT_NE(grid.AddItem(again, std::make_unique<CPropertyItemBool>(1, QStringLiteral("丁"))),
              nullptr);
}

} // namespace
