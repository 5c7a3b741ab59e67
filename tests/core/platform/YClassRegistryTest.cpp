#include "core/platform/YClassRegistry.h"

#include <gtest/gtest.h>

namespace {

struct First : YObject {
    int Tag() const { return 1; }
};
struct Second : YObject {
    int Tag() const { return 2; }
};

TEST(ClassRegistry, KeepsOrderRejectsDuplicateNamesAndCreates) {
    YClassRecord& base = YClassRegistry::Base(QStringLiteral("TestBase"));
    EXPECT_TRUE(YClassRegistry::Register<First>(base, QStringLiteral("挖方比例")));
    EXPECT_TRUE(YClassRegistry::Register<Second>(base, QStringLiteral("填方比例")));
    // A second class under a name already present is not added: the first one stays.
    EXPECT_FALSE(YClassRegistry::Register<Second>(base, QStringLiteral("挖方比例")));

    ASSERT_EQ(base.derived.size(), 2u);
    EXPECT_EQ(base.derived[0]->name, QStringLiteral("挖方比例"));
    EXPECT_EQ(base.derived[1]->name, QStringLiteral("填方比例"));
    EXPECT_EQ(base.derived[0]->base, &base);
    EXPECT_EQ(base.derived[0]->objectSize, sizeof(First));

    auto obj = YClassRegistry::Find(base, QStringLiteral("挖方比例"))->CreateObject();
    ASSERT_NE(dynamic_cast<First*>(obj.get()), nullptr);
    EXPECT_EQ(YClassRegistry::Find(base, QStringLiteral("无")), nullptr);
    // Same base name gives the same record: registrations made elsewhere are seen.
    EXPECT_EQ(&YClassRegistry::Base(QStringLiteral("TestBase")), &base);
    EXPECT_TRUE(YClassRegistry::Base(QStringLiteral("OtherBase")).derived.empty());
}

} // namespace
