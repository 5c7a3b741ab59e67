#pragma once

#include <QString>

class YUserIO;

// The file a verb writes (a table, a workbook, a picture). Refused, after saying why, when it
// is the project file itself (through any path or link) or an existing file that is not a
// regular one (a pipe, a device): writing a temporary file and renaming it over such a target
// would replace it.
class YCliOutput {
  public:
    [[nodiscard]] static bool Check(const QString& output, const QString& project, YUserIO& io);
};
