#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reading and writing the small text files users exchange with other programs. Chinese design
// programs commonly write GBK; ours write UTF-8. A file that is valid UTF-8 (a byte-order mark
// allowed) is read as such, anything else as GBK.
class YTextFile {
  public:
    // The whole file's bytes; empty when it cannot be opened.
    static std::optional<QByteArray> ReadBytes(const QString& path);
    static QString Decode(const QByteArray& bytes);
    // Writes the text as UTF-8, replacing the file only when all of it was written.
    [[nodiscard]] static bool WriteUtf8(const QString& path, const QString& text);
    // The message of a file that fails at a line (physical line number from 1); reason says
    // what is wrong there, the plain format message when empty.
    static QString BadLineMessage(const QString& path, int line, const QString& reason = {});
};
