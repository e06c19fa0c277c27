// The POSIX save of a line list where it meets the file system: a write that comes up
// short, a record that is a symbolic link, and a folder that takes no new file. The
// Windows save has its own cases (held files, the read-only attribute) in tests/windows.
#include "data/errors.h"
#include "data/stringlist.h"
#include "data/helpers.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace testdata;

namespace {

using LineListFiles = InDrawFolder;

// Lowers the file-size limit for the calling process (with SIGXFSZ ignored, so a write
// past it fails with EFBIG instead of killing us) and puts both back afterwards.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit lower = old_;
    lower.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &lower) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldHandler_);
  }
  bool ok() const { return ok_; }

 private:
  rlimit old_{};
  sighandler_t oldHandler_{};
  bool ok_ = false;
};

// An old record, and a list long enough that its save cannot fit under a 64-byte limit.
class FullDisk : public InDrawFolder {
 protected:
  void SetUp() override {
    InDrawFolder::SetUp();
    if (HasFatalFailure()) return;
    writeBytes("抽奖名单/获奖记录.txt", old);
    for (int i = 0; i < 200; ++i) list.Add(A("一个相当长的获奖者名字"));
  }
  // Saves the list while the file-size limit holds; false when the limit could not be set.
  bool saveUnderLimit(std::optional<Raised>& r) {
    // Nothing may print while the limit holds (a test log on a file would hit it too).
    FileSizeLimit limit(64);
    if (!limit.ok()) return false;
    r = raisedBy([&] { list.SaveToFile(A("抽奖名单\\获奖记录.txt")); });
    return true;
  }

  const Text old = crlf({"[特等奖]", "张三"});
  TStringList list;
};

TEST_F(FullDisk, ShortWriteIsWriteErrorAndLeavesOldFile) {
  std::optional<Raised> r;
  const bool limited = saveUnderLimit(r);
  ASSERT_TRUE(limited) << "setrlimit(RLIMIT_FSIZE) failed";
  ASSERT_TRUE(r.has_value()) << "the save went through despite the file-size limit";
  EXPECT_EQ(r->kind, "EWriteError");
  EXPECT_EQ(r->message, "Stream write error");
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), old);
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"}))
      << "a temporary file was left behind";
}

// ---------------------------------------------------------------------------------------
// A record that is a symbolic link, and a folder where no new file may be created.

TEST_F(LineListFiles, SaveWritesThroughASymbolicLinkAndKeepsTheLink) {
  std::filesystem::create_directory("elsewhere");
  writeBytes("elsewhere/real.txt", "old\r\n");
  std::filesystem::create_symlink("../elsewhere/real.txt", "抽奖名单/获奖记录.txt");
  // A link to a file not there yet: the file is made where the link points.
  std::filesystem::create_symlink("../elsewhere/new.txt", "抽奖名单/奖项设置.ini");

  TStringList list;
  list.Add("new");
  list.SaveToFile(A("抽奖名单\\获奖记录.txt"));
  list.SaveToFile(A("抽奖名单\\奖项设置.ini"));

  EXPECT_TRUE(std::filesystem::is_symlink("抽奖名单/获奖记录.txt"));
  EXPECT_TRUE(std::filesystem::is_symlink("抽奖名单/奖项设置.ini"));
  EXPECT_EQ(readBytes("elsewhere/real.txt"), Text("new\r\n"));
  EXPECT_EQ(readBytes("elsewhere/new.txt"), Text("new\r\n"));
  EXPECT_EQ(listDir("elsewhere"), (std::vector<std::string>{"new.txt", "real.txt"}));
}

// Makes a folder refuse new entries while its files stay writable: the immutable flag as
// root (whom permission bits do not stop), no write permission on the folder otherwise.
class LockedFolder {
 public:
  explicit LockedFolder(const char* path) : path_(path) {
    if (geteuid() != 0) {
      ok_ = chmod(path, 0555) == 0;
      return;
    }
    fd_ = open(path, O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd_ >= 0 && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
      flags |= FS_IMMUTABLE_FL;
      ok_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
    }
  }
  ~LockedFolder() {
    if (fd_ >= 0) {
      int flags = 0;
      if (ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
        flags &= ~FS_IMMUTABLE_FL;
        ioctl(fd_, FS_IOC_SETFLAGS, &flags);
      }
      close(fd_);
    } else {
      chmod(path_, 0755);
    }
  }
  bool ok() const { return ok_; }

 private:
  const char* path_;
  int fd_ = -1;
  bool ok_ = false;
};

TEST_F(LineListFiles, InAFolderThatTakesNoNewFileTheFileIsWrittenInPlace) {
  writeBytes("抽奖名单/获奖记录.txt", crlf({"[特等奖]", "张三，李四，王五，赵六"}));
  TStringList list;
  list.Add(A("[特等奖]"));
  list.Add(A("张三"));
  {
    LockedFolder locked("抽奖名单");
    if (!locked.ok()) GTEST_SKIP() << "this file system cannot lock a folder against new files";
    list.SaveToFile(A("抽奖名单\\获奖记录.txt"));  // shorter than before: the rest is cut off

    // A file that does not exist cannot be made there: that stays the create error.
    auto r = raisedBy([&] { list.SaveToFile(A("抽奖名单\\获奖明细.txt")); });
    expectFileError(r, "EFCreateError", "create", TempCwd::full("抽奖名单/获奖明细.txt"));
  }
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), crlf({"[特等奖]", "张三"}));
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"}));
}

TEST_F(FullDisk, InPlaceWriteOnAFullDiskLeavesTheOldFile) {
  std::optional<Raised> r;
  bool limited = false;
  {
    LockedFolder locked("抽奖名单");
    if (!locked.ok()) GTEST_SKIP() << "this file system cannot lock a folder against new files";
    limited = saveUnderLimit(r);
  }
  ASSERT_TRUE(limited) << "setrlimit(RLIMIT_FSIZE) failed";
  ASSERT_TRUE(r.has_value()) << "the save went through despite the file-size limit";
  EXPECT_EQ(r->kind, "EWriteError");
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), old);
}

}  // namespace
