// Start-up and the line list against files an operator should never hand over, but
// might: huge, binary, cut short, not files at all. Each gives the error of its kind at
// once and leaves the window exactly as the steps before the failure set it.
#include "data/errors.h"
#include "data/record.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/stringlist.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/bitmap.h"
#include "platform/files.h"
#include "helpers.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace testdata;

namespace {

const std::string kDir = "抽奖名单/";
const std::string kNames = kDir + "抽奖名单.txt";
const std::string kSettings = kDir + "基础配置.ini";
const std::string kPrizes = kDir + "奖项设置.ini";
const std::string kPicture = kDir + "年会背景.bmp";

Text settingsWithCount(const Text& count) {
  return crlf({"背景图片：", "年会背景.bmp", "标题文字：", "新春联欢会", "奖项个数："}) + count + "\r\n";
}

// A good draw folder: three names and an empty line, the tiny picture, prize count 4 and six prize names.
void writeGoodFolder() {
  std::filesystem::create_directory("抽奖名单");
  writeBytes(kNames, crlf({"张三", "李四", "", "王五"}));
  writeBytes(kSettings, settingsWithCount("4"));
  writeBytes(kPrizes, crlf({"甲", "乙", "丙", "丁", "戊", "己"}));
  writeBytes(kPicture, tinyBmp());
}

// Replacements for one file of the folder.
void replaceWith(const std::string& path, const Text& bytes) {
  std::filesystem::remove(path);
  writeBytes(path, bytes);
}
void makePipe(const std::string& path) {
  std::filesystem::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}
void makeSocket(const std::string& path) {
  std::filesystem::remove(path);
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof addr.sun_path);
  path.copy(addr.sun_path, path.size());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0) << path;
  ::close(fd);  // the socket file stays
}
void linkTo(const std::string& path, const std::string& target) {
  std::filesystem::remove(path);
  std::filesystem::create_symlink(target, path);
}
// A sparse file: takes no disk space, but its size says `size` bytes.
void makeSparse(const std::string& path, const Text& head, std::int64_t size) {
  replaceWith(path, head);
  ASSERT_EQ(::truncate(path.c_str(), off_t(size)), 0) << path;
}

// A bitmap header declaring width x height, with `pixels` bytes of pixel data after it:
// 24-bit plain rows, or (run-length coded) 8-bit with its colour table.
Text bitmapDeclaring(std::int32_t width, std::int32_t height, bool runLength, size_t pixels) {
  const std::uint32_t at = 54 + (runLength ? 1024 : 0);
  Text b = "BM";
  put32(b, std::uint32_t(at + pixels));
  put32(b, 0);
  put32(b, at);
  put32(b, 40);
  put32(b, std::uint32_t(width));
  put32(b, std::uint32_t(height));
  put16(b, 1);
  put16(b, runLength ? 8 : 24);
  put32(b, runLength ? 1 : 0);
  put32(b, std::uint32_t(pixels));
  put32(b, 2835);
  put32(b, 2835);
  put32(b, 0);
  put32(b, 0);
  if (runLength) b.append(1024, '\0');
  b.append(pixels, '\x01');
  return b;
}

// The signature and header chunk of a 2x2 PNG file.
Text pngStart() {
  static const char bytes[] = "\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR\x00\x00\x00\x02\x00\x00\x00\x02\x08\x02\x00\x00\x00";
  return Text(bytes, sizeof bytes - 1);
}

// How far start-up got: each step's effect is checked, so nothing may be half set.
enum class Reached {
  Nothing,  // candidate list failed: designed state
  Pool,     // the pool and its caption, nothing else
  Picture,  // ... and the picture
  Headline, // ... and the headline
  All,      // the whole configuration
};

struct HostileCase {
  const char* name;
  std::function<void()> spoil;  // runs in the temporary folder after the good folder is written
  const char* kind = nullptr;   // none raised when null
  Text message = {};            // exact message, when not empty
  const char* openPath = nullptr;     // for the open error: the file it names (native, relative)
  const char* openReason = nullptr;   // ... and its exact reason, when given
  Reached reached = Reached::All;
  int poolCount = 3;  // the good folder's three names (its empty line names no one)
  int prizeCount = 4;
  bool pipe = false;  // a named pipe is involved: start-up must not wait on it
};
void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

