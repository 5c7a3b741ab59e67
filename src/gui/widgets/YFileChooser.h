#pragma once

#include <QString>

class QWidget;

// Asks the user for file names. Filters are written the way the program's resources always
// wrote them: "description|pattern|description|pattern||". The desktop program uses the
// standard file dialogs; tests put a scripted chooser in their place.
class YFileChooser {
  public:
    virtual ~YFileChooser() = default;

    // A file to write; empty when the user cancelled. The dialog asks before overwriting.
    virtual QString SaveFileName(QWidget* parent, const QString& filter,
                                 const QString& proposedName, const QString& defaultSuffix);
    // An existing file to read; empty when the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter);

    // "a(*.x)|*.x|b|*.y||" as a Qt filter: "a(*.x);;b (*.y)". An empty filter stays empty.
    static QString QtFilter(const QString& filter);
};
