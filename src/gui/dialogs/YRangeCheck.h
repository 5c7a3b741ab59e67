#pragma once

#include <QString>
#include <optional>

class QLineEdit;
class YUserIO;

// Reading a number typed into an edit box, with the usual messages when it is no number or
// lies outside its range; the edit gets the focus and its text is selected again.
namespace YRangeCheck {
// The number in the edit when it lies within [dMin, dMax]; empty after the message.
std::optional<double> Read(QLineEdit& edit, double dMin, double dMax, YUserIO& io);
QString NotNumberText();
QString RangeText(double dMin, double dMax);
} // namespace YRangeCheck