Text bigNamesFile(int lines) {
  Text out;
  out.reserve(size_t(lines) * 12);
  for (int i = 0; i < lines; ++i) out += A("名") + IntToStr(i) + "\r\n";
  return out;
}

const Text kMegabyte(1 << 20, 'x');
const Text kCut200 = Text(200, 'x') + A("…");

HostileCase loads(const char* name, std::function<void()> spoil, int poolCount = 3, int prizeCount = 4) {
  HostileCase c{name, std::move(spoil)};
  c.poolCount = poolCount;
  c.prizeCount = prizeCount;
  return c;
}
HostileCase fails(const char* name, std::function<void()> spoil, const char* kind, Text message, Reached reached) {
  HostileCase c{name, std::move(spoil), kind, std::move(message)};
  c.reached = reached;
  return c;
}
HostileCase cannotOpen(const char* name, std::function<void()> spoil, const char* path, const char* reason,
                       Reached reached) {
  HostileCase c{name, std::move(spoil), "EFOpenError", {}, path, reason, reached};
  return c;
}
HostileCase pipeRefused(const char* name, const std::string& file, const char* path, Reached reached) {
  HostileCase c = cannotOpen(name, [file] { makePipe(file); }, path, platform::kNotRegularFile, reached);
  c.pipe = true;
  return c;
}
void makeFolder(const std::string& path) {
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
}

