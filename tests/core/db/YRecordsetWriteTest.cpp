// An Update of an edited row writes the columns whose values changed, and only those.
#include "DbTestUtil.h"

#include "core/db/YFastStatement.h"
#include "core/db/YGzwSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YZjTsjsSet.h"

#include <QSqlQuery>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <random>

using dalvex::test::Column;
using dalvex::test::CreateDatabase;
using dalvex::test::ScratchDir;

namespace {

// One row of the file as text: 'text', NULL, integers, doubles to the last bit.
QString FileRow(YDatabase& db, const QString& table, const QStringList& columns, qint64 rowid) {
    QStringList select;
    for (const QString& c : columns) {
        select << QStringLiteral("typeof([%1]), [%1]").arg(c);
    }
    QSqlQuery q(db.Connection());
    EXPECT_TRUE(q.exec(QStringLiteral("SELECT %1 FROM [%2] WHERE rowid = %3")
                           .arg(select.join(u','), table)
                           .arg(rowid)));
    if (!q.next()) {
        return QStringLiteral("(no row)");
    }
    QStringList out;
    for (int i = 0; i < columns.size(); ++i) {
        const QString type = q.value(2 * i).toString();
        const QVariant v = q.value(2 * i + 1);
        if (type == QStringLiteral("null")) {
            out << QStringLiteral("NULL");
        } else if (type == QStringLiteral("text")) {
            out << u'\'' + v.toString() + u'\'';
        } else if (type == QStringLiteral("integer")) {
            out << QString::number(v.toLongLong());
        } else {
            out << QString::number(v.toDouble(), 'g', 17);
        }
    }
    return out.join(u'|');
}

const QStringList kGzwColumns = {"起始桩号", "终止桩号", "名称", "跨径",
                                 "能否跨越", "绕行距离", "ssta"};
// What the row holds when the file is changed behind the set's back: every column differs
// from what the set read, so each column the set writes shows.
const char* kSentinelSql = "UPDATE [构造物] SET [起始桩号] = 'S1', [终止桩号] = 'S2', "
                           "[名称] = 'S3', [跨径] = -1, [能否跨越] = 7, [绕行距离] = -1, "
                           "[ssta] = -1";

struct EditCase {
    const char* name;
    const char* baseName;   // SQL literal of 名称 in the row read
    double baseSpan;        // 跨径 of the row read
    const char* baseDetour; // SQL literal of 绕行距离 in the row read
    std::function<void(YGzwSet&)> edit;
    bool ok;          // Update succeeds
    int updates;      // UPDATE statements that reached the file
    const char* file; // the row afterwards, over the sentinel values
};

void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.name;
}

const QString kName(256, u'桥');

