// The two whole-road imports of the File menu, driven as a designer drives them: the file
// dialog, the LandXML choices, and the project window showing the new road.
#include "GuiTestSupport.h"

#include "core/db/YDatabase.h"
#include "core/db/YZzmjSet.h"
#include "core/document/CDalvexDoc.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/dialogs/YLandXmlDlg.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <gtest/gtest.h>

namespace dalvex::test {
namespace {

TEST(ImportCommands, TheRoadProjectComesInThroughTheFileMenu) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    CDalvexDoc* doc = NewProject(h);
    ASSERT_NE(doc, nullptr);
    CMainFrame& frame = *h.App().MainFrame();
    QAction* command = frame.Action(YCmd::ReadRavelProject);
    EXPECT_EQ(command->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));

    h.Chooser().answers << QString(); // cancelled: nothing happens
    command->trigger();
    EXPECT_TRUE(h.IO().Texts().isEmpty());

    h.Chooser().answers << QStringLiteral(DALVEX_SOURCE_DIR "/examples/road-project/qingshui.Prj");
    TriggerAndSettle(command);
    EXPECT_EQ(h.Chooser().filters.last(),
              QStringLiteral("Ravel道路辅助设计系统项目文件(*.Prj)|*.Prj|所有文件(*.*)|*.*|"));
    EXPECT_EQ(h.IO().Texts(), QStringList{QStringLiteral(" 从Ravel项目中导入数据完成! ")});
    EXPECT_EQ(doc->GetProjectName(), QStringLiteral("清水河段改建工程"));
}

// Two alignments; the second has its lines named so the import can tell ground from design.
const QByteArray kTwoAlignments =
    "<?xml version=\"1.0\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.1\">\n"
    "<Alignments>\n"
    "<Alignment name=\"匝道\"><CrossSects><CrossSect sta=\"0\" areaCut=\"1\" areaFill=\"0\"/>"
    "</CrossSects></Alignment>\n"
    "<Alignment name=\"主线\"><CrossSects>\n"
    "<CrossSect sta=\"0\"><CrossSectSurf name=\"地面线\"><PntList2D>-5 10 5 10</PntList2D>"
    "</CrossSectSurf><CrossSectSurf name=\"设计线\"><PntList2D>-5 9 5 9</PntList2D>"
    "</CrossSectSurf></CrossSect>\n"
    "<CrossSect sta=\"20\"><CrossSectSurf name=\"地面线\"><PntList2D>-5 10 5 10</PntList2D>"
    "</CrossSectSurf><CrossSectSurf name=\"设计线\"><PntList2D>-5 11 5 11</PntList2D>"
    "</CrossSectSurf></CrossSect>\n"
    "</CrossSects></Alignment>\n</Alignments>\n</LandXML>\n";

TEST(ImportCommands, ALandXmlAlignmentIsChosenWithItsLines) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    CDalvexDoc* doc = NewProject(h);
    ASSERT_NE(doc, nullptr);
    const QString xml = h.Dir().Path(QStringLiteral("road.xml"));
    {
        QFile file(xml);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kTwoAlignments);
    }
    h.Chooser().answers << xml;
    WithDialog<YLandXmlDlg>(h.App().MainFrame()->Action(YCmd::ReadLandXml), [](YLandXmlDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("读入LandXML文件"));
        auto boxes = dlg.findChildren<QComboBox*>();
        ASSERT_EQ(boxes.size(), 3);
        boxes[0]->setCurrentIndex(1); // 主线: its lines are offered, guessed by their names
        EXPECT_EQ(boxes[1]->currentText(), QStringLiteral("地面线"));
        EXPECT_EQ(boxes[2]->currentText(), QStringLiteral("设计线"));
        dlg.accept();
    });
    EXPECT_EQ(h.IO().Texts().last(), QStringLiteral("从LandXML文件导入数据完成! "));
    ASSERT_EQ(doc->GetZzmjSet().RecordCount(), 2);
    const auto cut =
        doc->GetDatabase().QueryValue("SELECT [挖方面积] FROM [逐桩断面] WHERE [sta]=0");
    EXPECT_DOUBLE_EQ(cut->toDouble(), 10.0);
    EXPECT_EQ(doc->GetProjectName(), QStringLiteral("主线"));
}

} // namespace
} // namespace dalvex::test