std::vector<HostileCase> hostileCases() {
  return {
      // The candidate list.
      loads("MillionLines", [] { replaceWith(kNames, bigNamesFile(1000000)); }, 1000000),
      loads("MegabyteLine", [] { replaceWith(kNames, A("张三\r\n") + kMegabyte + A("\r\n李四")); }, 3),
      loads("NulByteEndsTheList", [] { replaceWith(kNames, A("张三\r\n李") + Text(1, '\0') + A("四\r\n王五")); }, 2),
      loads("InvalidGbkKeptAsBytes", [] { replaceWith(kNames, Text("\x81\r\n\xFF\xFE\x80\r\n\x81", 9)); }, 3),
      loads("CarriageReturnsOnly", [] { replaceWith(kNames, A("张三\r李四\r\r王五\r")); }, 3),
      cannotOpen("NamesFileIsAFolder", [] { makeFolder(kNames); }, "抽奖名单/抽奖名单.txt", nullptr, Reached::Nothing),
      cannotOpen("NamesFileIsALinkLoop",
                 [] {
                   linkTo(kDir + "loop.txt", "抽奖名单.txt");
                   linkTo(kNames, "loop.txt");
                 },
                 "抽奖名单/抽奖名单.txt", nullptr, Reached::Nothing),
      pipeRefused("NamesFileIsANamedPipe", kNames, "抽奖名单/抽奖名单.txt", Reached::Nothing),
      cannotOpen("NamesFileIsASocket", [] { makeSocket(kNames); }, "抽奖名单/抽奖名单.txt", nullptr, Reached::Nothing),
      cannotOpen("NamesFileIsDevZero", [] { linkTo(kNames, "/dev/zero"); }, "抽奖名单/抽奖名单.txt",
                 platform::kNotRegularFile, Reached::Nothing),
      cannotOpen("NamesFileOverTheLimit", [] { makeSparse(kNames, A("张三\r\n"), platform::kMaxReadBytes + 1); },
                 "抽奖名单/抽奖名单.txt", platform::kFileTooLarge, Reached::Nothing),
      loads("NamesFileAtTheLimitIsRead", [] { makeSparse(kNames, A("张三\r\n"), platform::kMaxReadBytes); }, 1),

      // The basic settings file.
      cannotOpen("SettingsFileIsAFolder", [] { makeFolder(kSettings); }, "抽奖名单/基础配置.ini", nullptr, Reached::Pool),
      pipeRefused("SettingsFileIsANamedPipe", kSettings, "抽奖名单/基础配置.ini", Reached::Pool),
      loads("PrizeCountMinusOne", [] { replaceWith(kSettings, settingsWithCount("-1")); }, 3, -1),
      fails("PrizeCountTooLarge", [] { replaceWith(kSettings, settingsWithCount("99999999999")); }, "EConvertError",
            "'99999999999' is not a valid integer value", Reached::Headline),
      loads("PrizeCountInHex", [] { replaceWith(kSettings, settingsWithCount("0x10")); }, 3, 16),
      fails("PrizeCountWithBlanksAround", [] { replaceWith(kSettings, settingsWithCount(" 3 ")); }, "EConvertError",
            "' 3 ' is not a valid integer value", Reached::Headline),
      fails("PrizeCountMegabyteLineIsCut", [] { replaceWith(kSettings, settingsWithCount(kMegabyte)); },
            "EConvertError", "'" + kCut200 + "' is not a valid integer value", Reached::Headline),
      fails("PictureNameMegabyteLong",
            [] {
              replaceWith(kSettings, crlf({"背景图片："}) + kMegabyte +
                                         crlf({"", "标题文字：", "新春联欢会", "奖项个数：", "4"}));
            },
            "EFOpenError", {}, Reached::Pool),

      // The picture.
      fails("PictureDeclaresHugeSize", [] { replaceWith(kPicture, bitmapDeclaring(60000, 60000, false, 100)); },
            "EReadError", "Stream read error", Reached::Pool),
      fails("PictureDeclaresHugeRunLengthSize",
            [] { replaceWith(kPicture, bitmapDeclaring(65535, 65535, true, 64)); }, "EReadError",
            "Stream read error", Reached::Pool),
      fails("PictureWiderThanAnyScreen", [] { replaceWith(kPicture, bitmapDeclaring(1000000, 1, false, 3000000)); },
            "EReadError", "Stream read error", Reached::Pool),
      fails("PictureCutShort", [] { replaceWith(kPicture, tinyBmp().substr(0, 60)); }, "EReadError",
            "Stream read error", Reached::Pool),
      fails("PictureIsPngNamedBmp", [] { replaceWith(kPicture, pngStart()); }, "EInvalidGraphic",
            "Bitmap image is not valid", Reached::Pool),
      cannotOpen("PictureIsAFolder", [] { makeFolder(kPicture); }, "抽奖名单/年会背景.bmp", nullptr, Reached::Pool),
      pipeRefused("PictureIsANamedPipe", kPicture, "抽奖名单/年会背景.bmp", Reached::Pool),
      cannotOpen("PictureIsDevZero", [] { linkTo(kPicture, "/dev/zero"); }, "抽奖名单/年会背景.bmp",
                 platform::kNotRegularFile, Reached::Pool),
      cannotOpen("PictureOverTheLimit", [] { makeSparse(kPicture, tinyBmp(), platform::kMaxReadBytes + 1); },
                 "抽奖名单/年会背景.bmp", platform::kFileTooLarge, Reached::Pool),

      // The prize names file.
      pipeRefused("PrizeNamesFileIsANamedPipe", kPrizes, "抽奖名单/奖项设置.ini", Reached::All),
  };
}

// Opens every named pipe of the draw folder for writing and closes it again, which
// releases a reader that waits in its open.
void releasePipes() {
  for (const auto& e : std::filesystem::directory_iterator("抽奖名单")) {
    if (!e.is_fifo()) continue;
    int fd = ::open(e.path().c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }
}

class HostileFolder : public ::testing::TestWithParam<HostileCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(cwd_.ok()); }
  TempCwd cwd_;
};

