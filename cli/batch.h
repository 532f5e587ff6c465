// `if97 batch`: states from CSV lines "pair,value1,value2" to CSV rows
// "pair,value1,value2,T,P,V,S,I,X,region".
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/io.h"

namespace if97::cli {

inline constexpr std::string_view kBatchHeader = "pair,value1,value2,T,P,V,S,I,X,region";

// Longest echo of a field of a bad row, in characters of the escaped text.
inline constexpr std::size_t kEchoLimit = 200;

struct BatchCounts {
  long rows = 0;       // output rows written (one per input row)
  long errors = 0;     // of them rows that could not be read
  StreamError input;   // a failed read: the rows before it were written
  StreamError output;  // a failed write: the batch stopped there
};

// A field of a bad row as the output shows it, in the CSV and in the message: a
// byte outside printable ASCII (0x20 … 0x7E) as \xNN (two upper-case hex digits),
// a backslash as \\, every other byte as it is. So no control character, no
// terminal escape sequence and no broken UTF-8 reaches a file or a terminal, and
// the text reads back unambiguously. A text longer than kEchoLimit characters is
// cut before the escape that would pass it and ends with "…".
std::string EchoText(std::string_view text);

// A text as one CSV field (RFC 4180): enclosed in double quotes, with each quote
// doubled, when it holds a comma, a quote or a line end; otherwise as it is.
std::string CsvField(std::string_view text);

// Turns one input row into its output row (without the line end). On a row that
// cannot be read the region column holds "error" and `message` says why;
// otherwise `message` is left empty.
std::string BatchRow(std::string_view line, bool preferMetastable, std::string& message);

// Whether a line carries no row: blank, or a comment starting with '#'.
bool IsBatchSkipLine(std::string_view line);

// Reads every line of `in` (see LineReader for line ends, the byte-order mark
// and overlong lines), writes the header and one row per input row to `out`, and
// a message naming the line number for each bad row to `err`. Stops at the first
// failed write; `out` is flushed at the end.
BatchCounts RunBatch(std::istream& in, std::ostream& out, std::ostream& err, bool preferMetastable);

}  // namespace if97::cli
