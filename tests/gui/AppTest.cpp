#include "GuiTestSupport.h"

#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/platform/YProfile.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/widgets/YFileChooser.h"
#include "support/ProjectFixture.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

const QString Product = QStringLiteral("土石方调配");

// The program started without a project.
struct App : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        frame = h.App().MainFrame();
    }
    AppHarness h;
    CMainFrame* frame = nullptr;
};

// The stock dialogs speak Chinese once the program has started: message-box buttons and the
// file dialog's captions come from Qt's own translations.
TEST_F(App, StockDialogsSpeakChinese) {
    ASSERT_TRUE(CDalvexApp::LoadQtTranslations()) << "Qt's Chinese translations are missing";
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel |
                           QMessageBox::Ok);
    const struct {
        QMessageBox::StandardButton button;
        const char* chinese;
    } buttons[] = {{QMessageBox::Yes, "是"},
                   {QMessageBox::No, "否"},
                   {QMessageBox::Cancel, "取消"},
                   {QMessageBox::Ok, "确定"}};
    for (const auto& b : buttons) {
        EXPECT_TRUE(box.button(b.button)->text().contains(QString::fromUtf8(b.chinese)))
            << box.button(b.button)->text().toStdString();
    }
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(dialog.labelText(QFileDialog::Reject), QStringLiteral("取消"));
}

TEST_F(App, NewProjectAsksWhereThenOpensItOnTheProjectMenu) {
    CDalvexDoc* doc = NewProject(h, QStringLiteral("road.dvx"));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(h.Chooser().filters.value(0), QStringLiteral("土方调配数据库文件(*.dvx)|*.dvx||"));
    EXPECT_EQ(h.Chooser().proposed.value(0), QStringLiteral("土石方调配文件1"));
    EXPECT_EQ(frame->CurrentMenu(), CMainFrame::ProjectMenu);
    ASSERT_EQ(frame->Frames().size(), 1);
    CChildFrame* child = frame->Frames().constFirst();
    EXPECT_TRUE(child->isMaximized());
    EXPECT_EQ(child->GetDocument(), doc);
    // Titles: the project has no segment yet.
    EXPECT_EQ(child->FrameTitle(), QStringLiteral("road.dvx-当前分段:-1"));
    EXPECT_EQ(frame->windowTitle(), Product + QStringLiteral(" - road.dvx-当前分段:-1"));
    // The product marker heads the File menu; the new file is the first recent file.
    QMenu* file = frame->menuBar()->actions().constFirst()->menu();
    EXPECT_EQ(file->actions().constFirst()->text(), QStringLiteral("[R]") + Product);
    EXPECT_EQ(frame->RecentFiles().Files().value(0),
              QDir::toNativeSeparators(h.Dir().Path(QStringLiteral("road.dvx"))));
    EXPECT_TRUE(frame->Action(YCmd::FileMruFirst)->isVisible());
    EXPECT_TRUE(h.IO().Messages().empty());
}

TEST_F(App, CancelledNewCreatesNothing) {
    TriggerAndSettle(frame->Action(YCmd::FileNew));
    EXPECT_EQ(h.App().DocManager().DocumentCount(), 0);
    EXPECT_EQ(frame->CurrentMenu(), CMainFrame::NoProjectMenu);
}

TEST_F(App, SecondWindowNumbersBothTitlesAndClosingTheLastClosesTheProject) {
    CDalvexDoc* doc = NewProject(h, QStringLiteral("a.dvx"));
    ASSERT_NE(doc, nullptr);
    TriggerAndSettle(frame->Action(YCmd::WindowNew));
    ASSERT_EQ(frame->Frames().size(), 2);
    EXPECT_EQ(frame->Frames().at(0)->FrameTitle(), QStringLiteral("a.dvx-当前分段:-1:1"));
    EXPECT_EQ(frame->Frames().at(1)->FrameTitle(), QStringLiteral("a.dvx-当前分段:-1:2"));
    EXPECT_EQ(frame->ActiveChild(), frame->Frames().at(1));
    EXPECT_EQ(frame->windowTitle(), Product + QStringLiteral(" - a.dvx-当前分段:-1:2"));
    // A child that is not maximised: product - document:window-segment.
    frame->Frames().at(1)->showNormal();
    Settle();
    EXPECT_EQ(frame->windowTitle(), Product + QStringLiteral(" - a.dvx:2-当前分段:-1"));

    frame->Frames().at(1)->close();
    Settle();
    ASSERT_EQ(frame->Frames().size(), 1);
    EXPECT_EQ(frame->Frames().at(0)->FrameTitle(), QStringLiteral("a.dvx-当前分段:-1"));
    EXPECT_EQ(h.App().DocManager().DocumentCount(), 1);
    frame->Frames().at(0)->close();
    Settle();
    EXPECT_EQ(h.App().DocManager().DocumentCount(), 0);
    EXPECT_EQ(frame->CurrentMenu(), CMainFrame::NoProjectMenu);
    EXPECT_EQ(frame->windowTitle(), Product);
}

