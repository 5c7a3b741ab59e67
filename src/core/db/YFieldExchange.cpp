#include "core/db/YFieldExchange.h"

#include "core/db/YLooseClasses.h"
#include "core/db/YSoilRockClasses.h"
#include "core/station/YStation.h"

void YFieldExchange::Add(QAnyStringView name, Kind kind, void* member, YStation* station) {
    Binding b;
    b.name = name.toString();
    b.kind = kind;
    b.member = member;
    b.station = station;
    b.slot = IsText(kind) ? m_nTexts++ : m_nNumbers++;
    m_bindings.push_back(std::move(b));
}

void YFieldExchange::Text(QAnyStringView name, QString& value) {
    Add(name, Kind::Text, &value);
}

void YFieldExchange::StationText(QAnyStringView name, QString& text, YStation& station) {
    Add(name, Kind::StationText, &text, &station);
}

void YFieldExchange::Double(QAnyStringView name, double& value) {
    Add(name, Kind::Double, &value);
}

void YFieldExchange::Doubles(QAnyStringView pattern, double* values, int n, int first) {
    const QString p = pattern.toString();
    for (int i = 0; i < n; ++i) {
        Double(p.arg(first + i), values[i]);
    }
}

void YFieldExchange::OptDouble(QAnyStringView name, std::optional<double>& value) {
    Add(name, Kind::OptDouble, &value);
}

void YFieldExchange::Metres(QAnyStringView name, YStation& value) {
    Add(name, Kind::Metres, &value);
}

void YFieldExchange::StationMirror(QAnyStringView name, const YStation& station) {
    // Only read from: the column is written from the station, never into it.
    Add(name, Kind::StationMirror, const_cast<YStation*>(&station));
}

void YFieldExchange::Long(QAnyStringView name, qint32& value) {
    Add(name, Kind::Long, &value);
}

void YFieldExchange::Int(QAnyStringView name, qint16& value) {
    Add(name, Kind::Int, &value);
}

void YFieldExchange::Bool(QAnyStringView name, bool& value) {
    Add(name, Kind::Bool, &value);
}

void YFieldExchange::SoilRock(const QString& prefix, const QString& suffix,
                              YSoilRockClasses& values) {
    const QStringList names = YSoilRockClasses::ColumnNames(prefix, suffix);
    Double(names[0], values.dSoil);
    Double(names[1], values.dRock);
    for (int k = 0; k < 6; ++k) {
        Double(names[2 + k], values.d[k]);
    }
}

void YFieldExchange::Loose(const QString& prefix, YLooseClasses& values) {
    const QStringList names = YLooseClasses::ColumnNames(prefix);
    Double(names[0], values.dSoilLoose);
    Double(names[1], values.dRockLoose);
    for (int k = 0; k < 6; ++k) {
        Double(names[2 + k], values.dLoose[k]);
    }
    for (int k = 0; k < 6; ++k) {
        Double(names[8 + k], values.d[k]);
    }
}

std::vector<YColumnDef> YFieldExchange::Columns() const {
    std::vector<YColumnDef> cols;
    cols.reserve(m_bindings.size());
    for (const Binding& b : m_bindings) {
        cols.push_back({b.name, TypeOf(b.kind)});
    }
    return cols;
}

YColType YFieldExchange::TypeOf(Kind kind) {
    switch (kind) {
    case Kind::Text:
    case Kind::StationText:
        return YColType::Text;
    case Kind::Long:
        return YColType::Long;
    case Kind::Int:
        return YColType::Int;
    case Kind::Bool:
        return YColType::Bool;
    default:
        return YColType::Double;
    }
}
