// Readers of the road-design project files: what a well-formed file gives, and where and why a
// malformed one is refused.
#include "ImportFixture.h"

#include "core/import/YRavelComponents.h"
#include "core/import/YRavelProjectFile.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

// A short chain of 15 m at K1+200: K1+220 lies at chainage 1205.
YStationNumbering Numbering() {
    YStationNumbering n;
    EXPECT_TRUE(n.AddChainBreak(QStringLiteral("K1+200=K1+215")));
    return n;
}

TEST(RavelProjectFile, ReadsPropertiesNumberingAndComponentPaths) {
    ImportFixture f;
    const QString text = "# 项目\r\nRavelPrj 1\r\n[属性]\r\n201 = 清水河段\r\n202=设计院\r\n"
                         "[桩号体系]\r\n标识=AK\r\n断链=AK1+200=AK1+215\r\n断链 = 2990=2970\r\n"
                         "[文件]\r\n111=sub/土方.txt\r\n108=../控制.txt\r\n109=其他.txt\r\n"
                         "[以后的节]\r\n任意=内容\r\n";
    // GBK, as design tools often write it.
    QStringEncoder gbk("GB18030");
    const QString path = f.File("p.Prj", gbk(text));
    YRavelProjectFile prj;
    ASSERT_TRUE(prj.Load(path)) << prj.ErrorMessage().toStdString();
    EXPECT_EQ(prj.TextProperty(201), "清水河段");
    EXPECT_EQ(prj.StationLabel(), "AK");
    EXPECT_EQ(prj.ChainBreaks(), QStringList({"AK1+200=AK1+215", "2990=2970"}));
    EXPECT_EQ(prj.Numbering().Text(1205.0), "AK1+220.000");
    EXPECT_EQ(prj.ComponentPath(111), f.dir.Path("sub/土方.txt"));
    EXPECT_EQ(prj.ComponentPath(108), QDir::cleanPath(f.dir.Path("../控制.txt")));
    EXPECT_EQ(prj.ComponentPath(104), QString());

    YRavelProjectFile utf8;
    ASSERT_TRUE(utf8.Parse("\xEF\xBB\xBF" + text.toUtf8(), f.dir.Path("")))
        << utf8.ErrorMessage().toStdString();
    EXPECT_EQ(utf8.TextProperty(201), "清水河段");
}

struct BadFile {
    const char* what;
    const char* format; // RavelPrj, RavelEarthwork, RavelControl, RavelProfile
    const char* text;
    int line;
    const char* reason;
};

bool ParseAs(const BadFile& b, QString& error) {
    const QByteArray bytes = QByteArray(b.text);
    const QString format = QString::fromUtf8(b.format);
    const YStationNumbering n = Numbering();
    auto component = [&](auto file) {
        const bool ok = file.Parse(bytes, n);
        error = file.ErrorMessage();
        return ok;
    };
    if (format == "RavelEarthwork") {
        return component(YRavelEarthworkFile());
    }
    if (format == "RavelControl") {
        return component(YRavelControlFile());
    }
    if (format == "RavelProfile") {
        return component(YRavelProfileFile());
    }
    YRavelProjectFile prj;
    const bool ok = prj.Parse(bytes, QStringLiteral("/tmp"));
    error = prj.ErrorMessage();
    return ok;
}

class RavelBadFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(RavelBadFile, IsRefusedAtItsLineWithTheReason) {
    QString error;
    EXPECT_FALSE(ParseAs(GetParam(), error));
    EXPECT_TRUE(error.contains(QStringLiteral("第%1行").arg(GetParam().line)))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RavelBadFile,
    ::testing::Values(
        BadFile{"empty", "RavelPrj", "\n# 只有注释\n", 3, "文件是空的"},
        BadFile{"other format", "RavelPrj", "RavelControl 1\n", 1, "第一行须为“RavelPrj 版本号”"},
        BadFile{"newer version", "RavelProfile", "RavelProfile 2\n", 1, "格式版本2不受支持"},
        BadFile{"broken section", "RavelPrj", "RavelPrj 1\n[属性\n", 2, "节名须写成"},
        BadFile{"no key", "RavelPrj", "RavelPrj 1\n[属性]\n清水河段\n", 3, "须写成“名称=值”"},
        BadFile{"bad label", "RavelPrj", "RavelPrj 1\n[桩号体系]\n标识=K1\n", 3, "桩号标识“K1”"},
        BadFile{"break out of order", "RavelPrj",
                "RavelPrj 1\n[桩号体系]\n断链=K2+000=K2+050\n断链=K1+500=K1+600\n", 4,
                "不在上一个断链之后"},
        BadFile{"too few fields", "RavelEarthwork", "RavelEarthwork 1\n0 12.5\n", 2,
                "桩号 挖方面积 填方面积 [中桩填挖]"},
        BadFile{"station", "RavelEarthwork", "RavelEarthwork 1\n0 1 2\nK0+0x 1 2\n", 3,
                "“K0+0x”不是桩号"},
        BadFile{"area text", "RavelEarthwork", "RavelEarthwork 1\n0 1 二\n", 2,
                "填方面积“二”不是数字"},
        BadFile{"area range", "RavelEarthwork", "RavelEarthwork 1\n0 1e8 0\n", 2, "面积超出范围"},
        BadFile{"height range", "RavelEarthwork", "RavelEarthwork 1\n0 1 0 2e4\n", 2,
                "高度超出范围"},
        BadFile{"not advancing", "RavelEarthwork", "RavelEarthwork 1\n20 1 0\n20 1 0\n", 3,
                "桩号不大于上一个断面的桩号"},
        BadFile{"structure reversed", "RavelControl", "RavelControl 1\n[桥隧]\nK1+100 K1+050 桥\n",
                3, "终止桩号须大于起始桩号"},
        BadFile{"contents count", "RavelControl", "RavelControl 1\n[土石含量]\n0 10 90\n", 3,
                "桩号 Ⅰ Ⅱ Ⅲ Ⅳ Ⅴ Ⅵ"},
        BadFile{"percent range", "RavelControl", "RavelControl 1\n[土石含量]\n0 10 90 0 0 0 101\n",
                3, "百分比超出范围"},
        BadFile{"trough order", "RavelControl", "RavelControl 1\n[路槽]\n100\n50\n", 4,
                "桩号不大于上一个断面的桩号"},
        BadFile{"negative radius", "RavelProfile", "RavelProfile 1\n0 100 -5\n", 2,
                "半径不能为负"}),
    [](const auto& info) {
        QString name = QString::fromUtf8(info.param.what);
        return name.replace(u' ', u'_').toStdString();
    });