const EditCase kEditCases[] = {
    {"NothingChanged", "NULL", 30, "NULL", [](YGzwSet&) {}, true, 0, "'S1'|'S2'|'S3'|-1|7|-1|-1"},
    {"ChangedAndSetBack", "'桥'", 30, "25",
     [](YGzwSet& s) {
         s.m_strName = QStringLiteral("隧道");
         s.m_strName = QStringLiteral("桥");
         s.m_dSpan += 0.1;
         s.m_dSpan = 30;
         s.m_dDetour.reset();
         s.m_dDetour = 25;
         s.m_staStart = YStation(500);
         s.m_staStart = YStation(100);
     },
     true, 0, "'S1'|'S2'|'S3'|-1|7|-1|-1"},
    {"OneNumber", "NULL", 30, "NULL", [](YGzwSet& s) { s.m_dSpan = 40; }, true, 1,
     "'S1'|'S2'|'S3'|40|7|-1|-1"},
    {"LastBitOfANumber", "NULL", 30, "NULL",
     [](YGzwSet& s) { s.m_dSpan = std::nextafter(30.0, 31.0); }, true, 1,
     "'S1'|'S2'|'S3'|30.000000000000004|7|-1|-1"},
    {"MinusZeroIsZero", "NULL", 0, "NULL", [](YGzwSet& s) { s.m_dSpan = -0.0; }, true, 0,
     "'S1'|'S2'|'S3'|-1|7|-1|-1"},
    {"NullTextToEmpty", "NULL", 30, "NULL", [](YGzwSet& s) { s.m_strName = QStringLiteral(""); },
     true, 1, "'S1'|'S2'|''|-1|7|-1|-1"},
    {"EmptyTextToNull", "''", 30, "NULL", [](YGzwSet& s) { s.m_strName = QString(); }, true, 1,
     "'S1'|'S2'|NULL|-1|7|-1|-1"},
    {"NoDetourToZero", "NULL", 30, "NULL", [](YGzwSet& s) { s.m_dDetour = 0.0; }, true, 1,
     "'S1'|'S2'|'S3'|-1|7|0|-1"},
    {"DetourToNone", "NULL", 30, "25", [](YGzwSet& s) { s.m_dDetour.reset(); }, true, 1,
     "'S1'|'S2'|'S3'|-1|7|NULL|-1"},
    {"YesNo", "NULL", 30, "NULL", [](YGzwSet& s) { s.m_bCrossable = true; }, true, 1,
     "'S1'|'S2'|'S3'|-1|1|-1|-1"},
    // A moved station is written as its text and to its mirror column; the other text stays.
    {"StationMoved", "NULL", 30, "NULL", [](YGzwSet& s) { s.m_staStart = YStation(120); }, true, 1,
     "'K0+120.000'|'S2'|'S3'|-1|7|-1|120"},
    {"StationTextTyped", "NULL", 30, "NULL",
     [](YGzwSet& s) { s.m_strEnd = QStringLiteral("K0+130"); }, true, 1,
     "'S1'|'K0+130'|'S3'|-1|7|-1|-1"},
    {"SeveralInOneStatement", "'桥'", 30, "25",
     [](YGzwSet& s) {
         s.m_strName = QStringLiteral("隧道");
         s.m_dSpan = 12.5;
         s.m_dDetour.reset();
     },
     true, 1, "'S1'|'S2'|'隧道'|12.5|7|NULL|-1"},
    {"OverlongTextWritesNothing", "NULL", 30, "NULL",
     [](YGzwSet& s) {
         s.m_dSpan = 40;
         s.m_strName = kName;
     },
     false, 0, "'S1'|'S2'|'S3'|-1|7|-1|-1"},
};

// Edits the row of c, changed behind the set's back to the sentinel values, and checks what
// reached the file.
void RunEdit(const EditCase& c) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    ASSERT_TRUE(db.Exec(QStringLiteral("INSERT INTO [构造物] ([起始桩号], [终止桩号], [名称], "
                                       "[跨径], [能否跨越], [绕行距离], [ssta]) VALUES "
                                       "('K0+100.000', 'K0+150.000', %1, ?, 0, %2, 100)")
                            .arg(QString::fromUtf8(c.baseName), QString::fromUtf8(c.baseDetour)),
                        {c.baseSpan}));
    YGzwSet set(db);
    ASSERT_TRUE(set.Open());
    ASSERT_TRUE(db.Exec(QString::fromUtf8(kSentinelSql)));
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TEMP TABLE [updates] ([n] INTEGER)")));
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TEMP TRIGGER [count_updates] AFTER UPDATE ON "
                                       "main.[构造物] BEGIN INSERT INTO [updates] VALUES (1); "
                                       "END")));

    ASSERT_TRUE(set.Edit());
    c.edit(set);
    EXPECT_EQ(set.Update(), c.ok) << set.LastError().toStdString();
    EXPECT_EQ(Column(db, QStringLiteral("SELECT count(*) FROM [updates]")),
              QStringList{QString::number(c.updates)});
    EXPECT_EQ(FileRow(db, QStringLiteral("构造物"), kGzwColumns, set.RowId()),
              QString::fromUtf8(c.file));
}

class EditColumns : public testing::TestWithParam<EditCase> {};

