#pragma once

#include <QIcon>
#include <QPixmap>

// The pictograms of the standard tool bar, drawn in code as 16 × 15 pixel images (the tool bar's
// button image size), one per command id; a null pixmap for an id without a button.
namespace YToolIcons {
constexpr int Width = 16;
constexpr int Height = 15;

QPixmap Pixmap(int nCommandId);
QIcon Icon(int nCommandId);
} // namespace YToolIcons
