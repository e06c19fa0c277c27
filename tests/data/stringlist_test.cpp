// Line lists: cutting files into lines, saving them back, the index error, and what a
// failed load or save leaves behind.
#include "data/errors.h"
#include "data/stringlist.h"
#include "support.h"

#include <gtest/gtest.h>

#include <ostream>

#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <vector>

using namespace testdata;

namespace {

// ---------------------------------------------------------------------------------------
// Line breaks: every way a file can end its lines.

struct BreakCase {
  const char* name;
  Text bytes;
  std::vector<Text> lines;
};
void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

const BreakCase kBreaks[] = {
    {"Empty", Text(), {}},
    {"OneLineNoBreak", "A", {"A"}},
    {"CrLf", "A\r\n", {"A"}},
    {"CrLfCrLf", "A\r\n\r\n", {"A", ""}},
    {"EmptyLineBetween", "A\r\n\r\nB", {"A", "", "B"}},
    {"LoneLf", "A\nB", {"A", "B"}},
    {"LoneCr", "A\rB", {"A", "B"}},
    {"LfThenCrEndsTwo", "A\n\rB", {"A", "", "B"}},
    {"CrCrLf", "A\r\r\nB", {"A", "", "B"}},
    {"CrLfOnly", "\r\n", {""}},
    {"ZeroByteEndsAll", Text("A\0B\r\nC", 6), {"A"}},
};

class LineBreaks : public ::testing::TestWithParam<BreakCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(cwd_.ok()); }
  TempCwd cwd_;
};

TEST_P(LineBreaks, LoadCutsLines) {
  const auto& c = GetParam();
  writeBytes("list.txt", c.bytes);
  TStringList list;
  list.Add("kept only until the load");
  list.LoadFromFile("list.txt");
  EXPECT_EQ(list.lines(), c.lines);
  EXPECT_EQ(list.Count(), std::int32_t(c.lines.size()));

  TStringList fromBytes;
  fromBytes.FromBytes(c.bytes);
  EXPECT_EQ(fromBytes.lines(), c.lines);
}

INSTANTIATE_TEST_SUITE_P(Table, LineBreaks, ::testing::ValuesIn(kBreaks),
                         [](const auto& info) { return std::string(info.param.name); });

class LineListFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cwd_.ok());
    std::filesystem::create_directory(u8path("抽奖名单"));
  }
  TempCwd cwd_;
};

TEST_F(LineListFiles, LinesAreNeverTrimmedAndDuplicatesStay) {
  writeBytes("list.txt", crlf({" 张三\t", "张三", "张三 ", "", "张三"}));
  TStringList list;
  list.LoadFromFile("list.txt");
  EXPECT_EQ(list.lines(), (std::vector<Text>{A(" 张三\t"), A("张三"), A("张三 "), "", A("张三")}));
}

// GBK bytes behind a UTF-8 mark are not UTF-8: the file stays as it is, mark and all, and
// the load says why.
TEST_F(LineListFiles, ByteOrderMarkBeforeGbkStaysOnFirstLine) {
  writeBytes("bom.txt", Text("\xEF\xBB\xBF") + A("张三") + "\r\n" + A("李四") + "\r\n");
  TStringList list;
  list.LoadFromFile("bom.txt");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), Text("\xEF\xBB\xBF") + A("张三"));
  EXPECT_EQ(list.Get(1), A("李四"));
  ASSERT_TRUE(list.loadNotice().has_value());
  EXPECT_NE(list.loadNotice()->find("line 1 holds the byte 0xD5"), Text::npos) << *list.loadNotice();
}

TEST_F(LineListFiles, Utf16FileIsConvertedBeforeCutting) {
  writeBytes("utf16.txt", Text("\xFF\xFE" "A\0B\0\r\0\n\0\x20\x5F\x09\x4E", 14));
  TStringList list;
  list.LoadFromFile("utf16.txt");
  EXPECT_EQ(list.lines(), (std::vector<Text>{"AB", A("张三")}));
  EXPECT_FALSE(list.loadNotice().has_value());
}

TEST_F(LineListFiles, LoadThroughGbkRelativePath) {
  writeBytes("抽奖名单/抽奖名单.txt", crlf({"张三", "李四"}));
  TStringList list;
  list.LoadFromFile(A("抽奖名单\\抽奖名单.txt"));
  EXPECT_EQ(list.lines(), (std::vector<Text>{A("张三"), A("李四")}));
}

