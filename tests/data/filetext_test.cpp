// Text files saved as UTF-8 or UTF-16: recognising them, turning them into GB18030 before
// they are cut into lines (every character kept, GBK's bytes wherever GBK has the
// character), leaving GBK files alone, and reporting every bad line of a file whose mark
// does not fit its bytes.
#include "data/filetext.h"
#include "data/record.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/stringlist.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/codec.h"
#include "helpers.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <QString>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

using namespace testdata;

namespace {

// ---------------------------------------------------------------------------------------
// The same text in every form a file can take.

Text utf16(std::string_view utf8, bool littleEndian, bool mark = true) {
  const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
  Text out = mark ? (littleEndian ? Text("\xFF\xFE") : Text("\xFE\xFF")) : Text();
  for (QChar c : s) {
    const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
    out += littleEndian ? lo : hi;
    out += littleEndian ? hi : lo;
  }
  return out;
}

struct Form {
  const char* name;
  std::function<Text(std::string_view utf8)> encode;
  FileText::Form expected;
};
void PrintTo(const Form& f, std::ostream* os) { *os << f.name; }

const Form kForms[] = {
    {"Gbk", [](std::string_view u) { return A(u); }, FileText::Form::Ansi},
    {"Utf8", [](std::string_view u) { return Text(u); }, FileText::Form::Utf8},
    {"Utf8WithMark", [](std::string_view u) { return "\xEF\xBB\xBF" + Text(u); }, FileText::Form::Utf8},
    {"Utf16LE", [](std::string_view u) { return utf16(u, true); }, FileText::Form::Utf16LE},
    {"Utf16BE", [](std::string_view u) { return utf16(u, false); }, FileText::Form::Utf16BE},
};

// Names as organisers type them: blanks kept, an empty line, a middle dot, 乗 (second GBK
// byte 0x5C), a full-width comma, pinyin with a tone mark, characters GBK lacks (䶮, 𠮷)
// and every kind of line end.
constexpr std::string_view kNames =
    "张三\r\n 李四 \r\n\r\n阿依古丽·买买提\n乗\r欧阳娜娜，小\r\nLǚ Wei\r\n刘䶮\r\n𠮷田\r\n";

std::vector<Text> gbkLines(const std::vector<std::string_view>& utf8) {
  std::vector<Text> out;
  for (auto l : utf8) out.push_back(A(l));
  return out;
}

class EveryForm : public ::testing::TestWithParam<Form> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cwd_.ok());
    std::filesystem::create_directory(u8path("抽奖名单"));
  }
  TempCwd cwd_;
};

TEST_P(EveryForm, GivesTheGb18030BytesOfTheText) {
  const Form& f = GetParam();
  const FileText t = AnsiFromFileBytes(f.encode(kNames));
  EXPECT_EQ(t.form, f.expected);
  EXPECT_FALSE(t.notConverted.has_value());
  EXPECT_EQ(t.ansi, A(kNames));

  writeBytes("抽奖名单/抽奖名单.txt", f.encode(kNames));
  FakeWindow w;
  ReadMan(w, T().candidateFile);
  // Every line but the empty one, which names no one.
  EXPECT_EQ(w.names(), gbkLines({"张三", " 李四 ", "阿依古丽·买买提", "乗", "欧阳娜娜，小", "Lǚ Wei", "刘䶮", "𠮷田"}));
  EXPECT_TRUE(w.notices.empty());
}

