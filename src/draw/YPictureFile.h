#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QPainter;

// Writes a picture drawn by render to a .png, .svg or .pdf file, chosen by the suffix. The file
// is written beside the target and renamed over it, so a failed picture leaves the old file.
namespace YPictureFile {
using Render = std::function<void(QPainter&, QSize)>;
// False with the reason (a suffix not offered, or a file that cannot be written).
[[nodiscard]] bool Save(const QString& path, QSize size, const QString& title, const Render& render,
                        QString& error);
} // namespace YPictureFile