TEST_F(LineListFiles, FailedLoadNamesFullPathAndKeepsLines) {
  TStringList list;
  list.Add("a");
  list.Add("b");
  auto r = raisedBy([&] { list.LoadFromFile(A("抽奖名单\\没有.txt")); });
  expectFileError(r, "EFOpenError", "open", TempCwd::full("抽奖名单/没有.txt"));
  EXPECT_EQ(list.lines(), (std::vector<Text>{"a", "b"}));
}

TEST_F(LineListFiles, MissingFolderAndFolderAsFileAreOpenErrors) {
  TStringList list;
  expectFileError(raisedBy([&] { list.LoadFromFile(A("别处\\抽奖名单.txt")); }), "EFOpenError",
                  "open", TempCwd::full("别处/抽奖名单.txt"));
  std::filesystem::create_directory(u8path("抽奖名单/子目录.txt"));
  expectFileError(raisedBy([&] { list.LoadFromFile(A("抽奖名单\\子目录.txt")); }), "EFOpenError",
                  "open", TempCwd::full("抽奖名单/子目录.txt"));
  EXPECT_EQ(list.Count(), 0);
}

// ---------------------------------------------------------------------------------------
// Saving.

TEST_F(LineListFiles, EmptyListSavesZeroBytes) {
  TStringList list;
  list.SaveToFile("out.txt");
  EXPECT_EQ(readBytes("out.txt"), Text());
  TStringList back;
  back.Add("x");
  back.LoadFromFile("out.txt");
  EXPECT_EQ(back.Count(), 0);
}

TEST_F(LineListFiles, OneEmptyLineSavesCrLf) {
  TStringList list;
  list.Add("");
  list.SaveToFile("out.txt");
  EXPECT_EQ(readBytes("out.txt"), Text("\r\n"));
  TStringList back;
  back.LoadFromFile("out.txt");
  EXPECT_EQ(back.lines(), (std::vector<Text>{""}));
}

TEST_F(LineListFiles, SaveAndLoadRoundTripBytes) {
  // GBK names, blanks at both ends, a tab, a UTF-8 mark, a second byte 0x5C (乗) and
  // bytes that are not valid GBK: all carried over unchanged.
  const std::vector<Text> lines = {A("张三"), "", A(" 李四 "), "\t", "\xEF\xBB\xBFx", A("乗"),
                                   "\x80\xFF\xFE", ""};
  TStringList list;
  for (const auto& l : lines) list.Add(l);
  list.SaveToFile(A("抽奖名单\\获奖记录.txt"));

  Text expected;
  for (const auto& l : lines) expected += l + "\r\n";
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), expected);

  TStringList back;
  back.LoadFromFile(A("抽奖名单\\获奖记录.txt"));
  EXPECT_EQ(back.lines(), lines);
  EXPECT_EQ(list.ToBytes(), expected);
}

TEST_F(LineListFiles, SaveReplacesLongerFileCompletely) {
  writeBytes("out.txt", Text(500, 'x'));
  TStringList list;
  list.Add("ab");
  list.SaveToFile("out.txt");
  EXPECT_EQ(readBytes("out.txt"), Text("ab\r\n"));
  EXPECT_EQ(listDir("."), (std::vector<std::string>{"out.txt", "抽奖名单"}));
}

TEST_F(LineListFiles, SaveToReadOnlyFileLeavesItUnchanged) {
  const Text old = crlf({"[特等奖]", "张三"});
  writeBytes("抽奖名单/获奖记录.txt", old);
  ASSERT_TRUE(TempCwd::makeReadOnly("抽奖名单/获奖记录.txt"));

  TStringList list;
  list.Add("new");
  auto r = raisedBy([&] { list.SaveToFile(A("抽奖名单\\获奖记录.txt")); });
  expectFileError(r, "EFCreateError", "create", TempCwd::full("抽奖名单/获奖记录.txt"));
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), old);
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"}));
}

TEST_F(LineListFiles, SaveIntoMissingFolderIsCreateError) {
  TStringList list;
  list.Add("new");
  auto r = raisedBy([&] { list.SaveToFile(A("没有的文件夹\\获奖记录.txt")); });
  expectFileError(r, "EFCreateError", "create", TempCwd::full("没有的文件夹/获奖记录.txt"));
  EXPECT_FALSE(std::filesystem::exists(u8path("没有的文件夹")));
}