// The whole start: candidates, basic settings, prize names and the winners record, all
// saved in the same form, give the same pool, headline, prize names, restored winners and
// the same record bytes as GBK files do.
TEST_P(EveryForm, DrawFolderLoadsTheSameAndTheRecordStaysGbk) {
  const Form& f = GetParam();
  writeBytes("抽奖名单/抽奖名单.txt", f.encode(kNames));
  writeBytes("抽奖名单/背景.bmp", tinyBmp());
  writeBytes("抽奖名单/基础配置.ini",
             f.encode("背景图片：\r\n背景.bmp\r\n标题文字：\r\n新春联欢会·幸运大抽奖\r\n奖项个数：\r\n3\r\n"));
  writeBytes("抽奖名单/奖项设置.ini", f.encode("特别大奖\r\n一等奖·双人游\r\n幸运奖\r\n"));
  const std::string_view record = "[特别大奖]\r\n张三\r\n[一等奖·双人游]\r\n阿依古丽·买买提，乗\r\n[幸运奖]\r\n\r\n";
  writeBytes("抽奖名单/获奖记录.txt", f.encode(record));

  FakeWindow w;
  Session s;
  FormCreate(w, s);
  EXPECT_TRUE(w.pictureSet);
  EXPECT_EQ(w.headlineText, A("新春联欢会·幸运大抽奖"));
  EXPECT_EQ(s.prizeCount, 3);
  EXPECT_EQ(w.captions[1], A("一等奖·双人游"));

  FakeDialogs dialogs;
  FakeClock clock;
  dialogs.answer = platform::Dialogs::Answer::Yes;
  FormShow(w, s, dialogs, clock);

  EXPECT_TRUE(w.notices.empty());
  EXPECT_TRUE(dialogs.errors.empty());
  // Pruned: 张三, 阿依古丽·买买提 and 乗 (the empty line never entered the pool).
  EXPECT_EQ(w.names(), gbkLines({" 李四 ", "欧阳娜娜，小", "Lǚ Wei", "刘䶮", "𠮷田"}));
  EXPECT_EQ(s.winners[0], A("张三"));
  EXPECT_EQ(s.winners[1], A("阿依古丽·买买提，乗"));
  EXPECT_EQ(s.winners[2], Text());
  EXPECT_EQ(w.counters[1], "2");

  SaveHuman(w, s);
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), A(record));
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryForm, ::testing::ValuesIn(kForms),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// What stays byte for byte.

struct AsItStands {
  const char* name;
  Text bytes;
};
void PrintTo(const AsItStands& c, std::ostream* os) { *os << c.name; }

const AsItStands kAsItStands[] = {
    {"Empty", Text()},
    {"Ascii", "Zhang San\r\nLi Si\r\n"},
    {"GbkNames", A("张三\r\n李四\r\n")},
    // Bytes that are GBK of no character (a lone lead byte, 0x80, 0xFF) are kept.
    {"GbkWithBytesThatAreNotGbk", A("张三\r\n") + "\x80\xFF\xFE\r\n" + A("李") + "\x81"},
    // Valid UTF-8 up to a point and GBK after it: not UTF-8 as a whole.
    {"Utf8ThenGbk", Text("张三\r\n") + A("李四")},
    // An overlong form and a surrogate written as UTF-8 are not UTF-8.
    {"OverlongSlash", "a\xC0\xAF" "b"},
    {"EncodedSurrogate", "\xED\xA0\x80"},
    {"CutShortSequence", "\xE5\xBC"},
    {"GbkThatStartsLikeUtf8", A("联通")},
};

class GbkFiles : public ::testing::TestWithParam<AsItStands> {};

TEST_P(GbkFiles, AreReadByteForByte) {
  const FileText t = AnsiFromFileBytes(GetParam().bytes);
  EXPECT_EQ(t.form, FileText::Form::Ansi);
  EXPECT_FALSE(t.notConverted.has_value());
  EXPECT_EQ(t.ansi, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Table, GbkFiles, ::testing::ValuesIn(kAsItStands),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileTextForms, GbkFileWithNonGbkBytesLoadsIntoThePoolByteForByte) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory(u8path("抽奖名单"));
  writeBytes("抽奖名单/抽奖名单.txt", A("张三\r\n") + "\x80\xFF" + A("王") + "\r\n\x81");
  FakeWindow w;
  ReadMan(w, T().candidateFile);
  EXPECT_EQ(w.names(), (std::vector<Text>{A("张三"), "\x80\xFF" + A("王"), "\x81"}));
  EXPECT_TRUE(w.notices.empty());
}

