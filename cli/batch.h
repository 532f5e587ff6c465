// `if97 batch`: states from CSV lines "pair,value1,value2" to CSV rows
// "pair,value1,value2,T,P,V,S,I,X,region".
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace if97::cli {

inline constexpr std::string_view kBatchHeader = "pair,value1,value2,T,P,V,S,I,X,region";

struct BatchCounts {
  long rows = 0;    // output rows written (one per input row)
  long errors = 0;  // of them rows that could not be read
};

// Turns one input row into its output row (without the line end). On a row that
// cannot be read the region column holds "error" and `message` says why;
// otherwise `message` is left empty.
std::string BatchRow(std::string_view line, bool preferMetastable, std::string& message);

// Whether a line carries no row: blank, or a comment starting with '#'.
bool IsBatchSkipLine(std::string_view line);

// Reads every line of `in`, writes the header and one row per input row to
// `out`, and a message naming the line number for each bad row to `err`.
BatchCounts RunBatch(std::istream& in, std::ostream& out, std::ostream& err, bool preferMetastable);

}  // namespace if97::cli
