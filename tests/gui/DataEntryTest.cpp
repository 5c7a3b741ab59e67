#include "GuiTestSupport.h"

#include "core/db/YDatabase.h"
#include "core/db/YPrjFDSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YProfile.h"
#include "gui/dialogs/YGridDelegate.h"
#include "gui/dialogs/YGzwDlg.h"
#include "gui/dialogs/YLcDlg.h"
#include "gui/dialogs/YQutkDlg.h"
#include "gui/dialogs/YSQXDlg.h"
#include "gui/dialogs/YSelDPFDDlg.h"
#include "gui/dialogs/YTshlDlg.h"
#include "gui/dialogs/YZzmjDlg.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

// A new project of its own, with a profile of its own.
struct DataEntry : ::testing::Test {
    ScratchDir dir;
    YRecordingUserIO io;
    ScriptedChooser chooser;
    std::unique_ptr<CDalvexDoc> doc;

    void SetUp() override {
        YProfile::UseFile(dir.Path(QStringLiteral("profile.ini")));
        doc = std::make_unique<CDalvexDoc>(io);
        ASSERT_TRUE(doc->OnNewDocument(dir.Path(QStringLiteral("p.dvx"))));
    }
    void TearDown() override {
        doc->DeleteContents();
        Settle();
    }

    YDatabase& Db() { return doc->GetDatabase(); }
    void Exec(const QString& sql, const QVariantList& params = {}) {
        ASSERT_TRUE(Db().Exec(sql, params)) << Db().LastError().toStdString();
    }
    QVariant Value(const QString& sql) { return Db().QueryValue(sql).value_or(QVariant()); }
};

TEST(GridModel, NumbersShowWithOneToThreeDecimals) {
    const struct {
        double value;
        const char* text;
    } rows[] = {{12, "12.0"},       {12.3456, "12.346"}, {0.1, "0.1"},     {-0.0001, "0.0"},
                {1e6, "1000000.0"}, {2.5, "2.5"},        {12.34, "12.34"}, {-3.0005, "-3.001"}};
    for (const auto& row : rows) {
        EXPECT_EQ(YGridModel::FormatNumber(row.value), QString::fromLatin1(row.text)) << row.value;
    }
}

TEST_F(DataEntry, EditingOneOfTwoEqualRowsChangesOnlyThatRow) {
    for (int i = 0; i < 2; ++i) {
        Exec(QStringLiteral("INSERT INTO [路槽] ([桩号],[高度],[宽度],[sta]) VALUES "
                            "('K0+100.000', 0.8, 7.5, 100)"));
    }
    YLcDlg dlg(*doc, chooser);
    YGridModel& model = dlg.Model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(0, YGridModel::ModelColumn(1)).data().toString(), QStringLiteral("0.8"));
    ASSERT_TRUE(model.setData(model.index(1, YGridModel::ModelColumn(2)), 9.25));
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM [路槽] WHERE [宽度] = 9.25")).toInt(), 1);
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM [路槽] WHERE [宽度] = 7.5")).toInt(), 1);
    // Deleting one of them leaves the other.
    dlg.View().setCurrentIndex(model.index(0, 1));
    dlg.DeleteButton()->click();
    EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM [路槽]")).toInt(), 1);
    EXPECT_EQ(model.rowCount(), 1);
}

TEST_F(DataEntry, GridFormatsAndTheCrossingFlag) {
    Exec(QStringLiteral(
        "INSERT INTO [构造物] ([起始桩号],[终止桩号],[名称],[跨径],[能否跨越],"
        "[绕行距离],[ssta]) VALUES ('K0+100.000','K0+160.000','大桥',30,1,NULL,100)"));
    YGzwDlg dlg(*doc, chooser);
    YGridModel& model = dlg.Model();
    EXPECT_TRUE(dlg.View().isColumnHidden(0));
    EXPECT_EQ(model.index(0, 4).data().toString(), QStringLiteral("30.0"));
    EXPECT_EQ(model.index(0, 5).data().toString(), QStringLiteral("可跨越"));
    EXPECT_EQ(model.index(0, 6).data().toString(), QString()); // no detour
    // The flag is edited through a list of the two texts.
    YGridDelegate delegate;
    QWidget parent;
    std::unique_ptr<QWidget> editor(delegate.createEditor(&parent, {}, model.index(0, 5)));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    delegate.setEditorData(combo, model.index(0, 5));
    EXPECT_EQ(combo->currentText(), QStringLiteral("可跨越"));
    combo->setCurrentIndex(1);
    delegate.setModelData(combo, &model, model.index(0, 5));
    EXPECT_EQ(Value(QStringLiteral("SELECT [能否跨越] FROM [构造物]")).toInt(), 0);
    EXPECT_EQ(model.index(0, 5).data().toString(), QStringLiteral("不可跨越"));
    // A number cell refuses text that is no number, and says so.
    std::unique_ptr<QWidget> line(delegate.createEditor(&parent, {}, model.index(0, 4)));
    static_cast<QLineEdit*>(line.get())->setText(QStringLiteral("abc"));
    delegate.setModelData(line.get(), &model, model.index(0, 4));
    EXPECT_DOUBLE_EQ(Value(QStringLiteral("SELECT [跨径] FROM [构造物]")).toDouble(), 30.0);
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("跨径：不是数字")});
    // Resizable from its opening size.
    EXPECT_EQ(dlg.minimumSize(), dlg.size());
    EXPECT_NE(dlg.maximumSize(), dlg.size());
}

