// The operating-system side of fileio: the few calls SaveFile and
// ReadRegularFile need, implemented for POSIX in platform_posix.cpp.
#pragma once

#include <cstddef>
#include <string>

namespace fileio::platform {

enum class FileKind { kMissing, kRegular, kDirectory, kOther };

// What `path` names after following every symbolic link.
FileKind KindOf(const std::string& path);
bool IsSymbolicLink(const std::string& path);
// The final target of a chain of links, absolute; empty when it cannot be resolved.
std::string ResolveLinks(const std::string& path);
bool MayWrite(const std::string& path);
// Whether two existing paths name the same file.
bool SameFile(const std::string& a, const std::string& b);
// The permission bits of an existing file, or -1.
int PermissionsOf(const std::string& path);
// The permission bits a newly created file gets (0666 less the umask).
int DefaultPermissions();

// Creates a new, empty, uniquely named file in `directory` (mode 0600) and
// returns its descriptor and name; -1 on failure (errno kept).
int CreateTemporary(const std::string& directory, const std::string& stem, std::string* name);
long WriteSome(int fd, const char* data, std::size_t size);
// Flushes the file's data to the disk.
bool SyncFile(int fd);
// The size of an open file, or -1.
long long SizeOf(int fd);
bool SetPermissions(int fd, int mode);
bool CloseFile(int fd);
bool RemoveFile(const std::string& path);
// Replaces `to` by `from` in one step.
bool RenameFile(const std::string& from, const std::string& to);
// Makes a rename in `directory` durable.
void SyncDirectory(const std::string& directory);

// Opens an existing file for reading without blocking on a FIFO or device and
// tells what it is; -1 when it cannot be opened.
int OpenForReading(const std::string& path, FileKind* kind, long long* size);
long ReadSome(int fd, char* data, std::size_t size);

// The text of the last failed call (strerror of errno).
std::string LastError();

}  // namespace fileio::platform
