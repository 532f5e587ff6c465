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

enum class ConfigStatus {
  kRead,        // all six values read
  kMissing,     // no file of that name: written afresh on closing
  kMalformed,   // a line missing or not an integer: rewritten in full on closing
  kUnreadable,  // exists but is no file we may take over: kept as it is on closing
};

// Reads lines 1..6 in turn into places[1..6]. Stops at the first line that is
// missing or not a decimal integer (optional sign, digits, blanks around them
// allowed, within the int range); values stored before that stay, the rest are
// untouched. Lines after the sixth are not read. No range check is made on the
// values. Lines may end in CR LF, LF or CR.
// Only a regular file is opened: a FIFO, device or directory of that name is
// unreadable at once, without waiting on it. So is a file that cannot be opened
// or is far too large to be a configuration, and a symbolic link whose target
// holds no configuration (closing must not write six lines into some other file).
ConfigStatus ReadConfig(const QString& path, DecimalPlacesArray& places);

// Whether closing may write the file after reading it gave `status`.
inline bool MayRewriteConfig(ConfigStatus status) { return status != ConfigStatus::kUnreadable; }

// Replaces the file by six lines "<places[q]>\r\n" through the safe save.
// Returns false with the reason when it cannot be written; the old file then
// stays as it was.
bool WriteConfig(const QString& path, const DecimalPlacesArray& places, QString* error = nullptr);

}  // namespace tab97
