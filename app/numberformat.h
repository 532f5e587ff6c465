// Numbers as the window shows and reads them.
#pragma once

#include <QChar>
#include <QString>

namespace tab97 {

// Fixed-point text of a value: first reduced to 10 significant digits, then
// written with exactly `decimals` digits after `separator` (rounding half away
// from zero on those 10 digits), no thousands separators. A value whose integer
// part needs more than 10 digits is written in scientific notation instead
// (10 significant digits, e.g. "1,234567890E+12"). Decimals are used within
// 0..18; a value that rounds to zero carries no minus sign. NaN and infinities
// read "NAN", "INF" and "-INF".
QString FormatFixed(double value, int decimals, QChar separator);

// The text of a computed result: "0" for exactly 0.0, FormatFixed otherwise.
QString FormatResult(double value, int decimals, QChar separator);

// Reads a number typed by the user: every '.' and ',' is first replaced by
// `separator`, then the text must be an optional sign, digits with at most one
// separator (at least one digit in all), and an optional exponent; blanks
// around it are allowed, nothing else (no thousands separators). Returns false
// and leaves `value` alone for anything else, and for a finite text whose value
// overflows a double.
bool ParseUserNumber(const QString& text, QChar separator, double& value);

}  // namespace tab97
