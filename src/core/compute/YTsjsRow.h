#pragma once

#include <QString>
#include <array>
#include <vector>

// One row of [土石计算] / [土石计算中间表]: the quantities of one computation segment (the
// stretch between two consecutive cross-sections) as the preprocessing writes them.
//
// The values are held flat in the column order of the newest layout (136 columns, version 3 and
// later); older layouts are subsets of it in the same order (98 columns at version 2, 30 at
// version 1), so writing a row to an old file only drops columns. Units: stations and lengths
// in m, areas in m², volumes in m³. A column without a suffix is a natural (in-place) volume,
// "(压实)" a compacted one (natural / class coefficient), "(松方)" the loose figure the tables
// print. Class groups hold six values, class k = 1..6 (松土, 普通土, 硬土, 软石, 次坚石, 坚石).
class YTsjsRow {
  public:
    enum Col : int {
        Start,                      // 起始桩号
        End,                        // 终止桩号
        CutAvg,                     // 挖方平均面积
        FillAvg,                    // 填方平均面积
        Dist,                       // 距离
        CutTotal,                   // 挖方总量
        Content,                    // 1含量 … 6含量, percent of the cut
        Coef = Content + 6,         // 1系数 … 6系数, natural-to-compacted divisors
        Qty = Coef + 6,             // 1数量 … 6数量
        QtyC = Qty + 6,             // 1数量(压实) …
        FillTotal = QtyC + 6,       // 填方总量 (compacted)
        FillSoil,                   // 填土量
        FillRock,                   // 填石量
        FillSoilL,                  // 填土量(松方)
        FillRockL,                  // 填石量(松方)
        Fill,                       // 填1 … 填6
        FillC = Fill + 6,           // 填1(压实) …
        UseSoil = FillC + 6,        // 本桩利用土
        UseRock,                    // 本桩利用石
        UseSoilL,                   // 利用土(松方)
        UseRockL,                   // 利用石(松方)
        Use,                        // 利1 … 利6
        UseC = Use + 6,             // 利1(压实) …
        FillAfter = UseC + 6,       // 利用后填方总量
        LackSoil,                   // 填缺土
        LackRock,                   // 填缺石
        LackSoilL,                  // 填缺土(松方)
        LackRockL,                  // 填缺石(松方)
        Lack,                       // 缺1 … 缺6
        LackC = Lack + 6,           // 缺1(压实) …
        RemSoil = LackC + 6,        // 挖余土
        RemRock,                    // 挖余石
        RemSoilC,                   // 挖余土(压实)
        RemRockC,                   // 挖余石(压实)
        Rem,                        // 余1 … 余6
        RemC = Rem + 6,             // 余1(压实) …
        LossSoil = RemC + 6,        // 土方损耗率
        LossRock,                   // 石方损耗率
        UsableSoil,                 // 可用挖余土
        UsableRock,                 // 可用挖余石
        UsableSoilC,                // 可用挖余土(压实)
        UsableRockC,                // 可用挖余石(压实)
        Usable,                     // 可用余1 …
        UsableC = Usable + 6,       // 可用余1(压实) …
        UnusableSoil = UsableC + 6, // 不可用挖余土
        UnusableRock,               // 不可用挖余石
        UnusableSoilC,              // 不可用挖余土(压实)
        UnusableRockC,              // 不可用挖余石(压实)
        Unusable,                   // 不可用余1 …
        UnusableC = Unusable + 6,   // 不可用余1(压实) …
        Ratio = UnusableC + 6,      // 1可用比例 … 6可用比例, fractions
        Count = Ratio + 6
    };

    double& operator[](int col) { return m_values[static_cast<size_t>(col)]; }
    double operator[](int col) const { return m_values[static_cast<size_t>(col)]; }
    // Element of class k (1..6) of a class group, e.g. At(Qty, 4) is 4数量.
    double& At(int group, int k) { return m_values[static_cast<size_t>(group + k - 1)]; }
    double At(int group, int k) const { return m_values[static_cast<size_t>(group + k - 1)]; }

    // Column name of a column index ("挖方总量", "3数量(压实)", ...).
    static QString ColumnName(int col);
    // The column indexes a layout version stores, in table order: 30 below version 2, 98 at
    // version 2, all 136 from version 3.
    static const std::vector<int>& Columns(int version);
    // The bracketed, comma-separated column list of a version, for SQL.
    static QString SqlColumnList(int version);

  private:
    std::array<double, Count> m_values{};
};
