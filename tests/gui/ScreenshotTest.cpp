// Renders the main window with a project open to PNG files, for a person to look at: run under
// a real X server (xvfb-run, see screenshot.sh) with a CJK font installed. The files go to
// DALVEX_SCREENSHOT_DIR (the test's scratch folder when unset). The test checks only that the
// pictures are not blank.
#include "GuiTestSupport.h"

#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QSet>
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

TEST(Screenshot, MainWindowWithAProjectOpen) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    CMainFrame& frame = *h.App().MainFrame();
    const QImage empty = frame.grab().toImage();
    ASSERT_FALSE(empty.isNull());
    EXPECT_TRUE(empty.save(ShotPath(h, QStringLiteral("main-no-project.png"))));

    h.Chooser().answers << h.Dir().Path(QStringLiteral("道路.dvx"));
    frame.Action(YCmd::FileNew)->trigger();
    Settle();
    frame.resize(1280, 800);
    Settle();
    const QImage shot = frame.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_GT(shot.width(), 600);
    EXPECT_GT(ColourVariety(shot), 30);
    EXPECT_TRUE(shot.save(ShotPath(h, QStringLiteral("main-project.png"))));
}

} // namespace
