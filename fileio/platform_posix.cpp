// POSIX implementation of the file calls of fileio.
#include "fileio/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fileio::platform {

FileKind KindOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return FileKind::kMissing;
  if (S_ISREG(st.st_mode)) return FileKind::kRegular;
  if (S_ISDIR(st.st_mode)) return FileKind::kDirectory;
  return FileKind::kOther;
}

bool IsSymbolicLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string ResolveLinks(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return {};
  std::string out(resolved);
  std::free(resolved);
  return out;
}

bool MayWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

int PermissionsOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

int DefaultPermissions() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<int>(0666 & ~mask);
}

int CreateTemporary(const std::string& directory, const std::string& stem, std::string* name) {
  std::string pattern = directory + "/." + stem + ".XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
  if (fd >= 0) *name = buffer.data();
  return fd;
}

long WriteSome(int fd, const char* data, std::size_t size) {
  return static_cast<long>(::write(fd, data, size > SSIZE_MAX ? SSIZE_MAX : size));
}

bool SyncFile(int fd) {
  while (::fsync(fd) != 0)
    if (errno != EINTR) return false;
  return true;
}

long long SizeOf(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

bool SetPermissions(int fd, int mode) { return ::fchmod(fd, static_cast<mode_t>(mode)) == 0; }

bool CloseFile(int fd) { return ::close(fd) == 0 || errno == EINTR; }

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

void SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

int OpenForReading(const std::string& path, FileKind* kind, long long* size) {
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int saved = errno;
    *kind = KindOf(path);
    errno = saved;
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int saved = errno;
    ::close(fd);
    *kind = FileKind::kOther;
    errno = saved;
    return -1;
  }
  *kind = S_ISREG(st.st_mode) ? FileKind::kRegular : S_ISDIR(st.st_mode) ? FileKind::kDirectory : FileKind::kOther;
  *size = static_cast<long long>(st.st_size);
  if (*kind == FileKind::kRegular) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  }
  return fd;
}

long ReadSome(int fd, char* data, std::size_t size) { return static_cast<long>(::read(fd, data, size)); }

std::string LastError() { return std::strerror(errno); }

}  // namespace fileio::platform
