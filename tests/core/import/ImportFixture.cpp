#include "ImportFixture.h"

#include <QFile>
#include <gtest/gtest.h>

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
