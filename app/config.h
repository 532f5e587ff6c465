// The configuration file "Tab97.cfg": six lines of decimal integers, the decimal
// places of T, P, V, S, I and X, lines ended by CR LF.
#pragma once

#include <QString>

#include <array>

namespace tab97 {

inline constexpr char kConfigFileName[] = "Tab97.cfg";

// Decimal places indexed by quantity 1..6 (index 0 unused).
using DecimalPlacesArray = std::array<int, 7>;

// 2, 3, 6, 4, 3, 4 for T, P, V, S, I, X.
DecimalPlacesArray DefaultDecimalPlaces();

// Reads lines 1..6 in turn into places[1..6]. Stops at the first line that is
// missing or not a decimal integer (optional sign, digits, blanks around them
// allowed, within the int range); values stored before that stay, the rest are
// untouched. Lines after the sixth are not read. No range check is made on the
// values. Returns true when all six were read; false also when the file cannot
// be opened. Lines may end in CR LF, LF or CR.
bool ReadConfig(const QString& path, DecimalPlacesArray& places);

// Replaces the file by six lines "<places[q]>\r\n". Returns false when it
// cannot be written; the old file then stays as it was.
bool WriteConfig(const QString& path, const DecimalPlacesArray& places);

}  // namespace tab97