TEST(FileTextForms, MarksAloneAndMarksBeforeAsciiAreRemoved) {
  EXPECT_EQ(AnsiFromFileBytes("\xEF\xBB\xBF").ansi, Text());
  EXPECT_EQ(AnsiFromFileBytes("\xEF\xBB\xBF" "abc\r\n").ansi, "abc\r\n");
  EXPECT_EQ(AnsiFromFileBytes("\xFF\xFE").ansi, Text());
  EXPECT_EQ(AnsiFromFileBytes(utf16("abc", false)).ansi, "abc");
  EXPECT_TRUE(AnsiFromFileBytes("\xEF\xBB\xBF" "abc").converted());
}

TEST(FileTextForms, Utf16SurrogatePairsAndZeroUnitsConvert) {
  // A zero unit becomes a zero byte, which ends the line list as it does in a GBK file.
  const Text bytes = utf16("张三", true) + Text("\0\0", 2) + utf16("李四", true, false);
  const FileText t = AnsiFromFileBytes(bytes);
  EXPECT_EQ(t.ansi, A("张三") + Text("\0", 1) + A("李四"));
  TStringList list;
  list.FromBytes(t.ansi);
  EXPECT_EQ(list.lines(), (std::vector<Text>{A("张三")}));
}

// ---------------------------------------------------------------------------------------
// Characters GBK lacks: their GB18030 bytes, written out here.

struct RareCase {
  const char* name;
  Text bytes;
  Text gb18030;
};
void PrintTo(const RareCase& c, std::ostream* os) { *os << c.name; }

const RareCase kRare[] = {
    // 䶮 is GB18030's FE9F, 𠮷 and 㐀 take four bytes, € stays GBK's byte 0x80.
    {"Utf8", Text("刘䶮\r\n𠮷田\r\n㐀€\r\n"), "\xC1\xF5\xFE\x9F\r\n\x95\x34\xB2\x35\xCC\xEF\r\n\x81\x39\xEE\x39\x80\r\n"},
    {"Utf8Emoji", Text("王五😀\n"), "\xCD\xF5\xCE\xE5\x94\x39\xFC\x36\n"},
    {"Utf8KatakanaDot", Text("\xEF\xBB\xBF") + "艾伦・沃克", "\xB0\xAC\xC2\xD7\x81\x39\xA7\x39\xCE\xD6\xBF\xCB"},
    {"Utf16LE", utf16("刘䶮\r\n𠮷田", true), "\xC1\xF5\xFE\x9F\r\n\x95\x34\xB2\x35\xCC\xEF"},
    {"Utf16BE", utf16("𠮷", false), "\x95\x34\xB2\x35"},
};

class RareCharacters : public ::testing::TestWithParam<RareCase> {};

TEST_P(RareCharacters, AreKeptAsGb18030) {
  const FileText t = AnsiFromFileBytes(GetParam().bytes);
  EXPECT_TRUE(t.converted());
  EXPECT_EQ(t.ansi, GetParam().gb18030);
}

INSTANTIATE_TEST_SUITE_P(Table, RareCharacters, ::testing::ValuesIn(kRare),
                         [](const auto& info) { return std::string(info.param.name); });

// A file of GB18030 bytes (saved as "GB18030" by an editor) is read byte for byte.
TEST(FileTextForms, Gb18030FileIsReadByteForByte) {
  const Text bytes = "\xC1\xF5\xFE\x9F\r\n\x95\x34\xB2\x35\xCC\xEF\r\n";
  const FileText t = AnsiFromFileBytes(bytes);
  EXPECT_EQ(t.form, FileText::Form::Ansi);
  EXPECT_EQ(t.ansi, bytes);
}

// ---------------------------------------------------------------------------------------
// A mark that does not fit the bytes after it.

struct Refused {
  const char* name;
  Text bytes;
  FileText::Refusal why;
  std::vector<std::int32_t> lines;
};
void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }

