#include "draw/YDiagramPicture.h"
#include "core/model/YSegmentModel.h"
#include "core/station/YStationNumbering.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

using dalvex::test::ScratchDir;

// Cut of class 2 on the first kilometre, fill on the second, a bridge between.
YSegmentModel Road() {
    YSegmentModel model;
    for (int i = 0; i < 100; ++i) {
        YTFItem seg;
        seg.m_staStart = YStation(i * 20.0);
        seg.m_staEnd = YStation(i * 20.0 + 20.0);
        if (i < 50) {
            seg.m_dUse[1] = seg.m_dRemUse[1] = 800.0;
        } else {
            seg.m_dFill = seg.m_dRemFill = 600.0;
        }
        model.m_arrTF.push_back(seg);
    }
    YGZWItem bridge;
    bridge.m_staStart = YStation(1200);
    bridge.m_staEnd = YStation(1300);
    bridge.m_strName = QStringLiteral("大桥");
    bridge.m_bCross = false; // red: its anti-aliased label never shows a band colour
    model.m_arrGZW.push_back(bridge);
    return model;
}

int CountColour(const QImage& image, const QColor& colour, int x0, int x1) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = x0; x < x1; ++x) {
            n += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

TEST(DiagramPicture, WritesPngSvgAndPdfWithTheBandsWhereTheyBelong) {
    YSegmentModel model = Road();
    YStationNumbering numbering;
    YDiagramPicture::Content content;
    content.pModel = &model;
    content.pNumbering = &numbering;
    content.title = QStringLiteral("测试路");
    content.dTo = 2000.0;
    const YDiagramPicture picture(content);
    ScratchDir dir;
    QString error;
    ASSERT_TRUE(picture.Save(dir.Path(QStringLiteral("d.png")), QSize(1016, 400), error))
        << error.toStdString();
    QImage image(dir.Path(QStringLiteral("d.png")));
    ASSERT_EQ(image.size(), QSize(1016, 400));
    // 1000 pixels for 2 km after the 16-pixel ruler: class 2 on the left half, fill on the right.
    const QColor class2(0, 128, 0);
    const QColor fill(106, 105, 107);
    EXPECT_GT(CountColour(image, class2, 16, 516), 1000);
    EXPECT_EQ(CountColour(image, class2, 516, 1016), 0);
    EXPECT_GT(CountColour(image, fill, 516, 1016), 1000);
    EXPECT_EQ(CountColour(image, fill, 16, 516), 0);

    for (const char* name : {"d.svg", "d.pdf"}) {
        ASSERT_TRUE(picture.Save(dir.Path(QString::fromLatin1(name)), QSize(800, 300), error));
        QFile file(dir.Path(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(200);
        EXPECT_TRUE(head.contains("<svg") || head.startsWith("%PDF")) << name;
    }
    EXPECT_FALSE(picture.Save(dir.Path(QStringLiteral("d.bmp")), QSize(800, 300), error));
    EXPECT_EQ(error, QStringLiteral("不支持的图片格式：%1（可用 .png、.svg、.pdf）")
                         .arg(dir.Path(QStringLiteral("d.bmp"))));
}

} // namespace
