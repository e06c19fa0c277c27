// Text files saved as UTF-8 or UTF-16: recognising them, turning them into GBK before they
// are cut into lines, leaving GBK files alone, and reporting a character GBK lacks.
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
// byte 0x5C), a full-width comma, pinyin with a tone mark, and every kind of line end.
constexpr std::string_view kNames =
    "张三\r\n 李四 \r\n\r\n阿依古丽·买买提\n乗\r欧阳娜娜，小\r\nLǚ Wei\r\n";

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

TEST_P(EveryForm, GivesTheGbkBytesOfTheText) {
  const Form& f = GetParam();
  const FileText t = AnsiFromFileBytes(f.encode(kNames));
  EXPECT_EQ(t.form, f.expected);
  EXPECT_FALSE(t.notConverted.has_value());
  EXPECT_EQ(t.ansi, A(kNames));

  writeBytes("抽奖名单/抽奖名单.txt", f.encode(kNames));
  FakeWindow w;
  ReadMan(w, T().candidateFile);
  // Every line but the empty one, which names no one.
  EXPECT_EQ(w.names(), gbkLines({"张三", " 李四 ", "阿依古丽·买买提", "乗", "欧阳娜娜，小", "Lǚ Wei"}));
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
  EXPECT_EQ(w.names(), gbkLines({" 李四 ", "欧阳娜娜，小", "Lǚ Wei"}));
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
// What cannot be turned into GBK.

struct Refused {
  const char* name;
  Text bytes;
  FileText::Refusal why;
  std::int32_t line;
  std::uint32_t what;
};
void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }

const Refused kRefused[] = {
    // 𠮷 (U+20BB7) and emoji are not in GBK; neither is U+30FB, the katakana middle dot.
    {"Utf8RareCharacter", Text("张三\r\n李四\r\n𠮷田\r\n"), FileText::Refusal::NoGbkForm, 3, 0x20BB7},
    {"Utf8Emoji", Text("张三\n\n王五😀\n"), FileText::Refusal::NoGbkForm, 3, 0x1F600},
    {"Utf8KatakanaDot", Text("\xEF\xBB\xBF") + "张三\r李四\r\n艾伦・沃克", FileText::Refusal::NoGbkForm, 3, 0x30FB},
    {"Utf16LEEmoji", utf16("张三\r\n\r\n😀\r\n", true), FileText::Refusal::NoGbkForm, 3, 0x1F600},
    {"Utf16BERare", utf16("𠮷", false), FileText::Refusal::NoGbkForm, 1, 0x20BB7},
    {"Utf8MarkThenGbk", "\xEF\xBB\xBF" + A("张三\r\n李四"), FileText::Refusal::NotUtf8, 1, 0xD5},
    {"Utf8MarkThenBadSecondLine", "\xEF\xBB\xBF" "ok\r\n\xFF", FileText::Refusal::NotUtf8, 2, 0xFF},
    {"Utf16LoneHighSurrogate", Text("\xFF\xFE" "a\0\n\0\x3D\xD8" "b\0", 10), FileText::Refusal::NotUtf16, 2, 0xD83D},
    {"Utf16LoneLowSurrogate", Text("\xFE\xFF\xDE\x00", 4), FileText::Refusal::NotUtf16, 1, 0xDE00},
    {"Utf16OddLength", Text("\xFF\xFE" "a\0\r\0\r\0\x41", 9), FileText::Refusal::NotUtf16, 3, 0x41},
};

class Unconvertible : public ::testing::TestWithParam<Refused> {};

TEST_P(Unconvertible, IsReadAsItStandsAndSaysWhere) {
  const Refused& c = GetParam();
  const FileText t = AnsiFromFileBytes(c.bytes);
  ASSERT_TRUE(t.notConverted.has_value());
  EXPECT_FALSE(t.converted());
  EXPECT_EQ(t.notConverted->why, c.why);
  EXPECT_EQ(t.notConverted->line, c.line);
  EXPECT_EQ(t.notConverted->what, c.what);
  EXPECT_EQ(t.ansi, c.bytes) << "nothing replaced, nothing dropped";
}

INSTANTIATE_TEST_SUITE_P(Table, Unconvertible, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileTextForms, UnmappableCharacterIsReportedOnceNamingFileLineAndCharacter) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::create_directory(u8path("抽奖名单"));
  const Text bytes = "张三\r\n李四\r\n𠮷田\r\n王五😀\r\n";
  writeBytes("抽奖名单/抽奖名单.txt", bytes);
  FakeWindow w;
  ReadMan(w, T().candidateFile);

  ASSERT_EQ(w.notices.size(), 1u);
  EXPECT_EQ(w.notices[0], "Cannot convert file \"" + TempCwd::full("抽奖名单/抽奖名单.txt") +
                              "\" to GBK: line 3 holds U+20BB7, which GBK lacks. The file is read as it stands");
  // The names stay the file's own bytes: no '?' anywhere.
  EXPECT_EQ(w.names(), (std::vector<Text>{"张三", "李四", "𠮷田", "王五😀"}));
}

TEST(FileTextForms, NotConvertedMessagesNameByteAndUnit) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  const Text full = TempCwd::full("x.txt");
  EXPECT_EQ(NotConvertedMessage("x.txt", {FileText::Refusal::NotUtf8, 2, 0xD5}),
            "Cannot convert file \"" + full +
                "\" to GBK: line 2 holds the byte 0xD5, which is not UTF-8 although the file begins with a "
                "UTF-8 mark. The file is read as it stands");
  EXPECT_EQ(NotConvertedMessage("x.txt", {FileText::Refusal::NotUtf16, 7, 0xD83D}),
            "Cannot convert file \"" + full +
                "\" to GBK: line 7 holds 0xD83D, which is not UTF-16 although the file begins with a "
                "UTF-16 mark. The file is read as it stands");
  EXPECT_EQ(NotConvertedMessage("x.txt", {FileText::Refusal::NoGbkForm, 12, 0x3400}),
            "Cannot convert file \"" + full +
                "\" to GBK: line 12 holds U+3400, which GBK lacks. The file is read as it stands");
}

// ---------------------------------------------------------------------------------------
// The codec's exact encoding.

TEST(ExactGbk, EncodesWhatGbkHoldsAndFindsTheFirstCharacterItLacks) {
  auto enc = platform::toAnsiExact(QString::fromUtf8("张三·乗 Lǚ€"));
  EXPECT_EQ(enc.unmappableAt, -1);
  EXPECT_EQ(enc.bytes, A("张三·乗 Lǚ€"));

  enc = platform::toAnsiExact(QString::fromUtf8("ab😀c𠮷"));
  EXPECT_EQ(enc.unmappableAt, 2);
  EXPECT_TRUE(enc.bytes.empty());

  // '?' itself is a character GBK has; U+FFFD is not.
  EXPECT_EQ(platform::toAnsiExact(QStringLiteral("?")).bytes, "?");
  EXPECT_EQ(platform::toAnsiExact(QString(QChar(0xFFFD))).unmappableAt, 0);
  EXPECT_EQ(platform::toAnsiExact(QString()).unmappableAt, -1);
}

}  // namespace
