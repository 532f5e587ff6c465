#include "cli/io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace if97::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Records a failure of `stream` (once) with the errno of the call that just failed.
template <class Stream>
bool Check(const Stream& stream, StreamError& error) {
  if (error.failed) return false;
  if (stream) return true;
  error = {true, errno};
  return false;
}

}  // namespace

bool WriteChecked(std::ostream& out, std::string_view text, StreamError& error) {
  if (error.failed || !out) return Check(out, error);
  errno = 0;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return Check(out, error);
}

bool FlushChecked(std::ostream& out, StreamError& error) {
  // A stream already failed keeps the errno of its failing write: nothing that
  // sets errno runs between a command's last write and this check.
  if (error.failed || !out) return Check(out, error);
  errno = 0;
  out.flush();
  return Check(out, error);
}

std::string StreamErrorMessage(std::string_view action, const StreamError& error) {
  std::string m = "cannot ";
  m.append(action);
  if (error.code != 0) m.append(": ").append(std::strerror(error.code));
  return m;
}

LineReader::LineReader(std::istream& in, std::size_t blockBytes)
    : in_(in), block_(std::max(blockBytes, kByteOrderMark.size() + 1)) {}

bool LineReader::Fill() {
  pos_ = end_ = 0;
  if (exhausted_) return false;
  errno = 0;
  // read() fills the whole block unless the input ends, so a byte-order mark is
  // whole in the first block.
  in_.read(block_.data(), static_cast<std::streamsize>(block_.size()));
  if (in_.bad()) {
    error_ = {true, errno};
    exhausted_ = true;
    return false;
  }
  end_ = static_cast<std::size_t>(in_.gcount());
  if (end_ < block_.size()) exhausted_ = true;
  if (!started_) {
    started_ = true;
    if (std::string_view(block_.data(), end_).starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
  }
  return pos_ < end_;
}

bool LineReader::Next(std::string& line, bool& cut) {
  line.clear();
  cut = false;
  bool begun = false;  // some byte or the end of this line was met
  while (true) {
    if (pos_ == end_ && !Fill()) return begun && !error_.failed;
    if (afterCr_) {
      afterCr_ = false;
      if (block_[pos_] == '\n') {
        ++pos_;
        continue;
      }
    }
    const char* begin = block_.data() + pos_;
    const char* stop = block_.data() + end_;
    const char* eol = std::find_if(begin, stop, [](char c) { return c == '\n' || c == '\r'; });
    const std::size_t room = kMaxLineBytes - line.size();
    const std::size_t n = static_cast<std::size_t>(eol - begin);
    line.append(begin, std::min(n, room));
    if (n > room) cut = true;
    begun = true;
    pos_ = static_cast<std::size_t>(eol - block_.data());
    if (eol == stop) continue;
    afterCr_ = *eol == '\r';
    ++pos_;
    return true;
  }
}

}  // namespace if97::cli