#ifdef _WIN32
// What these cases need is POSIX only; the Windows save has its own cases (held files,
// the read-only attribute) in tests/windows.
TEST_F(LineListFiles, ShortWriteIsWriteErrorAndLeavesOldFile) {
  GTEST_SKIP() << "Windows has no per-process file-size limit that makes a write come up short";
}
TEST_F(LineListFiles, SaveWritesThroughASymbolicLinkAndKeepsTheLink) {
  GTEST_SKIP() << "symbolic links need a privilege on Windows that a draw folder never has";
}
TEST_F(LineListFiles, InAFolderThatTakesNoNewFileTheFileIsWrittenInPlace) {
  GTEST_SKIP() << "a folder that takes no new file needs Windows access lists that Wine does not enforce";
}
TEST_F(LineListFiles, InPlaceWriteOnAFullDiskLeavesTheOldFile) {
  GTEST_SKIP() << "a folder that takes no new file needs Windows access lists that Wine does not enforce";
}
#else
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

TEST_F(LineListFiles, ShortWriteIsWriteErrorAndLeavesOldFile) {
  const Text old = crlf({"[特等奖]", "张三"});
  writeBytes("抽奖名单/获奖记录.txt", old);

  TStringList list;
  for (int i = 0; i < 200; ++i) list.Add(A("一个相当长的获奖者名字"));
  std::optional<Raised> r;
  bool limited = false;
  {
    // Nothing may print while the limit holds (a test log on a file would hit it too).
    FileSizeLimit limit(64);
    limited = limit.ok();
    if (limited) r = raisedBy([&] { list.SaveToFile(A("抽奖名单\\获奖记录.txt")); });
  }
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

TEST_F(LineListFiles, InPlaceWriteOnAFullDiskLeavesTheOldFile) {
  const Text old = crlf({"[特等奖]", "张三"});
  writeBytes("抽奖名单/获奖记录.txt", old);
  TStringList list;
  for (int i = 0; i < 200; ++i) list.Add(A("一个相当长的获奖者名字"));
  std::optional<Raised> r;
  bool limited = false;
  {
    LockedFolder locked("抽奖名单");
    if (!locked.ok()) GTEST_SKIP() << "this file system cannot lock a folder against new files";
    FileSizeLimit limit(64);
    limited = limit.ok();
    if (limited) r = raisedBy([&] { list.SaveToFile(A("抽奖名单\\获奖记录.txt")); });
  }
  ASSERT_TRUE(limited) << "setrlimit(RLIMIT_FSIZE) failed";
  ASSERT_TRUE(r.has_value()) << "the save went through despite the file-size limit";
  EXPECT_EQ(r->kind, "EWriteError");
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), old);
}
#endif  // _WIN32

// ---------------------------------------------------------------------------------------
// Indexing.

TEST(LineListIndex, AddReturnsIndexAndGetReadsIt) {
  TStringList list;
  EXPECT_EQ(list.Add("a"), 0);
  EXPECT_EQ(list.Add(""), 1);
  EXPECT_EQ(list.Add("a"), 2);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(1), "");
  EXPECT_EQ(list.Get(2), "a");
}

TEST(LineListIndex, OutOfBoundsNamesTheIndex) {
  TStringList list;
  for (int i = 0; i < 5; ++i) list.Add("x");
  auto atCount = raisedBy([&] { list.Get(5); });
  ASSERT_TRUE(atCount);
  EXPECT_EQ(atCount->kind, "EStringListError");
  EXPECT_EQ(atCount->message, "List index out of bounds (5)");

  auto negative = raisedBy([&] { list.Get(-1); });
  ASSERT_TRUE(negative);
  EXPECT_EQ(negative->kind, "EStringListError");
  EXPECT_EQ(negative->message, "List index out of bounds (-1)");

  TStringList empty;
  auto none = raisedBy([&] { empty.Get(0); });
  ASSERT_TRUE(none);
  EXPECT_EQ(none->message, "List index out of bounds (0)");
}

TEST(LineListIndex, ErrorHelpersCarryKindAndMessage) {
  EXPECT_EQ(errors::indexMessage(7), "List index out of bounds (7)");
  auto r = raisedBy([] { errors::throwListIndex(-3); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, "EListError");
  EXPECT_EQ(r->message, "List index out of bounds (-3)");
}

}  // namespace
