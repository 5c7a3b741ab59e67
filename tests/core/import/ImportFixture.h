#pragma once

#include "support/ProjectFixture.h"

#include <QByteArray>
#include <QString>

// A project file of a layout version in a scratch folder, with files to import beside it.
class ImportFixture : public dalvex::test::TestDatabase {
  public:
    using TestDatabase::TestDatabase;

    // Writes bytes to a file in the scratch folder and returns its path.
    QString File(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& path) const;
};
