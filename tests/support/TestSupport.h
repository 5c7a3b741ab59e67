#pragma once

#include <QString>
#include <QTemporaryDir>

// Shared helpers of the test executables.
namespace dalvex::test {

// A scratch folder removed when the test ends; Path("a.dvx") names a file inside it.
class ScratchDir {
  public:
    ScratchDir();
    QString Path(const QString& name) const;

  private:
    QTemporaryDir m_dir;
};

// Display text of a station in a project without chain breaks or label ("K1+200.000"), as
// test data is typed.
QString StaText(double metres);

// A QCoreApplication for tests that need one (QSettings, event loop); created once.
void EnsureCoreApp();

} // namespace dalvex::test

#include <ostream>

// Readable QString values in gtest failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
