// Checked reading and writing of the tool's streams. A failed read or write is
// kept with the errno the failing call left, so that the tool can end with one
// line naming the reason ("cannot write the output: No space left on device").
//
// The streams must report a failed system call in their state: libstdc++'s
// standard streams do, also with sync_with_stdio(false) (a failed write sets
// badbit, a failed read makes the reading function set badbit), and so do
// string streams and any stream whose buffer returns an error or throws.
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace if97::cli {

// The first failed operation on a stream: `code` is errno right after it (0
// when the stream gave no reason).
struct StreamError {
  bool failed = false;
  int code = 0;
};

// Writes the text; false (and `error` set) when this or an earlier write failed.
bool WriteChecked(std::ostream& out, std::string_view text, StreamError& error);
// Flushes the stream; false (and `error` set) when the flush or any write before
// it failed. A failure recorded earlier in `error` is kept as it is.
bool FlushChecked(std::ostream& out, StreamError& error);

// "cannot <action>: <reason>", the reason left out when the code is 0.
std::string StreamErrorMessage(std::string_view action, const StreamError& error);

// The lines of an input stream, read in blocks. A line ends at LF, at CR LF or
// at a lone CR, so files of any of the three conventions, and mixtures of them,
// read alike; a UTF-8 byte-order mark at the very start is skipped. At most
// kMaxLineBytes of a line are kept, so that one endless line cannot fill the
// memory; the rest of it is read and dropped.
class LineReader {
 public:
  static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

  explicit LineReader(std::istream& in, std::size_t blockBytes = std::size_t{1} << 16);

  // The next line without its line end, and whether it was longer than
  // kMaxLineBytes (`cut`). False at the end of the input and on a read error;
  // a line whose reading failed is not returned.
  bool Next(std::string& line, bool& cut);

  // The failed read, if any, once Next has returned false.
  const StreamError& Error() const { return error_; }

 private:
  bool Fill();

  std::istream& in_;
  std::vector<char> block_;
  std::size_t pos_ = 0, end_ = 0;
  bool started_ = false;   // the first block was read (and a byte-order mark skipped)
  bool afterCr_ = false;   // the last line ended with CR: an LF right after belongs to it
  bool exhausted_ = false;
  StreamError error_;
};

}  // namespace if97::cli
