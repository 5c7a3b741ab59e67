#pragma once

#include "core/db/YDatabase.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>

// A project file of a layout version in a scratch folder, with helpers for files and queries.
class ImportFixture {
  public:
    explicit ImportFixture(int version = 6);

    // Writes bytes to a file in the scratch folder and returns its path.
    QString File(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& path) const;
    void Exec(const QString& sql, const QVariantList& params = {});
    // Every row of a query, columns joined by "|".
    QStringList Rows(const QString& sql);
    int Count(const QString& table);

    dalvex::test::ScratchDir dir;
    YDatabase db;
    YRecordingUserIO io;
};
