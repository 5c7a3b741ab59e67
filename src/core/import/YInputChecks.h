#pragma once

#include <QString>
#include <array>

class YDatabase;
class YUserIO;

// The checks the data-entry dialogs make on OK, and the edits they make there, on the project
// file itself so that the desktop dialogs and the command line share them.
class YInputChecks {
  public:
    // Contents of a class row may miss 100 % by this much (percent): rows such as
    // 33.3 / 33.3 / 33.4 do not add up to exactly 100.0 in binary floating point.
    static constexpr double ContentTolerance = 1e-8;
    // Coefficients are accepted within these bounds, inclusive.
    static constexpr double MinCoefficient = 0.0;
    static constexpr double MaxCoefficient = 100.0;

    // The input is editable while the current segment has no results: [土石计算],
    // [土石计算中间表], [调配过程表], [过程] and [Tmp调配过程表] are all empty.
    static bool IsEditable(YDatabase& db);

    // Every [土石含量] row's six class contents (NULL counts 0) add up to 100; else
    // "土石成分数据输入错误！" for the first row that does not.
    [[nodiscard]] static bool CheckContents(YDatabase& db, YUserIO& io);
    // The same for the six class percentages of every [取土坑] row, with the same tolerance.
    [[nodiscard]] static bool CheckPitContents(YDatabase& db, YUserIO& io);

    enum class WalkEnd {
        Done,       // every row's numeric station follows its text
        Unreadable, // stopped at a text that does not parse (rows from there keep theirs)
        Duplicate // stopped at a repeated text ("“%s”桩号的数据可能重复出现!" shown)
    };
    // Walks a station-keyed table ([逐桩断面], [竖曲线]: with the duplicate test; [路槽]:
    // without) in its station order and writes each row's parsed 桩号 into sta. One transaction.
    static WalkEnd SyncStations(YDatabase& db, YUserIO& io, const QString& table);

    // The six class coefficients (土方1 … 石方3), each within 0 … 100, written into the first
    // [土石系数] row (created when the table is empty). Out of range: a message, nothing
    // written.
    [[nodiscard]] static bool SetCoefficients(YDatabase& db, YUserIO& io,
                                              const std::array<double, 6>& coef);
    static QString RangeMessage();

  private:
    [[nodiscard]] static bool CheckSums(YDatabase& db, YUserIO& io, const QString& table,
                                        const QString& columns);
};
