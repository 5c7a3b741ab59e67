#pragma once

#include <QString>
#include <QUuid>

// Project identities as the project files have always stored them: 32 hexadecimal digits,
// the first 32-bit part and the first 16-bit part upper case, the second 16-bit part lower
// case, the eight bytes upper case ("%08lX%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X").
namespace YGuid {
QString Format(const QUuid& uuid);
QString NewText();
} // namespace YGuid
