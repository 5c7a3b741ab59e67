#include "core/db/YRowCache.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace {

int Sign(int x) {
    return (x > 0) - (x < 0);
}

// SQLite's BINARY collation compares the UTF-8 bytes.
int Utf8Order(const QString& a, const QString& b) {
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    const int c = std::memcmp(x.constData(), y.constData(), size_t(std::min(x.size(), y.size())));
    return c != 0 ? Sign(c) : Sign(int(x.size() - y.size()));
}

QString RandomText(QRandomGenerator& rng) {
    // ASCII, CJK, private use above the surrogates, and characters outside the BMP.
    static const char32_t pool[] = {U'K',  U'9',      U'+',      U'1',          U'土',
                                    U'石', U'\uE000', U'\uFF0B', U'\U0001F600', U'\U00020000'};
    QString s;
    const int n = rng.bounded(4);
    for (int i = 0; i < n; ++i) {
        const char32_t c = pool[rng.bounded(int(std::size(pool)))];
        s += QString::fromUcs4(&c, 1);
    }
    return s;
}

TEST(YRowCache, TextOrderIsSqliteBinaryOrder) {
    QRandomGenerator rng(3);
    for (int i = 0; i < 5000; ++i) {
        const QString a = RandomText(rng);
        const QString b = RandomText(rng);
        ASSERT_EQ(YRowCache::CompareText(a, b), Utf8Order(a, b))
            << a.toStdString() << " / " << b.toStdString();
    }
    EXPECT_LT(YRowCache::CompareText(QString(), QStringLiteral("")), 0); // NULL first
    EXPECT_EQ(YRowCache::CompareText(QString(), QString()), 0);
    EXPECT_LT(YRowCache::CompareText(QStringLiteral("K10+000"), QStringLiteral("K9+000")), 0);
}

YRow NumRow(qint64 rowid, double a, double b) {
    YRow r;
    r.nRowId = rowid;
    r.num = {a, b};
    return r;
}

// Sorted inserts and lower bounds against a sorted copy and a linear search.
TEST(YRowCache, InsertAndLowerBoundMatchAReference) {
    const double null = std::numeric_limits<double>::quiet_NaN();
    YRowCache cache;
    cache.SetKeys({{0, false}, {1, false}});
    QRandomGenerator rng(11);
    std::vector<YRow> reference;
    for (int i = 1; i <= 300; ++i) {
        const double a = rng.bounded(12) == 0 ? null : rng.bounded(30);
        const YRow row = NumRow(i, a, rng.bounded(4));
        reference.push_back(row);
        cache.InsertSorted(row);
    }
    std::sort(reference.begin(), reference.end(), [&](const YRow& x, const YRow& y) {
        const auto key = [](const YRow& r) {
            return std::make_tuple(std::isnan(r.num[0]) ? -1e300 : r.num[0], r.num[1], r.nRowId);
        };
        return key(x) < key(y);
    });
    ASSERT_EQ(cache.Size(), int(reference.size()));
    for (int i = 0; i < cache.Size(); ++i) {
        ASSERT_EQ(cache[i].nRowId, reference[size_t(i)].nRowId);
        ASSERT_TRUE(cache.InOrderAt(i));
    }
    for (int a = -1; a <= 31; ++a) {
        for (int b = 0; b < 4; ++b) {
            int linear = 0;
            while (linear < cache.Size() &&
                   (std::isnan(cache[linear].num[0]) || cache[linear].num[0] < a ||
                    (cache[linear].num[0] == a && cache[linear].num[1] < b))) {
                ++linear;
            }
            EXPECT_EQ(cache.LowerBound({double(a), double(b)}, 1e-6), linear);
            EXPECT_EQ(cache.KeysEqual(linear, {double(a), double(b)}, 1e-6),
                      linear < cache.Size() && cache[linear].num[0] == a &&
                          cache[linear].num[1] == b);
        }
    }
    // An edit that moves a key is noticed and Sort restores the order.
    cache[0].num[0] = 1000;
    EXPECT_FALSE(cache.InOrderAt(0));
    cache.Sort();
    EXPECT_EQ(cache[cache.Size() - 1].num[0], 1000);
}

} // namespace
