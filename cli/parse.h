// Reading and writing the values of the command-line tool: known pairs given as
// letters or as a pair code, strictly parsed numbers, and number formatting.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace if97::cli {

// A known pair as the user gave it. `code` is the solver's pair code (lower
// quantity first); `swapped` is true when the first value given belongs to the
// higher-numbered quantity ("PT": the pressure comes first).
struct PairSpec {
  std::int32_t code = 0;
  bool swapped = false;
};

// Two different letters of T P V S I X in any order and either case ("TP", "xs").
std::optional<PairSpec> ParsePairLetters(std::string_view text);

// Letters as above, or one of the fifteen two-digit pair codes 10·i + j with
// 1 ≤ i < j ≤ 6 ("12", "56").
std::optional<PairSpec> ParsePairField(std::string_view text);

// A finite decimal number, the whole text (surrounding blanks allowed): optional
// sign, digits with '.', optional exponent. Words, "nan", "inf", hexadecimal,
// empty text and values that overflow a double are rejected.
std::optional<double> ParseNumber(std::string_view text);

// The text without leading and trailing blanks, tabs, CR and LF.
std::string_view Trim(std::string_view text);

// Shortest text that reads back as exactly the same double ("284.15", "1e-05").
std::string FormatRoundTrip(double value);
void AppendRoundTrip(std::string& out, double value);

// Ten significant digits (%.10g), for the human-readable output.
std::string FormatReadable(double value);

}  // namespace if97::cli
