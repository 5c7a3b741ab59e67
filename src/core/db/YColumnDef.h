#pragma once

#include <QString>

// Column types of the project file. In SQLite they are declared as VARCHAR(255), DOUBLE,
// INTEGER, SMALLINT and BOOLEAN, which give TEXT, REAL, INTEGER, INTEGER and NUMERIC affinity.
enum class YColType {
    Text,   // text of at most 255 characters
    Double, // double-precision number
    Long,   // signed 32-bit integer
    Int,    // signed 16-bit integer
    Bool    // yes/no, stored as 0 or 1 (a legacy -1 reads as yes)
};

// One column of a table as the schema declares it and a record set binds it.
struct YColumnDef {
    QString name;
    YColType type = YColType::Double;

    friend bool operator==(const YColumnDef& a, const YColumnDef& b) = default;
};