// On SQLite's C interface and through Qt's driver alike.
TEST_P(EditColumns, UpdateWritesTheChangedColumnsOnly) {
    for (const bool qtDriver : {false, true}) {
        SCOPED_TRACE(qtDriver ? "Qt driver" : "C interface");
        YFastStatement::ForceQtDriver(qtDriver);
        RunEdit(GetParam());
        YFastStatement::ForceQtDriver(false);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EditColumns, testing::ValuesIn(kEditCases),
                         [](const testing::TestParamInfo<EditCase>& info) {
                             return std::string(info.param.name);
                         });

// [土石计算中间表] with its bindings in reach: every double column by name and member.
class WideSet : public YZjTsjsSet {
  public:
    using YZjTsjsSet::YZjTsjsSet;
    struct Column {
        QString name;
        double* member;
    };
    std::vector<Column> Doubles() {
        YFieldExchange fx;
        DoFieldExchange(fx);
        std::vector<Column> cols;
        for (const auto& b : fx.Bindings()) {
            if (b.kind == YFieldExchange::Kind::Double) {
                cols.push_back({b.name, static_cast<double*>(b.member)});
            }
        }
        return cols;
    }
};

// Random edits of random column subsets of a wide table (many distinct sets of changed
// columns, values changed by one bit, set back, or to -0), with insertions, deletions and
// rolled-back savepoints, against a reference of what each row must hold.
TEST(YRecordsetWrite, RandomEditsOfWideRowsMatchAReference) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    WideSet set(db);
    ASSERT_TRUE(set.Open());
    const auto cols = set.Doubles();
    ASSERT_GT(cols.size(), 100u);
    using Values = std::vector<double>;
    std::map<qint64, Values> reference;
    std::mt19937 rng(11);
    const auto pick = [&](size_t n) { return size_t(rng() % n); };
    std::uniform_real_distribution<double> any(-1000, 1000);

    const auto add = [&](int i) {
        set.AddNew();
        set.m_staStart = YStation(i * 20.0);
        Values v(cols.size(), 0.0);
        for (int k = 0; k < 5; ++k) {
            const size_t c = pick(cols.size());
            v[c] = *cols[c].member = any(rng);
        }
        ASSERT_TRUE(set.Update());
        reference[set.LastInsertedRowId()] = v;
    };
    // Changes a random subset of columns of a random row; the reference takes the last value
    // given to each.
    const auto edit = [&](std::map<qint64, Values>& ref) {
        ASSERT_TRUE(set.SetPosition(int(pick(size_t(set.RecordCount())))));
        ASSERT_TRUE(set.Edit());
        Values& v = ref[set.RowId()];
        const size_t sizes[] = {0, 1, 1, 2, 3, 5, 12, cols.size()};
        const size_t n = sizes[pick(std::size(sizes))];
        for (size_t k = 0; k < n; ++k) {
            const size_t c = pick(cols.size());
            double& m = *cols[c].member;
            switch (rng() % 5) {
            case 0:
                m = std::nextafter(m, 1e9);
                break;
            case 1:
                m = m == 0.0 ? -0.0 : m; // the same value for the file
                break;
            case 2: {
                const double was = m;
                m = any(rng);
                m = was;
                break;
            }
            default:
                m = any(rng);
            }
            v[c] = m;
        }
        ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
    };
    const auto check = [&](int op) {
        QStringList names;
        for (const auto& c : cols) {
            names << u'[' + c.name + u']';
        }
        QSqlQuery q(db.Connection());
        ASSERT_TRUE(
            q.exec(QStringLiteral("SELECT rowid, %1 FROM [土石计算中间表]").arg(names.join(u','))));
        std::map<qint64, Values> file;
        while (q.next()) {
            Values& v = file[q.value(0).toLongLong()];
            for (size_t c = 0; c < cols.size(); ++c) {
                v.push_back(q.value(int(c) + 1).toDouble());
            }
        }
        ASSERT_EQ(file, reference) << "after operation " << op;
        std::map<qint64, Values> cached;
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
            Values& v = cached[set.RowId()];
            for (const auto& c : cols) {
                v.push_back(*c.member);
            }
        }
        ASSERT_EQ(cached, reference) << "after operation " << op;
    };

    {
        YTransaction tr(db);
        for (int i = 0; i < 30; ++i) {
            add(i);
        }
        ASSERT_TRUE(tr.Commit());
    }
    check(0);
    YTransaction all(db); // one sync for the lot; the scopes below nest as savepoints
    for (int op = 1; op <= 1500; ++op) {
        const unsigned kind = rng() % 20;
        if (kind < 14) {
            edit(reference);
        } else if (kind < 16) {
            add(30 + op);
        } else if (kind < 17 && set.RecordCount() > 10) {
            ASSERT_TRUE(set.SetPosition(int(pick(size_t(set.RecordCount())))));
            reference.erase(set.RowId());
            ASSERT_TRUE(set.Delete());
        } else if (kind < 19) {
            // Edits inside a savepoint that is rolled back, inside a transaction that is
            // committed or rolled back: the rollbacks take the file and the set back.
            YTransaction outer(db);
            auto kept = reference;
            edit(kept);
            {
                YTransaction inner(db);
                auto dropped = kept;
                edit(dropped);
                edit(dropped);
                inner.Rollback();
            }
            edit(kept);
            if (rng() % 2 == 0) {
                ASSERT_TRUE(outer.Commit());
                reference = kept;
            }
        }
        if (op % 100 == 0) {
            check(op);
        }
    }
    ASSERT_TRUE(all.Commit());
    check(-1);
}

} // namespace