TEST_P(HostileFolder, GivesErrorOfItsKindAndLeavesNothingHalfDone) {
  const HostileCase& c = GetParam();
  writeGoodFolder();
  c.spoil();
  if (HasFatalFailure()) return;

  FakeWindow w;
  Session s;
  std::optional<Raised> r;
  if (c.pipe) {
    // Start-up runs aside, so that a start-up that waits on the pipe fails this test
    // instead of hanging the suite. Refusing the pipe takes microseconds; the wait
    // allows far more than any loaded machine needs.
    auto run = std::async(std::launch::async, [&] { return raisedBy([&] { FormCreate(w, s); }); });
    if (run.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
      ADD_FAILURE() << "start-up waits on a named pipe";
      releasePipes();
    }
    r = run.get();
  } else {
    r = raisedBy([&] { FormCreate(w, s); });
  }

  if (!c.kind) {
    EXPECT_FALSE(r.has_value()) << r->kind << ": " << r->message;
  } else {
    ASSERT_TRUE(r.has_value()) << "expected " << c.kind;
    EXPECT_EQ(r->kind, c.kind) << r->message;
    if (!c.message.empty()) {
      EXPECT_EQ(r->message, c.message);
    }
    if (c.openPath) {
      const Text head = "Cannot open file \"" + TempCwd::full(c.openPath) + "\". ";
      if (c.openReason) {
        EXPECT_EQ(r->message, head + c.openReason);
      } else {
        expectFileError(r, c.kind, "open", TempCwd::full(c.openPath));
      }
    }
    // A report never quotes more than a screenful, whatever the file held.
    EXPECT_LT(r->message.size(), 1000u) << r->message.substr(0, 300);
  }

  // The pool and its caption are set together, or not at all.
  if (c.reached == Reached::Nothing) {
    EXPECT_EQ(w.poolCount(), 0);
    EXPECT_EQ(w.poolCaption, A("  抽奖名单"));
  } else {
    EXPECT_EQ(w.poolCount(), c.poolCount);
    EXPECT_EQ(w.poolCaption, PoolCaption(c.poolCount));
  }
  // The picture is replaced only by a whole, decoded bitmap.
  if (c.reached >= Reached::Picture) {
    ASSERT_TRUE(w.pictureSet);
    EXPECT_EQ(w.picture.size(), QSize(2, 2));
  } else {
    EXPECT_FALSE(w.pictureSet);
  }
  EXPECT_EQ(w.headlineText, A(c.reached >= Reached::Headline ? "新春联欢会" : "澄曜幸运星 天天拿奖金"));
  const int count = c.reached == Reached::All ? c.prizeCount : 0;
  EXPECT_EQ(s.prizeCount, count);
  const char* designed[6] = {"特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖"};
  const char* named[6] = {"甲", "乙", "丙", "丁", "戊", "己"};
  const bool namesRead = c.reached == Reached::All && !(c.kind && std::string(c.kind) == "EFOpenError");
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(w.shown[k - 1], k == 1 || count > k - 1) << "slot " << k;
    EXPECT_EQ(w.captions[k - 1], A(namesRead && count > k - 1 ? named[k - 1] : designed[k - 1])) << "slot " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFolder, ::testing::ValuesIn(hostileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The contents of the hostile candidate lists arrive byte for byte.
TEST(HostileNames, ArriveByteForByte) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory("抽奖名单");
  FakeWindow w;

  writeBytes(kNames, A("张三\r\n") + kMegabyte + A("\r\n李四"));
  ReadMan(w, T().candidateFile);
  EXPECT_EQ(w.names(), (std::vector<Text>{A("张三"), kMegabyte, A("李四")}));

  writeBytes(kNames, Text("\x81\r\n\xFF\xFE\x80\r\n\x81", 9));
  ReadMan(w, T().candidateFile);
  EXPECT_EQ(w.names(), (std::vector<Text>{"\x81", "\xFF\xFE\x80", "\x81"}));

  writeBytes(kNames, bigNamesFile(1000000));
  ReadMan(w, T().candidateFile);
  ASSERT_EQ(w.poolCount(), 1000000);
  EXPECT_EQ(w.poolName(0), A("名0"));
  EXPECT_EQ(w.poolName(999999), A("名999999"));
}

// A line list asked to load something that is not a readable file keeps its lines.
TEST(HostileLineList, RefusedLoadKeepsTheLines) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory("抽奖名单");
  makePipe(kNames);
  TStringList list;
  list.Add("keep");
  auto run = std::async(std::launch::async, [&] { return raisedBy([&] { list.LoadFromFile(T().candidateFile); }); });
  if (run.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    ADD_FAILURE() << "loading waits on a named pipe";
    releasePipes();
  }
  auto r = run.get();
  ASSERT_TRUE(r);
  EXPECT_EQ(r->message, "Cannot open file \"" + TempCwd::full("抽奖名单/抽奖名单.txt") + "\". " + platform::kNotRegularFile);
  EXPECT_EQ(list.lines(), std::vector<Text>{"keep"});
}

