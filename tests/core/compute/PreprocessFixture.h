#pragma once

#include "core/compute/YPreprocessor.h"
#include "support/ProjectFixture.h"

#include <QString>
#include <QVariantList>
#include <map>
#include <vector>

// A project file in a scratch folder with helpers to fill the input tables and read results.
class PreprocessFixture : public dalvex::test::TestDatabase {
  public:
    // Every column of a row by name; asking for a column the row lacks throws, so a misspelt
    // name fails the test instead of reading 0.
    struct Row : std::map<QString, double> {
        double operator[](const QString& column) const { return at(column); }
    };

    using TestDatabase::TestDatabase;

    // Cross-section at station s (m): cut and fill areas (m²), centre height h (m).
    void Section(double s, double cut, double fill, double h);
    // Contents row at station s: six class percentages and six usable rates (%).
    void Contents(double s, const std::vector<double>& pct, double usable = 100.0);
    void Trough(double s, double depth, double width);
    void Structure(double start, double end, bool crossable = false);
    void Segment(int number, double end);

    YPreprocessor::Result Run(quint32 word = YPreprocessOptions::DefaultWord, double soilLoss = 0,
                              double rockLoss = 0);

    // Rows of a result table in station order, every column by name.
    std::vector<Row> Rows(const QString& table = QStringLiteral("土石计算"));
};
