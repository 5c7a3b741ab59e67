#include "core/platform/YGuid.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(Guid, FormatMatchesStoredLayoutWithThirdGroupLowerCase) {
    const QUuid u(0x0a1b2c3d, 0xabcd, 0xef01, 0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef);
    EXPECT_EQ(YGuid::Format(u), QStringLiteral("0A1B2C3DABCDef010123456789ABCDEF"));
    const QUuid zero;
    EXPECT_EQ(YGuid::Format(zero), QString(32, QLatin1Char('0')));
}

TEST(Guid, NewTextsAreWellFormedAndDistinct) {
    const QRegularExpression shape(QStringLiteral("^[0-9A-F]{12}[0-9a-f]{4}[0-9A-F]{16}$"));
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString text = YGuid::NewText();
        EXPECT_TRUE(shape.match(text).hasMatch()) << text.toStdString();
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 200);
}

} // namespace