// Restoring from a record that is a named pipe: the open error, and nothing restored.
TEST(HostileRecord, NamedPipeIsRefusedAtOnce) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory("抽奖名单");
  makePipe(kDir + "获奖记录.txt");
  FakeWindow w;
  w.setPool({A("张三"), ""});
  Session s;
  s.prizeCount = 2;
  FakeDialogs dialogs;
  FakeClock clock;
  auto run = std::async(std::launch::async, [&] { return raisedBy([&] { FormShow(w, s, dialogs, clock); }); });
  if (run.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    ADD_FAILURE() << "the restore waits on a named pipe";
    releasePipes();
  }
  auto r = run.get();
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, "EFOpenError");
  EXPECT_EQ(w.names(), (std::vector<Text>{A("张三"), ""}));
  EXPECT_EQ(w.counters[0], "00");
  EXPECT_EQ(w.counters[1], "00");
}

// A record that is there but cannot be read (a link to a named pipe stands in for one
// without read permission, which root would read all the same) is never written over:
// every Stop fails with its open error until it can be read; then its winners join this
// evening's, leave the pool, and the record is written.
TEST(HostileRecord, UnreadableRecordIsNeverWrittenOver) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory("抽奖名单");
  makePipe(kDir + "pipe");
  linkTo(kDir + "获奖记录.txt", "pipe");
  FakeWindow w;
  w.setPool({A("张三"), A("李四"), A("王五"), A("赵六")});
  Session s;
  s.prizeCount = 1;
  FakeDialogs dialogs;
  FakeClock clock;
  auto r = raisedBy([&] { FormShow(w, s, dialogs, clock); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, "EFOpenError");

  // A Stop that drew 王五.
  s.winners[0] = A("王五");
  w.counters[0] = "1";
  w.setPool({A("张三"), A("李四"), A("赵六")});
  for (int stop = 0; stop < 2; ++stop) {
    r = raisedBy([&] { SaveHuman(w, s); });
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, "EFOpenError");
    EXPECT_TRUE(std::filesystem::is_fifo(u8path(kDir + "pipe")));
  }

  // Readable again.
  writeBytes(kDir + "real.txt", crlf({"[特等奖]", "张三，李四"}));
  linkTo(kDir + "获奖记录.txt", "real.txt");
  SaveHuman(w, s);
  SaveHuman(w, s);  // restored once only
  EXPECT_EQ(readBytes(kDir + "real.txt"), crlf({"[特等奖]", "张三，李四，王五"}));
  EXPECT_EQ(s.winners[0], A("张三，李四，王五"));
  EXPECT_EQ(w.counters[0], "3");
  EXPECT_EQ(w.names(), (std::vector<Text>{A("赵六")}));
  EXPECT_EQ(w.poolCaption, A("抽奖名单[1]人"));
}

// No cannot keep an unreadable record aside, so it does not start afresh either.
TEST(HostileRecord, NoWithUnreadableRecordLeavesIt) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory("抽奖名单");
  makePipe(kDir + "获奖记录.txt");
  FakeWindow w;
  Session s;
  FakeDialogs dialogs;
  dialogs.answer = platform::Dialogs::Answer::No;
  FakeClock clock;
  EXPECT_TRUE(raisedBy([&] { FormShow(w, s, dialogs, clock); }));
  s.winners[0] = A("王五");
  EXPECT_TRUE(raisedBy([&] { SaveHuman(w, s); }));
  EXPECT_TRUE(std::filesystem::is_fifo(u8path(kDir + "获奖记录.txt")));
}

