#include "ImportFixture.h"

#include "core/db/YSchema.h"
#include "core/station/YStation.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

ImportFixture::ImportFixture(int version) {
    dalvex::test::EnsureCoreApp();
    EXPECT_TRUE(db.Create(dir.Path(QStringLiteral("p.dvx")), version))
        << db.LastError().toStdString();
    if (version < 6) {
        EXPECT_TRUE(YSchema::AddDetourColumn(db));
    }
}

QString ImportFixture::File(const QString& name, const QByteArray& bytes) const {
    const QString path = dir.Path(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray ImportFixture::ReadFile(const QString& path) const {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void ImportFixture::Exec(const QString& sql, const QVariantList& params) {
    ASSERT_TRUE(db.Exec(sql, params)) << sql.toStdString() << ": " << db.LastError().toStdString();
}

QStringList ImportFixture::Rows(const QString& sql) {
    QStringList rows;
    QSqlQuery q(db.Connection());
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    while (q.next()) {
        QStringList cols;
        for (int i = 0; i < q.record().count(); ++i) {
            cols.append(q.value(i).toString());
        }
        rows.append(cols.join(QLatin1Char('|')));
    }
    return rows;
}

int ImportFixture::Count(const QString& table) {
    const auto n = db.QueryValue(QStringLiteral("SELECT COUNT(*) FROM [%1]").arg(table));
    return n ? n->toInt() : -1;
}
