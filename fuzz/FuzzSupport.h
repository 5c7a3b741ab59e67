#pragma once

#include "core/platform/YSilentUserIO.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: one application object for Qt's plugins and codecs, a
// private folder for the files an input becomes, a user IO that keeps quiet, and the check
// that turns a broken promise of the code under test into a finding.
namespace dalvex::fuzz {

inline void StartQt() {
    static int argc = 1;
    static char name[] = "dalvex-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

inline const QTemporaryDir& Scratch() {
    static const QTemporaryDir dir;
    return dir;
}

inline QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = Scratch().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

inline QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A promise of the code under test that an input broke: the fuzzer keeps the input.
inline void Require(bool held, const char* promise) {
    if (!held) {
        std::fprintf(stderr, "broken: %s\n", promise);
        std::abort();
    }
}

} // namespace dalvex::fuzz