// A second window opens maximised like the first, and 层叠/平铺 give windows a size to work in.
TEST_F(App, NewWindowAndCascadeKeepWindowsUsable) {
    frame->resize(1000, 700);
    ASSERT_NE(NewProject(h, QStringLiteral("a.dvx")), nullptr);
    TriggerAndSettle(frame->Action(YCmd::WindowNew));
    ASSERT_EQ(frame->Frames().size(), 2);
    EXPECT_TRUE(frame->Frames().at(1)->isMaximized());
    frame->Frames().at(0)->ActivateFrame();
    Settle();
    EXPECT_TRUE(frame->Frames().at(0)->isMaximized()) << "brought forward, maximised again";
    const QSize area = frame->Frames().at(0)->mdiArea()->viewport()->size();
    for (int command : {YCmd::WindowCascade, YCmd::WindowTile}) {
        TriggerAndSettle(frame->Action(command));
        for (CChildFrame* child : frame->Frames()) {
            EXPECT_FALSE(child->isMaximized()) << command;
            EXPECT_GE(child->width(), area.width() / 2 - 2) << command; // tiles round down
            EXPECT_GE(child->height(), area.height() / 2 - 1) << command;
            EXPECT_FALSE(child->windowTitle().isEmpty()) << command;
        }
    }
    // Opened while the others are not maximised, a window opens beside them at their size.
    TriggerAndSettle(frame->Action(YCmd::WindowCascade));
    TriggerAndSettle(frame->Action(YCmd::WindowNew));
    CChildFrame* third = frame->Frames().at(2);
    EXPECT_FALSE(third->isMaximized());
    EXPECT_GE(third->width(), area.width() / 2);
}

TEST_F(App, OpenFromCommandLineRecentListAndDroppedFiles) {
    const QString a = h.Dir().Path(QStringLiteral("a.dvx"));
    const QString b = h.Dir().Path(QStringLiteral("b.dvx"));
    ASSERT_NE(NewProject(h, QStringLiteral("a.dvx")), nullptr);
    ASSERT_NE(NewProject(h, QStringLiteral("b.dvx")), nullptr);
    h.App().DocManager().CloseAll();
    Settle();
    EXPECT_EQ(frame->RecentFiles().Files(),
              (QStringList{QDir::toNativeSeparators(b), QDir::toNativeSeparators(a)}));
    // Recent file 2 opens a.
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->Action(YCmd::FileMruFirst + 1)->text(),
              QStringLiteral("&2 ") + QDir::toNativeSeparators(a).replace('&', "&&"));
    TriggerAndSettle(frame->Action(YCmd::FileMruFirst + 1));
    ASSERT_NE(frame->ActiveDocument(), nullptr);
    EXPECT_EQ(frame->ActiveDocument()->GetTitle(), QStringLiteral("a.dvx"));
    // Dropping b (and a text file, ignored) opens b.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(b), QUrl::fromLocalFile(h.Dir().Path("x.txt"))});
    const QStringList dropped = CMainFrame::DroppedProjects(&data);
    EXPECT_EQ(dropped, QStringList{b});
    emit frame->FilesDropped(dropped);
    Settle();
    EXPECT_EQ(h.App().DocManager().DocumentCount(), 2);
    EXPECT_EQ(frame->ActiveDocument()->GetTitle(), QStringLiteral("b.dvx"));
    // A recent file that has gone drops out of the list when chosen.
    h.App().DocManager().CloseAll();
    Settle();
    ASSERT_TRUE(QFile::remove(a));
    frame->UpdateCommandUI();
    const int index = int(frame->RecentFiles().Files().indexOf(QDir::toNativeSeparators(a)));
    ASSERT_GE(index, 0);
    TriggerAndSettle(frame->Action(YCmd::FileMruFirst + index));
    EXPECT_FALSE(frame->RecentFiles().Files().contains(QDir::toNativeSeparators(a)));
}

// File dialogs open where the designer works: writing in the active project's folder, reading
// in the folder last chosen from; not in the program's working directory.
TEST_F(App, FileDialogsStartInTheProjectsOrTheLastFolder) {
    YFileChooser& chooser = h.App().FileChooser();
    using P = YFileChooser::Purpose;
    ASSERT_TRUE(QDir().mkpath(h.Dir().Path(QStringLiteral("roads"))));
    ASSERT_TRUE(QDir().mkpath(h.Dir().Path(QStringLiteral("survey"))));
    chooser.Remember(h.Dir().Path(QStringLiteral("survey/sections.tf")));
    EXPECT_EQ(chooser.StartFolder(P::Write), h.Dir().Path(QStringLiteral("survey")));
    ASSERT_NE(NewProject(h, QStringLiteral("roads/a.dvx")), nullptr);
    EXPECT_EQ(chooser.StartFolder(P::Write), h.Dir().Path(QStringLiteral("roads")));
    chooser.Remember(h.Dir().Path(QStringLiteral("survey/more.tf")));
    EXPECT_EQ(chooser.StartFolder(P::Read), h.Dir().Path(QStringLiteral("survey")));
    EXPECT_EQ(chooser.StartFolder(P::Write), h.Dir().Path(QStringLiteral("roads")));
}

TEST_F(App, ApplicationServicesFindListAndActivate) {
    CDalvexDoc* a = NewProject(h, QStringLiteral("a.dvx"));
    CDalvexDoc* b = NewProject(h, QStringLiteral("b.dvx"));
    ASSERT_TRUE(a != nullptr && b != nullptr);
    std::vector<CDalvexDoc*> docs;
    h.App().ListDocuments(docs);
    EXPECT_EQ(docs, (std::vector<CDalvexDoc*>{a, b}));
    EXPECT_EQ(frame->ActiveDocument(), b);
    h.App().ActivateDocument(*a);
    Settle();
    EXPECT_EQ(frame->ActiveDocument(), a);
    EXPECT_EQ(h.App().FindDocumentByGuid(QStringLiteral("no-such-guid")), nullptr);
    h.App().QueueFile(QStringLiteral("x.dvx"));
    h.App().QueueFile(QStringLiteral("x.dvx"));
    EXPECT_EQ(h.App().DocManager().PendingOpen(), QStringList{QStringLiteral("x.dvx")});
}

} // namespace
