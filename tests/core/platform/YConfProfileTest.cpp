#include "core/platform/YConf.h"
#include "core/platform/YProfile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ConfProfile : public ::testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        YProfile::UseFile(m_dir.Path(QStringLiteral("profile.ini")));
    }
    dalvex::test::ScratchDir m_dir;
};

TEST_F(ConfProfile, TextsByKey) {
    YConf& conf = YConf::Instance();
    conf.Init(QString(), QStringLiteral("RavelTF"));
    EXPECT_TRUE(conf.IsInitialised());
    EXPECT_EQ(conf.ProductKey(), QStringLiteral("RavelTF"));
    EXPECT_EQ(conf.Text(1000), QStringLiteral("土石方调配"));
    EXPECT_FALSE(conf.Text(3).isEmpty());
    EXPECT_TRUE(conf.Text(4).isEmpty());
}

TEST_F(ConfProfile, TemplatePathsDefaultToBundledAndCanBeConfigured) {
    YConf& conf = YConf::Instance();
    for (int id = 506; id <= 510; ++id) {
        const QString path = conf.TemplatePath(id);
        EXPECT_TRUE(path.endsWith(conf.TableName(id) + QStringLiteral(".xlsx"))) << id;
        EXPECT_TRUE(path.contains(QStringLiteral("templates/"))) << id;
    }
    EXPECT_EQ(conf.TableName(506), QStringLiteral("取土弃土场表"));
    EXPECT_EQ(conf.TableName(510), QStringLiteral("土石方分类计算详表"));
    EXPECT_TRUE(conf.TemplatePath(505).isEmpty());
    EXPECT_TRUE(conf.TemplatePath(511).isEmpty());

    conf.SetTemplatePath(507, QStringLiteral("/data/my.xlsx"));
    EXPECT_EQ(conf.TemplatePath(507), QStringLiteral("/data/my.xlsx"));
    conf.SetTemplatePath(508, QString()); // configured as none
    EXPECT_TRUE(conf.TemplatePath(508).isEmpty());
}

TEST_F(ConfProfile, ProfileKeepsChineseSectionsAndSurvivesReopen) {
    const QString ini = m_dir.Path(QStringLiteral("profile.ini"));
    {
        YProfile& p = YProfile::Instance();
        p.WriteString(QStringLiteral("土方格式"), QStringLiteral("格式3"), QStringLiteral("纬地"));
        p.WriteInt(QStringLiteral("最近文件"), QStringLiteral("数量"), 4);
        p.WriteBinary(QStringLiteral("对话框设置"), QStringLiteral("取土坑"),
                      QByteArray("\x01\x02", 2));
        p.Sync();
    }
    YProfile::UseFile(ini);
    YProfile& p = YProfile::Instance();
    EXPECT_EQ(p.GetString(QStringLiteral("土方格式"), QStringLiteral("格式3")),
              QStringLiteral("纬地"));
    EXPECT_EQ(p.GetInt(QStringLiteral("最近文件"), QStringLiteral("数量")), 4);
    EXPECT_EQ(p.GetBinary(QStringLiteral("对话框设置"), QStringLiteral("取土坑")),
              QByteArray("\x01\x02", 2));
    EXPECT_EQ(
        p.GetString(QStringLiteral("土方格式"), QStringLiteral("格式4"), QStringLiteral("无")),
        QStringLiteral("无"));
    EXPECT_EQ(p.GetInt(QStringLiteral("土方格式"), QStringLiteral("格式3"), -1),
              -1); // not a number
    p.Remove(QStringLiteral("土方格式"), QStringLiteral("格式3"));
    EXPECT_FALSE(p.Contains(QStringLiteral("土方格式"), QStringLiteral("格式3")));
}

} // namespace
