// Start-up: ReadMan and FormCreate over small draw folders written into a temporary
// current directory.
#include "data/errors.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/texts.h"
#include "data/window.h"
#include "helpers.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QColor>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace testdata;

namespace {

// ---------------------------------------------------------------------------------------
// A draw folder to write: nullopt means the file is not there.

struct FolderPlan {
  bool folder = true;
  std::optional<Text> candidates, settings, prizes;
  std::vector<std::pair<std::string, Text>> files;  // further files under the folder
  std::vector<std::string> dirs;                    // sub-folders under the folder
};

Text settingsFile(const char* picture, const char* headline, const char* count) {
  return crlf({"背景图片：", picture, "标题文字：", headline, "奖项个数：", count, "其余不读"});
}

FolderPlan goodFolder() {
  FolderPlan f;
  f.candidates = crlf({"张三", "李四", "", "王五"});
  f.settings = settingsFile("年会背景.bmp", "新春联欢会 幸运大抽奖", "4");
  f.prizes = crlf({"特别大奖", "一等好礼", "二等好礼", "幸运奖", "不读的第五行"});
  f.files = {{"年会背景.bmp", tinyBmp()}};
  return f;
}

void writeFolder(const FolderPlan& f) {
  if (!f.folder) return;
  std::filesystem::create_directory(u8path("抽奖名单"));
  if (f.candidates) writeBytes("抽奖名单/抽奖名单.txt", *f.candidates);
  if (f.settings) writeBytes("抽奖名单/基础配置.ini", *f.settings);
  if (f.prizes) writeBytes("抽奖名单/奖项设置.ini", *f.prizes);
  for (const auto& [name, bytes] : f.files) writeBytes("抽奖名单/" + name, bytes);
  for (const auto& d : f.dirs) std::filesystem::create_directory(u8path("抽奖名单/" + d));
}

// ---------------------------------------------------------------------------------------
// What the window holds afterwards. The defaults are the designed state, so a row only
// names what the steps that ran have set.

enum class Pic { BuiltIn, Empty, Tiny };

using Captions = std::array<const char*, 6>;
const Captions kDesigned = {"特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖"};
// The good folder's candidate list has an empty line, which names no one.
const std::vector<const char*> kThree = {"张三", "李四", "王五"};

struct Outcome {
  const char* kind = nullptr;        // nothing raised when null
  const char* orKind = nullptr;      // a second acceptable kind
  const char* message = nullptr;     // exact message (UTF-8), when given
  const char* openPath = nullptr;    // open error naming this native path under the cwd
  std::vector<const char*> pool = {};
  const char* poolCaption = "  抽奖名单";
  Pic picture = Pic::BuiltIn;
  const char* headline = "澄曜幸运星 天天拿奖金";
  int prizeCount = 0;
  int slotsShown = 1;
  Captions captions = kDesigned;
};

struct StartupCase {
  const char* name;
  void (*tweak)(FolderPlan&);
  Outcome expect;
};
void PrintTo(const StartupCase& c, std::ostream* os) { *os << c.name; }

const Captions kNamed4 = {"特别大奖", "一等好礼", "二等好礼", "幸运奖", "四等奖", "五等奖"};
constexpr const char* kHeadline = "新春联欢会 幸运大抽奖";
constexpr const char* kCaption3 = "抽奖名单[3]人";

const StartupCase kStartup[] = {
    {"Success", [](FolderPlan&) {},
     {.pool = kThree, .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline,
      .prizeCount = 4, .slotsShown = 4, .captions = kNamed4}},

    // Step 1: the candidate list.
    {"NoDrawFolder", [](FolderPlan& f) { f.folder = false; },
     {.kind = "EFOpenError", .openPath = "抽奖名单/抽奖名单.txt"}},
    {"NoCandidateFile", [](FolderPlan& f) { f.candidates.reset(); },
     {.kind = "EFOpenError", .openPath = "抽奖名单/抽奖名单.txt"}},
    {"CandidateFileIsAFolder",
     [](FolderPlan& f) {
       f.candidates.reset();
       f.dirs = {"抽奖名单.txt"};
     },
     {.kind = "EFOpenError", .openPath = "抽奖名单/抽奖名单.txt"}},

    // Step 3: the basic settings file.
    {"NoSettingsFile", [](FolderPlan& f) { f.settings.reset(); },
     {.kind = "EFOpenError", .openPath = "抽奖名单/基础配置.ini", .pool = kThree,
      .poolCaption = kCaption3}},

    // Step 4: the picture.
    {"SettingsOneLine", [](FolderPlan& f) { f.settings = crlf({"背景图片："}); },
     {.kind = "EStringListError", .message = "List index out of bounds (1)", .pool = kThree,
      .poolCaption = kCaption3}},
    {"PictureMissing",
     [](FolderPlan& f) { f.settings = settingsFile("没有这张.bmp", kHeadline, "4"); },
     {.kind = "EFOpenError", .openPath = "抽奖名单/没有这张.bmp", .pool = kThree,
      .poolCaption = kCaption3}},
    {"PictureLineEmptyNamesDrawFolder",
     [](FolderPlan& f) { f.settings = settingsFile("", kHeadline, "4"); },
     {.kind = "EFOpenError", .openPath = "抽奖名单/", .pool = kThree, .poolCaption = kCaption3}},
    {"PictureIsJpeg", [](FolderPlan& f) { f.files = {{"年会背景.bmp", jpegStart()}}; },
     {.kind = "EInvalidGraphic", .message = "Bitmap image is not valid", .pool = kThree,
      .poolCaption = kCaption3}},
    {"PictureNamedJpgIsJpeg",
     [](FolderPlan& f) {
       f.settings = settingsFile("年会背景.jpg", kHeadline, "4");
       f.files = {{"年会背景.jpg", jpegStart()}};
     },
     {.kind = "EInvalidGraphic", .message = "Bitmap image is not valid", .pool = kThree,
      .poolCaption = kCaption3}},
    {"PictureHeaderCutShort", [](FolderPlan& f) { f.files = {{"年会背景.bmp", tinyBmp().substr(0, 20)}}; },
     {.kind = "EInvalidGraphic", .orKind = "EReadError", .pool = kThree, .poolCaption = kCaption3}},
    {"PicturePixelsCutShort", [](FolderPlan& f) { f.files = {{"年会背景.bmp", tinyBmp().substr(0, 60)}}; },
     {.kind = "EInvalidGraphic", .orKind = "EReadError", .pool = kThree, .poolCaption = kCaption3}},
    {"PictureZeroBytesIsEmptyPicture", [](FolderPlan& f) { f.files = {{"年会背景.bmp", Text()}}; },
     {.pool = kThree, .poolCaption = kCaption3, .picture = Pic::Empty, .headline = kHeadline,
      .prizeCount = 4, .slotsShown = 4, .captions = kNamed4}},

    // Step 5: the headline.
    {"SettingsThreeLines",
     [](FolderPlan& f) { f.settings = crlf({"背景图片：", "年会背景.bmp", "标题文字："}); },
     {.kind = "EStringListError", .message = "List index out of bounds (3)", .pool = kThree,
      .poolCaption = kCaption3, .picture = Pic::Tiny}},
    {"EmptyHeadlineLine",
     [](FolderPlan& f) { f.settings = settingsFile("年会背景.bmp", "", "4"); },
     {.pool = kThree, .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = "",
      .prizeCount = 4, .slotsShown = 4, .captions = kNamed4}},

    // Step 6: the prize count.
    {"SettingsFiveLines",
     [](FolderPlan& f) {
       f.settings = crlf({"背景图片：", "年会背景.bmp", "标题文字：", kHeadline, "奖项个数："});
     },
     {.kind = "EStringListError", .message = "List index out of bounds (5)", .pool = kThree,
      .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline}},
    {"PrizeCountTrailingBlank",
     [](FolderPlan& f) { f.settings = settingsFile("年会背景.bmp", kHeadline, "4 "); },
     {.kind = "EConvertError", .message = "'4 ' is not a valid integer value", .pool = kThree,
      .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline}},

    // Step 8: the prize names file.
    {"NoPrizeNamesFile", [](FolderPlan& f) { f.prizes.reset(); },
     {.kind = "EFOpenError", .openPath = "抽奖名单/奖项设置.ini", .pool = kThree,
      .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline, .prizeCount = 4,
      .slotsShown = 4}},
    {"PrizeCountZeroStillOpensPrizeNames",
     [](FolderPlan& f) {
       f.settings = settingsFile("年会背景.bmp", kHeadline, "0");
       f.prizes.reset();
     },
     {.kind = "EFOpenError", .openPath = "抽奖名单/奖项设置.ini", .pool = kThree,
      .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline}},

    // Step 9: the slot names.
    {"PrizeNamesTooShort", [](FolderPlan& f) { f.prizes = crlf({"特别大奖", "一等好礼"}); },
     {.kind = "EStringListError", .message = "List index out of bounds (2)", .pool = kThree,
      .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline, .prizeCount = 4,
      .slotsShown = 4,
      .captions = {"特别大奖", "一等好礼", "二等奖", "三等奖", "四等奖", "五等奖"}}},

    // Prize counts outside 1..6.
    {"PrizeCountZeroKeepsDesignedName",
     [](FolderPlan& f) { f.settings = settingsFile("年会背景.bmp", kHeadline, "0"); },
     {.pool = kThree, .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline}},
    {"PrizeCountNegative",
     [](FolderPlan& f) { f.settings = settingsFile("年会背景.bmp", kHeadline, "-3"); },
     {.pool = kThree, .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline,
      .prizeCount = -3}},
    {"PrizeCountOne",
     [](FolderPlan& f) { f.settings = settingsFile("年会背景.bmp", kHeadline, "1"); },
     {.pool = kThree, .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline,
      .prizeCount = 1, .captions = {"特别大奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖"}}},
    {"PrizeCountNineShowsSix",
     [](FolderPlan& f) {
       f.settings = settingsFile("年会背景.bmp", kHeadline, "9");
       f.prizes = crlf({"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛"});
     },
     {.pool = kThree, .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline,
      .prizeCount = 9, .slotsShown = 6, .captions = {"甲", "乙", "丙", "丁", "戊", "己"}}},
    {"PrizeCountInHex",
     [](FolderPlan& f) { f.settings = settingsFile("年会背景.bmp", kHeadline, "  $2"); },
     {.pool = kThree, .poolCaption = kCaption3, .picture = Pic::Tiny, .headline = kHeadline,
      .prizeCount = 2, .slotsShown = 2,
      .captions = {"特别大奖", "一等好礼", "二等奖", "三等奖", "四等奖", "五等奖"}}},

    // Candidate lists.
    {"EmptyCandidateFile", [](FolderPlan& f) { f.candidates = Text(); },
     {.poolCaption = "抽奖名单[0]人", .picture = Pic::Tiny, .headline = kHeadline,
      .prizeCount = 4, .slotsShown = 4, .captions = kNamed4}},
    {"CandidatesWithoutFinalBreakAndBlankLine",
     [](FolderPlan& f) {
       f.candidates = crlf({"张三", "张三 ", "", "张三"}) + A("李四");
     },
     {.pool = {"张三", "张三 ", "张三", "李四"}, .poolCaption = "抽奖名单[4]人",
      .picture = Pic::Tiny, .headline = kHeadline, .prizeCount = 4, .slotsShown = 4,
      .captions = kNamed4}},
};

class FormCreateTable : public ::testing::TestWithParam<StartupCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(cwd_.ok()); }
  TempCwd cwd_;
};

