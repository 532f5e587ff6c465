// The save routine: every failure leaves the old file byte for byte and no
// temporary file behind; every success replaces exactly the file meant.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "fileio/safefile.h"

namespace fs = std::filesystem;

namespace {

const std::string kOld = "old content\r\n";
const std::string kNew = std::string(10000, 'n') + "\r\n";
using Names = std::set<std::string>;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

Names NamesIn(const fs::path& dir) {
  Names names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

class SaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/safefile_test.XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    if (mounted_) ::umount2(mount_.c_str(), MNT_DETACH);
    fs::permissions(dir_, fs::perms::all, fs::perm_options::add);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  fs::path dir_, mount_;
  bool mounted_ = false;
};

// A writer that accepts `limit` bytes in all and then reports a full disk.
fileio::WriteFunction FailAfter(std::size_t limit) {
  return [limit, written = std::make_shared<std::size_t>(0)](int fd, const char* data, std::size_t size) -> long {
    const std::size_t n = std::min(size, limit - *written);
    if (n == 0) return errno = ENOSPC, -1;
    *written += n;
    return ::write(fd, data, n);
  };
}

TEST_F(SaveFileTest, EveryFailureKeepsTheOldFile) {
  // Saves of `target` (and a backup, when named) in a folder of a.pts, a.BAK, a
  // directory, a FIFO and links to each and to nothing.
  const struct { const char *name, *target; std::string backup = {}; fileio::WriteFunction write = {}; } cases[] = {
      {"disk full before the first byte", "a.pts", "", FailAfter(0)},
      {"disk full in the middle", "a.pts", "", FailAfter(4097)},
      {"writer moves nothing", "a.pts", "", [](int, const char*, std::size_t) { return 0L; }},
      {"backup name equal to the file", "a.BAK", "a.BAK"},
      {"backup name of the same file spelt otherwise", "a.BAK", "./a.BAK"},
      {"backup in a folder that does not exist", "a.pts", "none/a.BAK"},
      {"link to a directory", "dirlink"},
      {"dangling link", "dangling"},
      {"link to a FIFO", "fifolink"},
      {"target is a directory", "sub"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path d = dir_ / c.name;
    fs::create_directories(d / "sub");
    Put(d / "a.pts", kOld);
    Put(d / "a.BAK", kOld);
    ::mkfifo((d / "fifo").c_str(), 0644);
    fs::create_directory_symlink(d / "sub", d / "dirlink");
    fs::create_symlink(d / "nowhere", d / "dangling");
    fs::create_symlink(d / "fifo", d / "fifolink");
    const Names before = NamesIn(d);
    std::string error;
    EXPECT_FALSE(fileio::SaveFile(d / c.target, kNew, {c.backup.empty() ? "" : d / c.backup, c.write}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Slurp(d / "a.pts"), kOld);
    EXPECT_EQ(Slurp(d / "a.BAK"), kOld);
    EXPECT_EQ(NamesIn(d), before) << "a temporary file was left, or a file went missing";
  }
}

TEST_F(SaveFileTest, ReadOnlyDirectoryKeepsTheOldFile) {
  Put(dir_ / "a.pts", kOld);
  fs::permissions(dir_, fs::perms(0555));
  // Root may write anywhere: the save runs as nobody, the file itself writable to all.
  fs::permissions(dir_ / "a.pts", fs::perms::all);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(3);
    ::_exit(fileio::SaveFile((dir_ / "a.pts").string(), kNew) ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save succeeded (1) or could not drop root (3)";
  EXPECT_EQ(Slurp(dir_ / "a.pts"), kOld);
  EXPECT_EQ(NamesIn(dir_), Names{"a.pts"});
}

// A real full file system, a 64 KiB tmpfs filled to its last page (needs the right to mount).
TEST_F(SaveFileTest, FullFileSystemKeepsTheOldFile) {
  mount_ = dir_ / "small";
  fs::create_directory(mount_);
  if (::mount("tmpfs", mount_.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
  mounted_ = true;
  Put(mount_ / "a.pts", kOld);
  const std::string page(4096, 'f');
  for (std::ofstream filler(mount_ / "filler", std::ios::binary); filler.write(page.data(), page.size()).flush();) {
  }
  std::string error;
  EXPECT_FALSE(fileio::SaveFile((mount_ / "a.pts").string(), kNew + kNew, {}, &error));
  EXPECT_NE(error.find("No space"), std::string::npos) << error;
  EXPECT_EQ(Slurp(mount_ / "a.pts"), kOld);
  EXPECT_EQ(NamesIn(mount_), (Names{"a.pts", "filler"}));
}

TEST_F(SaveFileTest, SuccessfulSaves) {
  const struct { const char* name; bool backup, throughLink, oldExists; } cases[] = {
      {"new file", false, false, false}, {"replace", false, false, true}, {"replace with backup", true, false, true},
      {"new file, no backup to keep", true, false, false}, {"through a link to a regular file", true, true, true}};
  const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path d = dir_ / c.name, real = d / "a.pts", path = c.throughLink ? d / "link.pts" : real;
    fs::create_directory(d);
    if (c.oldExists) {
      Put(real, kOld);
      fs::permissions(real, kept);
    }
    if (c.throughLink) fs::create_symlink(real, path);
    std::string error;
    ASSERT_TRUE(fileio::SaveFile(path, kNew, {c.backup ? (d / "a.BAK").string() : "", {}}, &error)) << error;
    EXPECT_EQ(Slurp(real), kNew);
    EXPECT_EQ(fs::is_symlink(path), c.throughLink);
    EXPECT_EQ(fs::exists(d / "a.BAK"), c.backup && c.oldExists);
    EXPECT_EQ(Slurp(d / "a.BAK"), c.backup && c.oldExists ? kOld : "");
    EXPECT_EQ(fs::status(real).permissions() == kept, c.oldExists);
  }
}

TEST_F(SaveFileTest, ReadRefusesWhatIsNoRegularFile) {
  Put(dir_ / "a.cfg", "12345");
  ::mkfifo((dir_ / "fifo").c_str(), 0644);
  using enum fileio::ReadStatus;
  const struct { const char* name; std::size_t limit; fileio::ReadStatus status; } cases[] = {{"a.cfg", 100, kOk}, {"a.cfg", 4, kTooLarge}, {"fifo", 100, kNotRegular}, {".", 100, kNotRegular},
               {"none", 100, kMissing}};
  for (const auto& c : cases) {
    std::string bytes;
    EXPECT_EQ(fileio::ReadRegularFile((dir_ / c.name).string(), c.limit, &bytes), c.status) << c.name;
    EXPECT_EQ(bytes, c.status == kOk ? "12345" : "") << c.name;
  }
}

}  // namespace
