// The mass-haul band under the diagram: switched from the menu, placed under the diagram on
// its stations, and showing a haul as soon as it is recorded.
#include "GuiTestSupport.h"

#include "core/document/CDalvexDoc.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/diagram/CDalvexView.h"
#include "support/ProjectFixture.h"

#include <QAction>
#include <QImage>
#include <gtest/gtest.h>

namespace dalvex::test {
namespace {

// Pixels of the balance-line colour in the band.
int HaulPixels(QWidget& band) {
    const QImage image = band.grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixelColor(x, y) == QColor(230, 140, 0) ? 1 : 0;
        }
    }
    return n;
}

TEST(MassHaulBand, ShowsUnderTheDiagramAndFollowsTheLog) {
    AppHarness h;
    CDalvexView* view = StartOnRoad(h, 10);
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = *h.App().MainFrame();
    QAction* command = EnabledAction(frame, YCmd::ShowMassHaul);
    ASSERT_NE(command, nullptr);
    auto* band = view->findChild<QWidget*>(QStringLiteral("massHaulBand"));
    ASSERT_NE(band, nullptr);
    EXPECT_FALSE(band->isVisible());

    TriggerAndSettle(command);
    EXPECT_TRUE(view->ShowMassHaul());
    ASSERT_TRUE(band->isVisible());
    const QRect vp = view->viewport()->geometry();
    EXPECT_GT(band->geometry().top(), vp.bottom());
    EXPECT_EQ(band->geometry().left(), vp.left());
    EXPECT_EQ(band->width(), vp.width());
    EXPECT_EQ(HaulPixels(*band), 0);

    TestProject project(*frame.ActiveDocument());
    ASSERT_GT(project.HaulStep(0, 1, 1, 0.5), 0);
    frame.ActiveDocument()->UpdateAllViews();
    Settle();
    EXPECT_GT(HaulPixels(*band), 10);

    TriggerAndSettle(command);
    EXPECT_FALSE(band->isVisible());
}

} // namespace
} // namespace dalvex::test