// What is typed into a cell is held to the range of its column: the cell keeps its value and
// the designer is told which column and why.
TEST_F(DataEntry, CellsRefuseNumbersNoRoadCanHave) {
    Exec(QStringLiteral("INSERT INTO [土石含量] ([桩号],[松土],[普通土],[硬土],[软石],[次坚石],"
                        "[坚石],[sta]) VALUES ('K0+000.000', 100, 0, 0, 0, 0, 0, 0)"));
    Exec(QStringLiteral("INSERT INTO [逐桩断面] ([桩号],[挖方面积],[填方面积],[中桩填挖],[sta]) "
                        "VALUES ('K0+000.000', 1, 0, -1, 0)"));
    YTshlDlg contents(*doc, chooser);
    YZzmjDlg sections(*doc, chooser);
    const struct {
        YGridDlg* dlg;
        const char* column;
        const char* typed;
        const char* refusal; // empty: accepted
    } cases[] = {
        {&contents, "松土", "100.5", "松土：百分比超出范围（0～100）"},
        {&contents, "普通土", "-1", "普通土：百分比超出范围（0～100）"},
        {&contents, "松土利用率", "inf", "松土利用率：百分比超出范围（0～100）"},
        {&contents, "硬土", "0", ""},
        {&sections, "挖方面积", "1e308", "挖方面积：面积超出范围（须小于1e7 m²）"},
        {&sections, "中桩填挖", "-20000", "中桩填挖：高度超出范围（-1e4～1e4 m）"},
        {&sections, "填方面积", "12.5", ""},
    };
    YGridDelegate delegate;
    QWidget parent;
    for (const auto& c : cases) {
        io.Clear();
        YGridModel& model = c.dlg->Model();
        int shown = 0;
        while (model.Columns()[size_t(shown)].name != QString::fromUtf8(c.column)) {
            ++shown;
        }
        const QModelIndex cell = model.index(0, YGridModel::ModelColumn(shown));
        const QVariant before = cell.data(Qt::EditRole);
        std::unique_ptr<QWidget> line(delegate.createEditor(&parent, {}, cell));
        static_cast<QLineEdit*>(line.get())->setText(QString::fromUtf8(c.typed));
        delegate.setModelData(line.get(), &model, cell);
        const QString query = QStringLiteral("SELECT [%1] FROM [%2]")
                                  .arg(QString::fromUtf8(c.column), model.tableName());
        if (*c.refusal != 0) {
            EXPECT_EQ(io.Texts(), QStringList{QString::fromUtf8(c.refusal)}) << c.typed;
            EXPECT_EQ(Value(query), before) << c.typed;
        } else {
            EXPECT_TRUE(io.Texts().isEmpty()) << c.typed;
            EXPECT_DOUBLE_EQ(Value(query).toDouble(), QString::fromUtf8(c.typed).toDouble());
        }
    }
}

TEST_F(DataEntry, ReadOnlyOncePreprocessingResultsExist) {
    Exec(QStringLiteral("INSERT INTO [土石计算] ([分段编号],[起始桩号],[终止桩号]) "
                        "VALUES (-1, 0, 20)"));
    const struct {
        std::function<std::unique_ptr<YGridDlg>()> make;
        const char* title;
        bool cellsEditable;
    } rows[] = {
        {[&] { return std::make_unique<YLcDlg>(*doc, chooser); }, "路槽数据(只读)", false},
        {[&] { return std::make_unique<YTshlDlg>(*doc, chooser); }, "土石含量(只读)", false},
        {[&] { return std::make_unique<YSQXDlg>(*doc, chooser); }, "纵坡数据录入(只读)", false},
        {[&] { return std::make_unique<YZzmjDlg>(*doc, chooser); }, "逐桩面积(只读)", false},
        {[&] { return std::make_unique<YGzwDlg>(*doc, chooser); }, "构造物(部分只读)", true},
        {[&] { return std::make_unique<YQutkDlg>(*doc, chooser); }, "取土坑(部分只读)", true},
    };
    for (const auto& row : rows) {
        auto dlg = row.make();
        SCOPED_TRACE(row.title);
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8(row.title));
        EXPECT_FALSE(dlg->ImportButton()->isEnabled());
        EXPECT_FALSE(dlg->AddButton()->isEnabled());
        EXPECT_FALSE(dlg->DeleteButton()->isEnabled());
        EXPECT_EQ(dlg->Model().AppendRow(), -1);
        const bool editable = (dlg->Model().flags(dlg->Model().index(0, 1)) & Qt::ItemIsEditable);
        if (dlg->Model().rowCount() > 0) {
            EXPECT_EQ(editable, row.cellsEditable);
        }
        EXPECT_EQ(dlg->Model().GetAccess(),
                  row.cellsEditable ? YGridModel::Access::CellsOnly : YGridModel::Access::ReadOnly);
    }
}

