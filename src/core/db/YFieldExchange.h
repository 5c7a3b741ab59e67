#pragma once

#include "core/db/YColumnDef.h"

#include <QAnyStringView>
#include <QString>
#include <optional>
#include <vector>

class YStation;
struct YLooseClasses;
struct YSoilRockClasses;

// The column list of a record set: each call binds one column, by name, to a member of the
// set. A set's DoFieldExchange runs once when the set opens; the list it leaves serves the
// SELECT, the INSERT and the UPDATE and moves values between the cached rows and the members,
// so a set names each of its columns once.
class YFieldExchange {
  public:
    enum class Kind {
        Text,          // QString; NULL reads as a null QString
        StationText,   // QString kept with a YStation parsed from it
        Double,        // double; NULL reads as 0
        OptDouble,     // std::optional<double>; NULL reads as no value
        Metres,        // YStation stored as a double in m
        StationMirror, // double column written from a YStation (sta, ssta); not read back
        Long,          // qint32
        Int,           // qint16
        Bool           // bool
    };

    struct Binding {
        QString name;
        Kind kind = Kind::Double;
        void* member = nullptr;
        YStation* station = nullptr; // StationText: the station parsed from the text
        int slot = 0;                // index into the cached row's texts or numbers
    };

    void Text(QAnyStringView name, QString& value);
    // A station held as display text; after each read the text is parsed into station (an
    // unreadable text gives station 0), and before each write the changed side is carried
    // over to the other (see YRecordset).
    void StationText(QAnyStringView name, QString& text, YStation& station);
    void Double(QAnyStringView name, double& value);
    // Doubles named by a pattern with %1 = first … first + n - 1, e.g. ("%1含量", m_dContent).
    void Doubles(QAnyStringView pattern, double* values, int n = 6, int first = 1);
    void OptDouble(QAnyStringView name, std::optional<double>& value);
    void Metres(QAnyStringView name, YStation& value);
    void StationMirror(QAnyStringView name, const YStation& station);
    void Long(QAnyStringView name, qint32& value);
    void Int(QAnyStringView name, qint16& value);
    void Bool(QAnyStringView name, bool& value);
    // The eight doubles of YSoilRockClasses::ColumnNames(prefix, suffix).
    void SoilRock(const QString& prefix, const QString& suffix, YSoilRockClasses& values);
    // The fourteen doubles of YLooseClasses::ColumnNames(prefix).
    void Loose(const QString& prefix, YLooseClasses& values);

    const std::vector<Binding>& Bindings() const { return m_bindings; }
    int TextSlots() const { return m_nTexts; }
    int NumberSlots() const { return m_nNumbers; }
    std::vector<YColumnDef> Columns() const;

    static YColType TypeOf(Kind kind);
    static bool IsText(Kind kind) { return kind == Kind::Text || kind == Kind::StationText; }

  private:
    void Add(QAnyStringView name, Kind kind, void* member, YStation* station = nullptr);

    std::vector<Binding> m_bindings;
    int m_nTexts = 0;
    int m_nNumbers = 0;
};