const Refused kRefused[] = {
    {"Utf8MarkThenGbk", "\xEF\xBB\xBF" + A("张三\r\n李四"), FileText::Refusal::NotUtf8, {1, 2}},
    {"Utf8MarkThenBadSecondLine", "\xEF\xBB\xBF" "ok\r\n\xFF", FileText::Refusal::NotUtf8, {2}},
    // Every bad line, once each, however many bad bytes it holds; good lines between.
    {"Utf8MarkThenSeveralBadLines", "\xEF\xBB\xBF" + A("张三\r\n") + "ok\r\n" + A("李四\n王五\r赵六") + "\r\n",
     FileText::Refusal::NotUtf8, {1, 3, 4, 5}},
    {"Utf16LoneHighSurrogate", Text("\xFF\xFE" "a\0\n\0\x3D\xD8" "b\0", 10), FileText::Refusal::NotUtf16, {2}},
    {"Utf16LoneLowSurrogate", Text("\xFE\xFF\xDE\x00", 4), FileText::Refusal::NotUtf16, {1}},
    {"Utf16OddLength", Text("\xFF\xFE" "a\0\r\0\r\0\x41", 9), FileText::Refusal::NotUtf16, {3}},
    {"Utf16LoneSurrogatesOnTwoLinesAndOddLength",
     Text("\xFF\xFE\x3D\xD8\r\0\n\0" "a\0\r\0\x00\xDC\x01\xDC\n\0\x41", 19), FileText::Refusal::NotUtf16, {1, 3, 4}},
};

class Unconvertible : public ::testing::TestWithParam<Refused> {};

TEST_P(Unconvertible, IsReadAsItStandsAndSaysEveryLine) {
  const Refused& c = GetParam();
  const FileText t = AnsiFromFileBytes(c.bytes);
  ASSERT_TRUE(t.notConverted.has_value());
  EXPECT_FALSE(t.converted());
  EXPECT_EQ(t.notConverted->why, c.why);
  EXPECT_EQ(t.notConverted->lines, c.lines);
  EXPECT_EQ(t.ansi, c.bytes) << "nothing replaced, nothing dropped";
}

INSTANTIATE_TEST_SUITE_P(Table, Unconvertible, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileTextForms, BadLinesAreReportedInOneMessageNamingFileAndEveryLine) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory(u8path("抽奖名单"));
  // A GBK file that an editor gave a UTF-8 mark: six bad lines, one notice.
  const Text bytes = "\xEF\xBB\xBF" + crlf({"张三", "李四", "Smith", "王五", "赵六", "钱七", "孙八"});
  writeBytes("抽奖名单/抽奖名单.txt", bytes);
  FakeWindow w;
  ReadMan(w, T().candidateFile);

  ASSERT_EQ(w.notices.size(), 1u);
  EXPECT_EQ(w.notices[0], "Cannot convert file \"" + TempCwd::full("抽奖名单/抽奖名单.txt") +
                              "\": it begins with a UTF-8 mark, but these lines hold bytes that are not UTF-8: "
                              "1-2, 4-7. The file is read as it stands");
  EXPECT_EQ(w.names().size(), 7u);
  EXPECT_EQ(w.names()[1], A("李四"));
}

TEST(FileTextForms, NotConvertedMessageForUtf16) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  EXPECT_EQ(NotConvertedMessage("x.txt", {FileText::Refusal::NotUtf16, {7}}),
            "Cannot convert file \"" + TempCwd::full("x.txt") +
                "\": it begins with a UTF-16 mark, but these lines hold units that are not UTF-16: 7. The file is "
                "read as it stands");
}

struct LineListCase {
  const char* name;
  std::vector<std::int32_t> lines;
  size_t maxRuns;
  Text text;
};
void PrintTo(const LineListCase& c, std::ostream* os) { *os << c.name; }

const LineListCase kLineLists[] = {
    {"One", {3}, 100, "3"},
    {"RunsAndSingles", {1, 2, 3, 5, 7, 8}, 100, "1-3, 5, 7-8"},
    {"AtTheLimit", {1, 3, 5}, 3, "1, 3, 5"},
    {"BeyondTheLimit", {1, 3, 4, 6, 8}, 2, "1, 3-4, " + A("…") + " (5 lines in all)"},
};

class LineLists : public ::testing::TestWithParam<LineListCase> {};

TEST_P(LineLists, JoinNeighboursAndStopAtTheLimit) {
  EXPECT_EQ(LineList(GetParam().lines, GetParam().maxRuns), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, LineLists, ::testing::ValuesIn(kLineLists),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