TEST(RavelComponents, ReadStationsWithTheProjectsBreaksAndKeepValuesAsWritten) {
    const YStationNumbering n = Numbering();
    YRavelEarthworkFile tf;
    ASSERT_TRUE(tf.Parse("RavelEarthwork 1\n# 桩号 挖 填 高\n0,12.5,0,-1.2\nK1+220 -3 4.25\n", n))
        << tf.ErrorMessage().toStdString();
    ASSERT_EQ(tf.Sections().size(), 2u);
    EXPECT_DOUBLE_EQ(tf.Sections()[0].dHeight, -1.2);
    EXPECT_DOUBLE_EQ(tf.Sections()[1].dStation, 1205.0);
    EXPECT_DOUBLE_EQ(tf.Sections()[1].dCut, -3.0); // the import, not the reader, drops it
    EXPECT_DOUBLE_EQ(tf.Sections()[1].dHeight, 0.0);

    YRavelControlFile ctl;
    ASSERT_TRUE(ctl.Parse("RavelControl 1\n[路槽]\nK0+500\n[涵洞通道]\nK1+220 K1+226 1-4m 盖板涵\n"
                          "[桥隧]\nK0+100 K0+180 大桥\n[土石含量]\nK1+300 0 10 20 30 40 0\n"
                          "[以后的节]\n任意 内容\n",
                          n))
        << ctl.ErrorMessage().toStdString();
    EXPECT_EQ(ctl.TroughStations(), std::vector<double>{500.0});
    ASSERT_EQ(ctl.Structures(0).size(), 1u);
    EXPECT_EQ(ctl.Structures(0)[0].strName, "大桥");
    ASSERT_EQ(ctl.Structures(1).size(), 1u);
    EXPECT_DOUBLE_EQ(ctl.Structures(1)[0].dStart, 1205.0);
    EXPECT_EQ(ctl.Structures(1)[0].strName, "1-4m 盖板涵");
    ASSERT_EQ(ctl.Contents().size(), 1u);
    EXPECT_DOUBLE_EQ(ctl.Contents()[0].dStation, 1285.0);
    EXPECT_EQ(ctl.Contents()[0].percent, (std::array<double, 6>{0, 10, 20, 30, 40, 0}));

    YRavelProfileFile zdm;
    ASSERT_TRUE(zdm.Parse("RavelProfile 1\nK0+000 451.2 0\nK1+220 ４６０.６ 15000\n", n))
        << zdm.ErrorMessage().toStdString();
    ASSERT_EQ(zdm.Points().size(), 2u);
    EXPECT_DOUBLE_EQ(zdm.Points()[1].dStation, 1205.0);
    EXPECT_DOUBLE_EQ(zdm.Points()[1].dElevation, 460.6);
    EXPECT_DOUBLE_EQ(zdm.Points()[1].dRadius, 15000.0);
}

TEST(RavelComponents, AFileThatFailsLateGivesNothing) {
    YRavelEarthworkFile tf;
    ASSERT_TRUE(tf.Parse("RavelEarthwork 1\n0 1 2\n", Numbering()));
    EXPECT_FALSE(tf.Parse("RavelEarthwork 1\n0 1 2\n20 1 2\n20 x 2\n", Numbering()));
    EXPECT_TRUE(tf.Sections().empty());
    EXPECT_FALSE(tf.Load("/nonexistent/土方.txt", Numbering()));
    EXPECT_TRUE(tf.ErrorMessage().endsWith("土方.txt：文件不存在或不能读取"))
        << tf.ErrorMessage().toStdString();
}

} // namespace
