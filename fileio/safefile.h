// Writing and reading the program's own files without losing one.
//
// Every file the program writes (templates, the configuration file, the report
// ini file, exports) goes through SaveFile: the new content is written in full to
// a temporary file in the target's directory, every write checked, flushed to the
// disk and its size checked; only then is the old content kept as a backup (when
// the format has one) and the temporary file renamed over the target. Any failure
// leaves the old file byte for byte and says why.
//
// A target that is a symbolic link is written through: the link stays and its
// final target is replaced, but only when that target is an existing regular file
// we may write. A dangling link, or one to a directory, FIFO or device, is refused.
//
// Plain C++; the operating-system calls live behind the small interface of
// fileio/platform.h (POSIX today).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace fileio {

// Writes `size` bytes to an open file; returns the count written or -1 with
// errno set, like POSIX write(). Tests inject one that fails after n bytes.
using WriteFunction = std::function<long(int fd, const char* data, std::size_t size)>;

struct SaveOptions {
  // Where the old content is kept before the new one replaces it; empty: no
  // backup. A backup path naming the target itself is refused.
  std::string backupPath;
  // Replaces the system's write() (for tests); empty: the real one.
  WriteFunction write;
};

// Replaces the file at `path` by `bytes`. Returns false with a one-line reason in
// *error (when given) and the old file untouched on any failure.
bool SaveFile(const std::string& path, std::string_view bytes, const SaveOptions& options = {},
              std::string* error = nullptr);

enum class ReadStatus {
  kOk,
  kMissing,     // nothing of that name
  kNotRegular,  // a directory, FIFO, device or socket: never opened for reading
  kTooLarge,    // longer than the caller's limit
  kFailed,      // exists but could not be opened or read
};

// Reads a whole regular file of at most `maxBytes` bytes. A FIFO or device is
// refused at once, without blocking on it.
ReadStatus ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string* bytes,
                           std::string* error = nullptr);

}  // namespace fileio
