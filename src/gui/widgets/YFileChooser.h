#pragma once

#include <QString>
#include <functional>

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

    // Where the dialogs open: a file to write starts in the active project's folder, a file to
    // read in the folder last chosen from; each falls back on the other, then on the working
    // directory.
    enum class Purpose { Write, Read };
    QString StartFolder(Purpose purpose) const;
    // The folder of the active project (empty when none), asked at each dialog.
    void SetProjectFolderFinder(std::function<QString()> finder) {
        m_projectFolder = std::move(finder);
    }
    // Notes the folder of a file the user chose.
    void Remember(const QString& chosenFile);

    // "a(*.x)|*.x|b|*.y||" as a Qt filter: "a(*.x);;b (*.y)". An empty filter stays empty.
    static QString QtFilter(const QString& filter);

  private:
    std::function<QString()> m_projectFolder;
    QString m_strLastFolder;
};
