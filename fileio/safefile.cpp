#include "fileio/safefile.h"

#include <cerrno>

#include "fileio/platform.h"

namespace fileio {
namespace {

namespace os = platform;

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Fail(std::string* error, const std::string& path, const std::string& reason) {
  if (error) *error = path + ": " + reason;
  return false;
}

// Writes everything or reports the first failure; a write that moves nothing
// counts as a full disk.
bool WriteAll(int fd, std::string_view bytes, const WriteFunction& write, std::string* reason) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    errno = 0;
    const long n = write ? write(fd, bytes.data() + done, bytes.size() - done)
                         : os::WriteSome(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0 && errno == 0) errno = ENOSPC;
      *reason = os::LastError();
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The file that will really be replaced: the path itself, or the final target of
// a symbolic link when that is a regular file we may write.
bool ResolveTarget(const std::string& path, std::string* target, std::string* reason) {
  *target = path;
  if (os::IsSymbolicLink(path)) {
    *target = os::ResolveLinks(path);
    if (target->empty() || os::KindOf(*target) != os::FileKind::kRegular) {
      *reason = "a symbolic link to something that is not a regular file";
      return false;
    }
  }
  switch (os::KindOf(*target)) {
    case os::FileKind::kMissing: return true;
    case os::FileKind::kRegular: break;
    case os::FileKind::kDirectory: *reason = "is a directory"; return false;
    case os::FileKind::kOther: *reason = "not a regular file"; return false;
  }
  if (!os::MayWrite(*target)) {
    *reason = "write-protected";
    return false;
  }
  return true;
}

// Keeps the old content under the backup name, itself through a safe save, so a
// failure here leaves both the old backup and the target as they were.
bool KeepBackup(const std::string& target, const std::string& backupPath, std::string* reason) {
  std::string old;
  std::string readError;
  if (ReadRegularFile(target, static_cast<std::size_t>(-1), &old, &readError) != ReadStatus::kOk) {
    *reason = "cannot read the old file for its backup (" + readError + ")";
    return false;
  }
  std::string saveError;
  if (!SaveFile(backupPath, old, {}, &saveError)) {
    *reason = "cannot keep the backup (" + saveError + ")";
    return false;
  }
  return true;
}

}  // namespace

bool SaveFile(const std::string& path, std::string_view bytes, const SaveOptions& options, std::string* error) {
  if (path.empty()) return Fail(error, path, "no file name");
  std::string target, reason;
  if (!ResolveTarget(path, &target, &reason)) return Fail(error, path, reason);
  const bool exists = os::KindOf(target) == os::FileKind::kRegular;
  const bool backup = !options.backupPath.empty() && exists;
  if (!options.backupPath.empty() &&
      (options.backupPath == path || options.backupPath == target ||
       (exists && os::SameFile(options.backupPath, target))))
    return Fail(error, path, "the backup would replace the file itself");

  const std::string directory = DirectoryOf(target);
  std::string temporary;
  const int fd = os::CreateTemporary(directory, BaseNameOf(target), &temporary);
  if (fd < 0) return Fail(error, path, "cannot create a file in " + directory + " (" + os::LastError() + ")");
  auto abandon = [&](const std::string& why) {
    os::CloseFile(fd);
    os::RemoveFile(temporary);
    return Fail(error, path, why);
  };

  if (!WriteAll(fd, bytes, options.write, &reason)) return abandon("write failed (" + reason + ")");
  const int mode = exists ? os::PermissionsOf(target) : os::DefaultPermissions();
  if (mode >= 0 && !os::SetPermissions(fd, mode)) return abandon("cannot set permissions (" + os::LastError() + ")");
  if (!os::SyncFile(fd)) return abandon("cannot flush to disk (" + os::LastError() + ")");
  if (os::SizeOf(fd) != static_cast<long long>(bytes.size())) return abandon("written size does not match");
  if (!os::CloseFile(fd)) {
    os::RemoveFile(temporary);
    return Fail(error, path, "close failed (" + os::LastError() + ")");
  }
  if (backup && !KeepBackup(target, options.backupPath, &reason)) {
    os::RemoveFile(temporary);
    return Fail(error, path, reason);
  }
  if (!os::RenameFile(temporary, target)) {
    const std::string why = os::LastError();
    os::RemoveFile(temporary);
    return Fail(error, path, "cannot replace the file (" + why + ")");
  }
  os::SyncDirectory(directory);
  return true;
}

ReadStatus ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string* bytes, std::string* error) {
  bytes->clear();
  auto fail = [&](ReadStatus status, const std::string& why) {
    if (error) *error = path + ": " + why;
    bytes->clear();
    return status;
  };
  os::FileKind kind = os::FileKind::kMissing;
  long long size = 0;
  const int fd = os::OpenForReading(path, &kind, &size);
  if (fd < 0) {
    if (kind == os::FileKind::kMissing) return fail(ReadStatus::kMissing, "no such file");
    if (kind != os::FileKind::kRegular) return fail(ReadStatus::kNotRegular, "not a regular file");
    return fail(ReadStatus::kFailed, os::LastError());
  }
  if (kind != os::FileKind::kRegular) {
    os::CloseFile(fd);
    return fail(ReadStatus::kNotRegular, "not a regular file");
  }
  if (size > 0 && static_cast<unsigned long long>(size) > maxBytes) {
    os::CloseFile(fd);
    return fail(ReadStatus::kTooLarge, "file too large");
  }
  // The size is a hint: a file may grow or shrink while it is read.
  char buffer[65536];
  for (;;) {
    const long n = os::ReadSome(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const std::string why = os::LastError();
      os::CloseFile(fd);
      return fail(ReadStatus::kFailed, why);
    }
    if (n == 0) break;
    if (bytes->size() + static_cast<std::size_t>(n) > maxBytes) {
      os::CloseFile(fd);
      return fail(ReadStatus::kTooLarge, "file too large");
    }
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
  os::CloseFile(fd);
  return ReadStatus::kOk;
}

}  // namespace fileio
