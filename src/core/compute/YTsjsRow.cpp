#include "core/compute/YTsjsRow.h"

#include <QStringList>

namespace {

// A run of columns: one named column, or a class group of six whose name carries the class
// number in place of %1. minVersion is the oldest layout that stores the run.
struct ColumnRun {
    int first;
    const char* name;
    int minVersion;
};

using R = YTsjsRow;

// Table order of the newest layout. Each entry ends where the next begins.
constexpr ColumnRun kRuns[] = {
    {R::Start, "起始桩号", 1},
    {R::End, "终止桩号", 1},
    {R::CutAvg, "挖方平均面积", 1},
    {R::FillAvg, "填方平均面积", 1},
    {R::Dist, "距离", 1},
    {R::CutTotal, "挖方总量", 1},
    {R::Content, "%1含量", 1},
    {R::Coef, "%1系数", 2},
    {R::Qty, "%1数量", 1},
    {R::QtyC, "%1数量(压实)", 2},
    {R::FillTotal, "填方总量", 1},
    {R::FillSoil, "填土量", 1},
    {R::FillRock, "填石量", 1},
    {R::FillSoilL, "填土量(松方)", 2},
    {R::FillRockL, "填石量(松方)", 2},
    {R::Fill, "填%1", 2},
    {R::FillC, "填%1(压实)", 2},
    {R::UseSoil, "本桩利用土", 1},
    {R::UseRock, "本桩利用石", 1},
    {R::UseSoilL, "利用土(松方)", 2},
    {R::UseRockL, "利用石(松方)", 2},
    {R::Use, "利%1", 2},
    {R::UseC, "利%1(压实)", 2},
    {R::FillAfter, "利用后填方总量", 1},
    {R::LackSoil, "填缺土", 1},
    {R::LackRock, "填缺石", 1},
    {R::LackSoilL, "填缺土(松方)", 2},
    {R::LackRockL, "填缺石(松方)", 2},
    {R::Lack, "缺%1", 2},
    {R::LackC, "缺%1(压实)", 2},
    {R::RemSoil, "挖余土", 1},
    {R::RemRock, "挖余石", 1},
    {R::RemSoilC, "挖余土(压实)", 1},
    {R::RemRockC, "挖余石(压实)", 1},
    {R::Rem, "余%1", 2},
    {R::RemC, "余%1(压实)", 2},
    {R::LossSoil, "土方损耗率", 2},
    {R::LossRock, "石方损耗率", 2},
    {R::UsableSoil, "可用挖余土", 3},
    {R::UsableRock, "可用挖余石", 3},
    {R::UsableSoilC, "可用挖余土(压实)", 3},
    {R::UsableRockC, "可用挖余石(压实)", 3},
    {R::Usable, "可用余%1", 3},
    {R::UsableC, "可用余%1(压实)", 3},
    {R::UnusableSoil, "不可用挖余土", 3},
    {R::UnusableRock, "不可用挖余石", 3},
    {R::UnusableSoilC, "不可用挖余土(压实)", 3},
    {R::UnusableRockC, "不可用挖余石(压实)", 3},
    {R::Unusable, "不可用余%1", 3},
    {R::UnusableC, "不可用余%1(压实)", 3},
    {R::Ratio, "%1可用比例", 3},
};
constexpr int kRunCount = static_cast<int>(sizeof kRuns / sizeof kRuns[0]);

int RunEnd(int i) {
    return i + 1 < kRunCount ? kRuns[i + 1].first : R::Count;
}

struct Layouts {
    std::vector<QString> names;
    std::vector<int> columns[3]; // versions 1, 2, 3+
    QString sql[3];

    Layouts() : names(R::Count) {
        for (int i = 0; i < kRunCount; ++i) {
            const QString name = QString::fromUtf8(kRuns[i].name);
            for (int c = kRuns[i].first; c < RunEnd(i); ++c) {
                names[static_cast<size_t>(c)] =
                    name.contains(QLatin1String("%1")) ? name.arg(c - kRuns[i].first + 1) : name;
                for (int v = kRuns[i].minVersion; v <= 3; ++v) {
                    columns[v - 1].push_back(c);
                }
            }
        }
        for (int v = 0; v < 3; ++v) {
            QStringList quoted;
            for (int c : columns[v]) {
                quoted.append(QLatin1Char('[') + names[static_cast<size_t>(c)] + QLatin1Char(']'));
            }
            sql[v] = quoted.join(QLatin1Char(','));
        }
    }
};

const Layouts& TheLayouts() {
    static const Layouts layouts;
    return layouts;
}

int LayoutIndex(int version) {
    return version < 2 ? 0 : (version == 2 ? 1 : 2);
}

} // namespace

QString YTsjsRow::ColumnName(int col) {
    return TheLayouts().names.at(static_cast<size_t>(col));
}

const std::vector<int>& YTsjsRow::Columns(int version) {
    return TheLayouts().columns[LayoutIndex(version)];
}

QString YTsjsRow::SqlColumnList(int version) {
    return TheLayouts().sql[LayoutIndex(version)];
}
