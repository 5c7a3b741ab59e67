// dalvex-cli diagram: the allocation diagram of a project as a picture, and its refusals.
#include "CliRunner.h"

#include "support/ProjectFixture.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

QByteArray Head(const QString& path, int n) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(n) : QByteArray();
}

TEST(CliDiagram, WritesEachFormatAtTheAskedSizeAndRefusesWhatItCannotDraw) {
    EnsureCoreApp();
    ScratchDir dir;
    const QString road = dir.Path(QStringLiteral("road.dvx"));
    const QString empty = dir.Path(QStringLiteral("empty.dvx"));
    {
        YRecordingUserIO io;
        TestProject p(road, io);
        p.AddSegs(TestProject::Road(30));
        p.AddStructure(200, 260, QStringLiteral("大桥"), false);
        TestProject e(empty, io);
    }
    const QString png = dir.Path(QStringLiteral("d.png"));
    CliResult r = RunCli({QStringLiteral("diagram"), road, png, QStringLiteral("--width"),
                          QStringLiteral("900"), QStringLiteral("--height"), QStringLiteral("300"),
                          QStringLiteral("--from"), QStringLiteral("K0+100")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray head = Head(png, 24);
    ASSERT_TRUE(head.startsWith("\x89PNG"));
    EXPECT_EQ(qFromBigEndian<quint32>(head.constData() + 16), 900u);
    EXPECT_EQ(qFromBigEndian<quint32>(head.constData() + 20), 300u);
    for (const char* name : {"d.svg", "d.pdf"}) {
        const QString out = dir.Path(QString::fromLatin1(name));
        r = RunCli({QStringLiteral("diagram"), road, out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QByteArray start = Head(out, 300);
        EXPECT_TRUE(start.contains("<svg") || start.startsWith("%PDF")) << name;
    }

    const struct {
        QStringList args;
        int code;
        QString message;
    } refusals[] = {
        {{road, png, QStringLiteral("--from"), QStringLiteral("X")}, 2, "桩号不正确：X"},
        {{road, png, QStringLiteral("--from"), QStringLiteral("K0+300"), QStringLiteral("--to"),
          QStringLiteral("K0+100")},
         2,
         "终止桩号应大于起始桩号"},
        {{road, png, QStringLiteral("--width"), QStringLiteral("20")},
         2,
         "图片大小应在 100 到 20000 像素之间"},
        {{road, dir.Path(QStringLiteral("d.gif"))},
         1,
         QStringLiteral("不支持的图片格式：%1（可用 .png、.svg、.pdf）")
             .arg(dir.Path(QStringLiteral("d.gif")))},
        {{empty, png}, 1, "项目还没有土石方计算结果，请先进行数据预处理"},
    };
    for (const auto& c : refusals) {
        r = RunCli(QStringList{QStringLiteral("diagram")} + c.args);
        EXPECT_EQ(r.exitCode, c.code) << c.message.toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    }
}

} // namespace