TEST_F(DataEntry, OkChecksOfContentsAndDuplicateStations) {
    Exec(QStringLiteral("INSERT INTO [土石含量] ([桩号],[松土],[普通土],[硬土],[软石],[次坚石],"
                        "[坚石],[sta]) VALUES ('K0+000.000', 33.3, 33.3, 33.3, 0, 0, 0, 0)"));
    {
        YTshlDlg dlg(*doc, chooser);
        dlg.show();
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_TRUE(dlg.Model().setData(dlg.Model().index(0, 6), 33.4));
        dlg.accept();
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("土石成分数据输入错误！")});
    io.Clear();
    for (double sta : {0.0, 20.0}) {
        Exec(
            QStringLiteral("INSERT INTO [逐桩断面] ([桩号],[挖方面积],[填方面积],[中桩填挖],[sta]) "
                           "VALUES ('K0+000.000', 1, 0, -1, ?)"),
            {sta});
    }
    YZzmjDlg dlg(*doc, chooser);
    dlg.accept();
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("“K0+000.000”桩号的数据可能重复出现!")});
}

TEST_F(DataEntry, TroughExportThenImportAfterClearing) {
    Exec(QStringLiteral("INSERT INTO [路槽] ([桩号],[高度],[宽度],[sta]) VALUES "
                        "('K0+100.000', 0.8, 7.5, 100)"));
    const QString file = dir.Path(QStringLiteral("trough.txt"));
    YLcDlg dlg(*doc, chooser);
    chooser.answers << file;
    dlg.ExportButton()->click();
    QFile text(file);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), QByteArray("K0+100.000 \t7.500 \t0.800\r\n"));
    chooser.answers << file;
    io.QueueAnswer(true); // 是否清除原有数据?
    dlg.ImportButton()->click();
    EXPECT_EQ(io.Questions(), QStringList{QStringLiteral("是否清除原有数据?")});
    EXPECT_EQ(dlg.Model().rowCount(), 1);
    EXPECT_EQ(dlg.Model().index(0, 3).data().toString(), QStringLiteral("7.5"));
}

TEST_F(DataEntry, PitDialogRemembersItsPlacement) {
    QSize opened;
    {
        YQutkDlg dlg(*doc, chooser);
        opened = dlg.size();
        dlg.show();
        dlg.resize(opened + QSize(120, 80));
        Settle();
        dlg.reject();
    }
    EXPECT_TRUE(
        YProfile::Instance().Contains(QStringLiteral("对话框设置"), QStringLiteral("取土坑")));
    YQutkDlg again(*doc, chooser);
    EXPECT_EQ(again.size(), opened + QSize(120, 80));
    EXPECT_EQ(again.minimumSize(), opened);
}

TEST_F(DataEntry, SegmentChoiceSameOrCancelChangesNothing) {
    Exec(QStringLiteral("INSERT INTO [项目分段] ([分段编号],[结束桩号]) VALUES (1,'K0+100.000')"));
    Exec(QStringLiteral("INSERT INTO [项目分段] ([分段编号],[结束桩号]) VALUES (2,'K0+200.000')"));
    ASSERT_TRUE(doc->GetPrjFDSet().Requery());
    ASSERT_EQ(doc->GetCurrentSegment(), 1);
    int switches = 0;
    QObject::connect(doc.get(), &CDalvexDoc::CurrentSegmentChanged, [&] { ++switches; });
    {
        YSelDPFDDlg dlg(*doc);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("请选择调配段落"));
        EXPECT_EQ(dlg.List()->currentText(), QStringLiteral("分段1终止桩号K0+100.000"));
        dlg.accept();
    }
    {
        YSelDPFDDlg dlg(*doc);
        dlg.List()->setCurrentIndex(1);
        dlg.reject();
    }
    EXPECT_EQ(switches, 0);
    EXPECT_EQ(doc->GetCurrentSegment(), 1);
    YSelDPFDDlg dlg(*doc);
    dlg.List()->setCurrentIndex(1);
    dlg.accept();
    EXPECT_EQ(switches, 1);
    EXPECT_EQ(doc->GetCurrentSegment(), 2);
}

} // namespace