TEST_P(FormCreateTable, EndsAtFailingStepWithExactState) {
  const auto& c = GetParam();
  const Outcome& e = c.expect;
  FolderPlan plan = goodFolder();
  c.tweak(plan);
  writeFolder(plan);

  FakeWindow w;
  Session s;
  const auto r = raisedBy([&] { FormCreate(w, s); });

  // The error.
  if (!e.kind) {
    EXPECT_FALSE(r.has_value()) << r->kind << ": " << r->message;
  } else if (e.openPath) {
    const Text full = TempCwd::full(e.openPath);
    if (full.back() == '/' && r && r->message.find(full) == Text::npos) {
      // The draw folder itself may be named with or without the final slash.
      expectFileError(r, e.kind, "open", full.substr(0, full.size() - 1));
    } else {
      expectFileError(r, e.kind, "open", full);
    }
  } else {
    ASSERT_TRUE(r.has_value()) << "expected " << e.kind;
    if (e.orKind) {
      EXPECT_TRUE(r->kind == e.kind || r->kind == e.orKind) << r->kind << ": " << r->message;
    } else {
      EXPECT_EQ(r->kind, e.kind) << r->message;
    }
    if (e.message) {
      EXPECT_EQ(r->message, A(e.message));
    }
  }

  // The pool and its caption.
  std::vector<Text> pool;
  for (const char* n : e.pool) pool.push_back(A(n));
  EXPECT_EQ(w.names(), pool);
  EXPECT_TRUE(w.selectedRows().empty());
  EXPECT_EQ(w.poolCaption, A(e.poolCaption));

  // The picture.
  switch (e.picture) {
    case Pic::BuiltIn:
      EXPECT_FALSE(w.pictureSet) << "the built-in picture must stay";
      break;
    case Pic::Empty:
      EXPECT_TRUE(w.pictureSet);
      EXPECT_TRUE(w.picture.isNull());
      break;
    case Pic::Tiny:
      ASSERT_TRUE(w.pictureSet);
      ASSERT_EQ(w.picture.size(), QSize(2, 2));
      EXPECT_EQ(w.picture.pixelColor(0, 0).rgb(), QColor(Qt::blue).rgb());
      EXPECT_EQ(w.picture.pixelColor(1, 0).rgb(), QColor(Qt::white).rgb());
      EXPECT_EQ(w.picture.pixelColor(0, 1).rgb(), QColor(Qt::red).rgb());
      EXPECT_EQ(w.picture.pixelColor(1, 1).rgb(), QColor(Qt::green).rgb());
      break;
  }

  // Headline, prize count and slots.
  EXPECT_EQ(w.headlineText, A(e.headline));
  EXPECT_EQ(s.prizeCount, e.prizeCount);
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(w.shown[k - 1], k <= e.slotsShown) << "slot " << k;
    EXPECT_EQ(w.captions[k - 1], A(e.captions[k - 1])) << "slot " << k;
    EXPECT_EQ(w.counters[k - 1], "00") << "slot " << k;
    EXPECT_TRUE(s.winners[k - 1].empty());
  }
  EXPECT_TRUE(w.selected[0]);
}

