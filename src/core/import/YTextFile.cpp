#include "core/import/YTextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

std::optional<QByteArray> YTextFile::ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

QString YTextFile::Decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF))) {
            text.remove(0, 1);
        }
        return text;
    }
    QStringDecoder gbk("GB18030"); // a superset of GBK
    if (gbk.isValid()) {
        return gbk(bytes);
    }
    return QString::fromLocal8Bit(bytes);
}

bool YTextFile::WriteUtf8(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

QString YTextFile::BadLineMessage(const QString& path, int line, const QString& reason) {
    return QStringLiteral("数据文件%1第%2行%3,请改正后再运行\n")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()))
        .arg(line)
        .arg(reason.isEmpty() ? QStringLiteral("格式不对") : reason);
}