// Saves replace regular files only: a named pipe or a device, itself or at the end of a
// link, gets the create error and stays what it was.
struct NotRegularCase {
  const char* name;
  std::function<void()> make;
  std::string kept;  // the node that must stay untouched
};
void PrintTo(const NotRegularCase& c, std::ostream* os) { *os << c.name; }

class NotRegularTarget : public ::testing::TestWithParam<NotRegularCase> {};

TEST_P(NotRegularTarget, SaveIsCreateErrorAndLeavesIt) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory("抽奖名单");
  GetParam().make();
  struct stat before {};
  ASSERT_EQ(::stat(GetParam().kept.c_str(), &before), 0);
  TStringList list;
  list.Add(A("[特等奖]"));
  list.Add(A("王五"));
  auto r = raisedBy([&] { list.SaveToFile(T().recordFile); });
  expectFileError(r, "EFCreateError", "create", TempCwd::full(kDir + "获奖记录.txt"));
  EXPECT_NE(r->message.find(platform::kNotRegularFile), Text::npos) << r->message;
  struct stat after {};
  ASSERT_EQ(::stat(GetParam().kept.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_rdev, before.st_rdev);
  EXPECT_EQ(listDir("抽奖名单").size(), std::filesystem::exists(u8path(kDir + "pipe")) ? 2u : 1u)
      << "a temporary file was left behind";
}

const NotRegularCase kNotRegular[] = {
    {"NamedPipe", [] { makePipe(kDir + "获奖记录.txt"); }, kDir + "获奖记录.txt"},
    {"LinkToNamedPipe",
     [] {
       makePipe(kDir + "pipe");
       linkTo(kDir + "获奖记录.txt", "pipe");
     },
     kDir + "pipe"},
    {"LinkToDevice", [] { linkTo(kDir + "获奖记录.txt", "/dev/null"); }, "/dev/null"},
};
INSTANTIATE_TEST_SUITE_P(Table, NotRegularTarget, ::testing::ValuesIn(kNotRegular),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Quoting in messages.

struct QuoteCase {
  const char* name;
  Text text, shown;
};
void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.name; }

const Text kHan = "\xD5\xC5";  // 张
Text repeat(const Text& t, int n) {
  Text out;
  for (int i = 0; i < n; ++i) out += t;
  return out;
}

const QuoteCase kQuotes[] = {
    {"Empty", "", ""},
    {"Short", "abc", "abc"},
    {"ExactlyTheLimit", Text(200, 'x'), Text(200, 'x')},
    {"OneOverTheLimit", Text(201, 'x'), Text(200, 'x') + "\xA1\xAD"},
    {"ChineseAtTheLimit", repeat(kHan, 200), repeat(kHan, 200)},
    {"ChineseOverTheLimit", repeat(kHan, 250), repeat(kHan, 200) + "\xA1\xAD"},
    {"CutNeverSplitsACharacter", Text(199, 'x') + repeat(kHan, 3), Text(199, 'x') + kHan + "\xA1\xAD"},
    {"LoneLeadByteAtTheEndCountsOne", Text(199, 'x') + "\x81", Text(199, 'x') + "\x81"},
};

class QuotedTable : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuotedTable, CutsLongTextsAtCharacterBoundary) {
  EXPECT_EQ(errors::quoted(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, QuotedTable, ::testing::ValuesIn(kQuotes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuotedMessages, OrdinaryMessagesStayExactAndHugeOnesAreCut) {
  auto r = raisedBy([] { StrToInt("12a"); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->message, "'12a' is not a valid integer value");

  r = raisedBy([&] { StrToInt(repeat(kHan, 100000)); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->message, "'" + repeat(kHan, 200) + "\xA1\xAD' is not a valid integer value");
}

}  // namespace
