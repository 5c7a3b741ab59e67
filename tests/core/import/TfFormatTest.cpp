#include "core/import/TfFormat.h"
#include "core/platform/YProfile.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <gtest/gtest.h>
#include <ostream>
#include <tuple>

namespace {

class TfFormatTest : public testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        YProfile::UseFile(m_dir.Path(QStringLiteral("profile.ini")));
    }
    static TfFormat Named(const QString& name, int stationCol = 1) {
        TfFormat f;
        f.m_strName = name;
        f.m_nStationCol = stationCol;
        return f;
    }
    static TfFormat Format(const QString& name, const QString& suffix, int start, int station,
                           int cut, int fill, int readHeight, int height) {
        TfFormat f = Named(name, station);
        f.m_strSuffix = suffix;
        f.m_nStartLine = start;
        f.m_nCutCol = cut;
        f.m_nFillCol = fill;
        f.m_bReadHeight = readHeight;
        f.m_nHeightCol = height;
        return f;
    }
    // Every stored entry, to compare formats whole.
    static auto Fields(const TfFormat& f) {
        return std::make_tuple(f.m_strName, f.m_strSuffix, f.m_nStartLine, f.m_nStationCol,
                               f.m_nCutCol, f.m_nFillCol, f.ReadsHeight(), f.m_nHeightCol);
    }
    dalvex::test::ScratchDir m_dir;
};

TEST_F(TfFormatTest, MissingSlotGivesTheDefaults) {
    EXPECT_EQ(Fields(TfFormat::Load(4)), Fields(Format("自定义", "", 1, 1, 3, 4, 1, 2)));
    EXPECT_EQ(TfFormat::SlotName(4), "");
}

TEST_F(TfFormatTest, StoreAndLoadRoundTripUnderTheChineseEntries) {
    const TfFormat f = Format("纬地", "tf", 3, 2, 5, 6, 0, 9);
    ASSERT_EQ(f.Store(), 0);
    EXPECT_EQ(Fields(TfFormat::Load(0)), Fields(f));
    // The entries are those of the profile section, read by anyone who opens it.
    YProfile& p = YProfile::Instance();
    EXPECT_EQ(p.GetString("土方格式/格式0", QString()), "纬地");
    EXPECT_EQ(p.GetInt("土方格式/格式0", "开始行"), 3);
    EXPECT_EQ(p.GetInt("土方格式/格式0", "包含填挖高", 7), 0);
}

TEST_F(TfFormatTest, SlotIsChosenByNameNotByMenuItem) {
    ASSERT_EQ(Named("A").Store(), 0);
    ASSERT_EQ(Named("B").Store(), 1);
    // Same name again: its own slot, updated in place.
    ASSERT_EQ(Named("A", 7).Store(), 0);
    EXPECT_EQ(TfFormat::Load(0).m_nStationCol, 7);
    // A renamed format is a new one in the first free slot.
    TfFormat renamed = TfFormat::Load(0);
    renamed.m_strName = "C";
    ASSERT_EQ(renamed.Store(), 2);
    EXPECT_EQ(TfFormat::SlotName(0), "A");
    EXPECT_EQ(TfFormat::SlotName(2), "C");
}

TEST_F(TfFormatTest, FreedSlotIsReusedFirst) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(Named(QString("F%1").arg(i)).Store(), i);
    }
    YProfile::Instance().WriteString(TfFormat::Section(1), QString(), QString());
    EXPECT_EQ(Named("new").Store(), 1);
}

TEST_F(TfFormatTest, PlaceholderEmptyNameAndFullProfileAreNotStored) {
    EXPECT_FALSE(Named("自定义").Store().has_value());
    EXPECT_FALSE(Named("").Store().has_value());
    EXPECT_EQ(TfFormat::SlotName(0), "");
    for (int i = 0; i < TfFormat::SlotCount; ++i) {
        ASSERT_EQ(Named(QString("F%1").arg(i)).Store(), i);
    }
    EXPECT_FALSE(Named("eleventh").Store().has_value());
    EXPECT_FALSE(TfFormat::SlotFor("eleventh").has_value());
    // An existing name still finds its slot when the profile is full.
    EXPECT_EQ(Named("F9", 4).Store(), 9);
}

TEST_F(TfFormatTest, ColumnMapPutsRolesOnColumnsLaterOverwriting) {
    TfFormat f = Format("x", "", 1, 1, 3, 30, 1, 2);
    TfFormat::ColumnMap map = f.BuildColumnMap();
    EXPECT_EQ(map[0], TfFormat::Station);
    EXPECT_EQ(map[1], TfFormat::Height);
    EXPECT_EQ(map[2], TfFormat::CutArea);
    EXPECT_EQ(map[29], TfFormat::FillArea);
    f.m_bReadHeight = 0;
    EXPECT_EQ(f.BuildColumnMap()[1], TfFormat::Ignore);
    // Cut is assigned after fill, so it wins a shared column.
    f.m_nCutCol = 30;
    EXPECT_EQ(f.BuildColumnMap()[29], TfFormat::CutArea);
}

struct OkCase {
    const char* name;
    const char* formatName;
    int station, cut, fill, readHeight, height, start;
    const char* message; // empty: accepted
};
// Names the case in test output.
void PrintTo(const OkCase& c, std::ostream* os) {
    *os << c.name;
}

class TfFormatOk : public TfFormatTest, public testing::WithParamInterface<OkCase> {};

TEST_P(TfFormatOk, ChecksInOrder) {
    const OkCase& c = GetParam();
    const TfFormat f = Format(QString::fromUtf8(c.formatName), QString(), c.start, c.station, c.cut,
                              c.fill, c.readHeight, c.height);
    YRecordingUserIO io;
    const bool ok = f.CheckOnOk(io);
    const QString want = QString::fromUtf8(c.message);
    EXPECT_EQ(ok, want.isEmpty()) << c.name;
    EXPECT_EQ(io.Texts(), want.isEmpty() ? QStringList() : QStringList{want}) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TfFormatOk,
    testing::Values(
        OkCase{"defaults with a name", "纬地", 1, 3, 4, 1, 2, 1, ""},
        OkCase{"placeholder name", "自定义", 1, 3, 4, 1, 2, 1, "请先输入文件类型!"},
        OkCase{"empty name", "", 1, 3, 4, 1, 2, 1, "请先输入文件类型!"},
        OkCase{"height on the cut column", "a", 1, 3, 4, 1, 3, 1, "输入数据列重复！"},
        OkCase{"cut and fill share", "a", 1, 4, 4, 0, 2, 1, "输入数据列重复！"},
        OkCase{"height column ignored when not read", "a", 1, 3, 4, 0, 3, 1, ""},
        OkCase{"column 30 is the last", "a", 30, 3, 4, 0, 2, 1, ""},
        OkCase{"column 31 refused", "a", 31, 3, 4, 0, 2, 1, "数据列应在第1列到第30列之间！"},
        OkCase{"column 0 refused", "a", 1, 0, 4, 0, 2, 1, "数据列应在第1列到第30列之间！"},
        OkCase{"start line 0 refused", "a", 1, 3, 4, 1, 2, 0, "数据开始行应不小于1！"}),
    [](const testing::TestParamInfo<OkCase>& info) { return std::to_string(info.index); });

} // namespace