INSTANTIATE_TEST_SUITE_P(Folders, FormCreateTable, ::testing::ValuesIn(kStartup),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// ReadMan on its own.

class ReadManTest : public InDrawFolder {
 protected:
  FakeWindow w;
};

TEST_F(ReadManTest, EmptiesPoolThenAppendsEveryLineThatNamesSomeone) {
  w.setPool({"old", "older"});
  w.pool[1].selected = true;
  writeBytes("抽奖名单/抽奖名单.txt", crlf({"张三", "李四", "", "王五"}));
  ReadMan(w, T().candidateFile);
  EXPECT_EQ(w.names(), (std::vector<Text>{A("张三"), A("李四"), A("王五")}));
  EXPECT_TRUE(w.selectedRows().empty());
}

TEST_F(ReadManTest, ByteOrderMarkStaysOnFirstEntry) {
  writeBytes("抽奖名单/抽奖名单.txt", "\xEF\xBB\xBF" + crlf({"张三", "李四"}));
  ReadMan(w, T().candidateFile);
  EXPECT_EQ(w.names(), (std::vector<Text>{"\xEF\xBB\xBF" + A("张三"), A("李四")}));
}

TEST_F(ReadManTest, LineEndsOfAnyKindGiveSameEntries) {
  for (const Text& bytes : {A("张三\r李四\r\r王五\r"), A("张三\n李四\n\n王五\n"), A("张三\r\n李四\r\n\r\n王五")}) {
    writeBytes("抽奖名单/抽奖名单.txt", bytes);
    ReadMan(w, T().candidateFile);
    EXPECT_EQ(w.names(), (std::vector<Text>{A("张三"), A("李四"), A("王五")}));
  }
}

// Blank lines never enter the pool; a name with blanks around it stays as it is.
struct BlankCase {
  const char* name;
  Text line;
  bool blank;
};
void PrintTo(const BlankCase& c, std::ostream* os) { *os << c.name; }

class BlankLines : public ReadManTest, public ::testing::WithParamInterface<BlankCase> {};

TEST_P(BlankLines, NameNoOneOrStayWhole) {
  const BlankCase& c = GetParam();
  EXPECT_EQ(IsBlankLine(c.line), c.blank);
  writeBytes("抽奖名单/抽奖名单.txt", crlf({"张三"}) + c.line + "\r\n" + crlf({"李四"}));
  ReadMan(w, T().candidateFile);
  std::vector<Text> expected{A("张三")};
  if (!c.blank) expected.push_back(c.line);
  expected.push_back(A("李四"));
  EXPECT_EQ(w.names(), expected);
}

const BlankCase kBlanks[] = {
    {"Empty", "", true},
    {"Spaces", "   ", true},
    {"Tab", "\t \t", true},
    {"FullWidthSpaces", A("　　"), true},
    {"MixedBlanks", A(" 　\t"), true},
    {"NameWithBlanksAround", A(" 王五　"), false},
    // A full-width space, then a lone lead byte.
    {"LoneLeadByte", Text("\xA1\xA1\xA1", 3), false},
    {"Dot", ".", false},
};
INSTANTIATE_TEST_SUITE_P(Table, BlankLines, ::testing::ValuesIn(kBlanks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadManTest, RefusedEntryRaisesInsertError) {
  writeBytes("抽奖名单/抽奖名单.txt", crlf({"张三"}));
  w.refuseAppend = true;
  auto r = raisedBy([&] { ReadMan(w, T().candidateFile); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, "EOutOfResources");
  EXPECT_EQ(r->message, "Unable to insert a line");
}

TEST(ProgramTexts, SpelledInGbk) {
  EXPECT_EQ(T().separator, Text("\xA3\xAC"));
  EXPECT_EQ(T().appTitle, A("澄曜晚会抽奖系统 霁岩版"));
  EXPECT_EQ(T().candidateFile, A("抽奖名单\\抽奖名单.txt"));
  EXPECT_EQ(T().settingsFile, A("抽奖名单\\基础配置.ini"));
  EXPECT_EQ(T().prizeFile, A("抽奖名单\\奖项设置.ini"));
  EXPECT_EQ(T().recordFile, A("抽奖名单\\获奖记录.txt"));
  EXPECT_EQ(PoolCaption(4), A("抽奖名单[4]人"));
  EXPECT_EQ(PoolCaption(0), A("抽奖名单[0]人"));
  EXPECT_EQ(PoolCaption(12345), A("抽奖名单[12345]人"));
}

}  // namespace
