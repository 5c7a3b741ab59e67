// Renders the main window with a project open to PNG files, for a person to look at: run under
// a real X server (xvfb-run, see screenshot.sh) with a CJK font installed. The files go to
// DALVEX_SCREENSHOT_DIR (the test's scratch folder when unset). The test checks only that the
// pictures are not blank.
#include "GuiTestSupport.h"

#include "core/allocation/YDPAutoAllocator.h"
#include "core/compute/YPreprocessor.h"
#include "core/db/YDatabase.h"
#include "core/db/YPrjFDSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YInputTableDef.h"
#include "core/import/YInputTableText.h"
#include "core/import/YTfImport.h"
#include "core/neighbours/YPortPairSetup.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/dialogs/YPreprocessDlg.h"
#include "gui/dialogs/YReadTfDlg.h"
#include "gui/dialogs/YTsxsDlg.h"
#include "gui/dialogs/YZzmjDlg.h"
#include "gui/panes/YDPCtrlBar.h"
#include "gui/widgets/YControlBar.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <cmath>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

QString ShotPath(const AppHarness& h, const QString& name) {
    const QString dir = qEnvironmentVariable("DALVEX_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        return h.Dir().Path(name);
    }
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

// Distinct colours in a sample grid: a blank or single-colour picture has very few.
int ColourVariety(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

// The sample road (screenshot.sh builds it with dalvex-cli demo) on its allocation diagram,
// with the overview; a new empty project when none is given.
TEST(Screenshot, MainWindowWithTheDiagram) {
    AppHarness h;
    const QString project = qEnvironmentVariable("DALVEX_SCREENSHOT_PROJECT");
    ASSERT_TRUE(h.Start(project.isEmpty() ? QStringList() : QStringList{project}));
    CMainFrame& frame = *h.App().MainFrame();
    if (project.isEmpty()) {
        h.Chooser().answers << h.Dir().Path(QStringLiteral("道路.dvx"));
        frame.Action(YCmd::FileNew)->trigger();
    }
    frame.resize(1280, 800);
    Settle();
    frame.Action(YCmd::StartDP)->trigger();
    Settle();
    const QImage shot = frame.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_GT(ColourVariety(shot), 30);
    EXPECT_TRUE(shot.save(ShotPath(h, QStringLiteral("main-diagram.png"))));
    if (QWidget* eye = frame.findChild<QWidget*>(QStringLiteral("eyeWnd"))) {
        EXPECT_TRUE(eye->grab().toImage().save(ShotPath(h, QStringLiteral("overview.png"))));
    }
}

// The sample road allocated by 自动调配 (without finishing) and its last step undone from the
// process pane: the diagram with what is left, the panes 调配过程 and 调配任务.
TEST(Screenshot, AllocationWithTheProcessAndTaskPanes) {
    AppHarness h;
    const QString project = qEnvironmentVariable("DALVEX_SCREENSHOT_PROJECT");
    if (project.isEmpty()) {
        GTEST_SKIP() << "needs the sample road of screenshot.sh";
    }
    // A copy: the other pictures keep the road unallocated.
    const QString copy = h.Dir().Path(QStringLiteral("allocated.dvx"));
    ASSERT_TRUE(QFile::copy(project, copy));
    ASSERT_TRUE(h.Start({copy}));
    CMainFrame& frame = *h.App().MainFrame();
    frame.resize(1280, 800);
    Settle();
    frame.Action(YCmd::StartDP)->trigger();
    Settle();
    CDalvexDoc* doc = frame.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    YDPAutoAllocator::Options opt;
    opt.bFinish = false;
    ASSERT_TRUE(YDPAutoAllocator::Run(*doc, opt).bWritten);
    frame.Action(YCmd::EditUndo)->trigger();
    Settle();
    YControlBar* process = frame.Pane(CMainFrame::ProcessPane);
    YControlBar* tasks = frame.Pane(CMainFrame::TaskPane);
    process->raise();
    Settle();
    const QImage shot = frame.grab().toImage();
    EXPECT_GT(ColourVariety(shot), 30);
    EXPECT_TRUE(shot.save(ShotPath(h, QStringLiteral("main-allocation.png"))));
    tasks->raise();
    Settle();
    EXPECT_TRUE(tasks->grab().toImage().save(ShotPath(h, QStringLiteral("pane-tasks.png"))));
}

// Two sections of one road open side by side (the sample road and a copy with its own identity)
// and a pair of ports between them: the pane 相邻项目 while a haul from the first is prepared.
TEST(Screenshot, NeighbouringProjectsPane) {
    AppHarness h;
    const QString project = qEnvironmentVariable("DALVEX_SCREENSHOT_PROJECT");
    if (project.isEmpty()) {
        GTEST_SKIP() << "needs the sample road of screenshot.sh";
    }
    const QString first = h.Dir().Path(QStringLiteral("一标段.dvx"));
    const QString second = h.Dir().Path(QStringLiteral("二标段.dvx"));
    ASSERT_TRUE(QFile::copy(project, first));
    ASSERT_TRUE(QFile::copy(project, second));
    {
        YDatabase db;
        ASSERT_TRUE(db.Open(second));
        ASSERT_TRUE(
            db.Exec(QStringLiteral("UPDATE [项目] SET [属性值] = ? WHERE [属性名称] = 'GUID'"),
                    {QStringLiteral("5D0E2A61B7C34F0A9E1B2C3D4E5F6071")}));
        ASSERT_TRUE(
            db.Exec(QStringLiteral("UPDATE [项目] SET [属性值] = '二标段' WHERE [属性名称] = "
                                   "'项目名称'")));
    }
    ASSERT_TRUE(h.Start({first, second}));
    CMainFrame& frame = *h.App().MainFrame();
    frame.resize(1280, 800);
    Settle();
    std::vector<CDalvexDoc*> docs;
    h.App().ListDocuments(docs);
    ASSERT_EQ(docs.size(), 2u);
    for (CDalvexDoc* doc : docs) {
        h.App().ActivateDocument(*doc);
        Settle();
        frame.Action(YCmd::StartDP)->trigger();
        Settle();
    }
    ASSERT_TRUE(YPortPairSetup(*docs[0], *docs[1]).CreatePort(4600.0, 120.0, 0.0));
    h.App().ActivateDocument(*docs[0]);
    Settle();
    YControlBar* pane = frame.Pane(CMainFrame::NeighboursPane);
    pane->raise();
    Settle();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(frame.grab().toImage().save(ShotPath(h, QStringLiteral("main-neighbours.png"))));
    EXPECT_TRUE(pane->grab().toImage().save(ShotPath(h, QStringLiteral("pane-neighbours.png"))));
    // The two projects' windows side by side after 层叠.
    frame.Action(YCmd::WindowCascade)->trigger();
    Settle();
    EXPECT_TRUE(frame.grab().toImage().save(ShotPath(h, QStringLiteral("main-cascade.png"))));
}

// Gives the project cross-sections, contents and results, the way a designer would have.
void FillProject(AppHarness& h, CDalvexDoc& doc) {
    const QString tf = h.Dir().Path(QStringLiteral("road.tf"));
    const QString contents = h.Dir().Path(QStringLiteral("contents.txt"));
    QFile file(tf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 0; i <= 40; ++i) {
        const double x = i * 25.0;
        const double wave = 18.0 * std::sin(i / 4.0);
        file.write(QByteArray::number(x) + " " + QByteArray::number(-wave / 6) + " " +
                   QByteArray::number(wave > 0 ? wave : 0) + " " +
                   QByteArray::number(wave < 0 ? -wave : 0) + "\n");
    }
    file.close();
    QFile text(contents);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("K0+000.000 \t20 \t100 \t30 \t100 \t40 \t90 \t10 \t80 \t0 \t100 \t0 \t100\r\n"
               "K1+000.000 \t10 \t100 \t30 \t100 \t30 \t90 \t20 \t80 \t10 \t100 \t0 \t100\r\n");
    text.close();
    TfFormat format;
    format.m_strName = QStringLiteral("示例");
    ASSERT_TRUE(
        YTfImport(doc.GetDatabase(), h.IO()).Import(tf, format, YTfImport::Scope::Project).Ok());
    ASSERT_TRUE(YInputTableText(doc.GetDatabase(), h.IO())
                    .Import(*YInputTableDef::Find(QStringLiteral("土石含量")), contents,
                            YInputTableText::Clear::Yes)
                    .Ok());
    ASSERT_TRUE(doc.GetPrjFDSet().Requery());
    doc.SwitchSegment(doc.GetCurrentSegment());
    ASSERT_TRUE(YPreprocessor(doc.GetDatabase(), h.IO()).Run(YPreprocessOptions{}).Ok());
}

TEST(Screenshot, PreprocessedProjectWithTheSettingsPaneAndTheDialogs) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    CMainFrame& frame = *h.App().MainFrame();
    h.Chooser().answers << h.Dir().Path(QStringLiteral("示例道路.dvx"));
    frame.Action(YCmd::FileNew)->trigger();
    Settle();
    CDalvexDoc* doc = frame.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    FillProject(h, *doc);
    frame.Action(YCmd::StartDP)->trigger();
    Settle();
    frame.resize(1280, 800);
    Settle();
    ASSERT_TRUE(frame.DPCtrlBar()->isVisible());
    const QImage shot = frame.grab().toImage();
    EXPECT_GT(ColourVariety(shot), 30);
    EXPECT_TRUE(shot.save(ShotPath(h, QStringLiteral("main-settings-pane.png"))));

    const auto save = [&](QWidget& w, const QString& name) {
        w.show();
        Settle();
        const QImage image = w.grab().toImage();
        EXPECT_GT(ColourVariety(image), 5) << name.toStdString();
        EXPECT_TRUE(image.save(ShotPath(h, name)));
        w.hide();
    };
    YPreprocessDlg preprocess(h.IO(), &frame);
    save(preprocess, QStringLiteral("dialog-preprocess.png"));
    YReadTfDlg format(0, h.IO(), &frame);
    save(format, QStringLiteral("dialog-format.png"));
    YZzmjDlg areas(*doc, h.Chooser(), &frame);
    save(areas, QStringLiteral("dialog-areas.png"));
    YTsxsDlg coefficients(*doc, &frame);
    save(coefficients, QStringLiteral("dialog-coefficients.png"));
}

} // namespace
