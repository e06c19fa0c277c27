// GBK to Unicode and back: the same answers from every platform's converter (ICU on
// Linux, code page 936 on Windows), for good bytes, bad bytes and characters GBK lacks;
// the start of a text cut for the screen; the program's literals as GBK.
#include "platform/codec.h"

#include "support/gbk.h"

#include <QString>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using testkit::A;

// GBK bytes written out, so that these tables do not lean on the codec.
const Text kZhangSan = "\xD5\xC5\xC8\xFD";  // 张三
const Text kLiSi = "\xC0\xEE\xCB\xC4";      // 李四
const Text kSep = "\xA3\xAC";               // ，

struct DecodeCase {
  const char* name;
  Text gbk;
  const char16_t* unicode;
};
void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

const DecodeCase kDecodes[] = {
    {"Ascii", "Zhang San 1", u"Zhang San 1"},
    {"TwoNames", "\xD5\xC5\xC8\xFD\xA3\xAC\xC0\xEE\xCB\xC4", u"张三，李四"},
    {"SecondByteIsBackslash", "\x81\x5C", u"乗"},
    {"IdeographicSpace", "\xA1\xA1", u"\u3000"},
    {"EuroSign", "\x80", u"€"},
    {"LeadByteAtEndIsBad", "a\xB3", u"a\uFFFD"},
    {"LeadByteBeforeBlankIsBadAlone", "\xB3 b", u"\uFFFD b"},
    {"LeadByteBeforeDelIsBadAlone", "\x81\x7F", u"\uFFFD\x7F"},
    {"ZeroByteIsKept", Text("a\0b", 3), u"a\0b"},
};

class Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, GivesTheUnicodeText) {
  const auto& c = GetParam();
  const QString expected = QString::fromUtf16(c.unicode, qsizetype(std::char_traits<char16_t>::length(c.unicode)) +
                                                             (c.gbk.find('\0') != Text::npos ? 2 : 0));
  EXPECT_EQ(platform::fromAnsi(c.gbk), expected);
}
INSTANTIATE_TEST_SUITE_P(Table, Decode, ::testing::ValuesIn(kDecodes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Encode, GbkBytesForCharactersGbkHasAndQuestionMarksForTheRest) {
  EXPECT_EQ(platform::toAnsi(QString::fromUtf8("张三，李四")), "\xD5\xC5\xC8\xFD\xA3\xAC\xC0\xEE\xCB\xC4");
  EXPECT_EQ(platform::toAnsi(QString::fromUtf8("乗")), "\x81\x5C");
  EXPECT_EQ(platform::toAnsi(QString::fromUtf8("€")), "\x80");
  // Thai and Hangul are not in GBK: no look-alike, a question mark each.
  EXPECT_EQ(platform::toAnsi(QString::fromUtf8("aกb한")), "a?b?");
  EXPECT_EQ(platform::toAnsi(QString()), "");
}

TEST(Encode, RoundTripOfEveryTwoByteCharacterInOneRow) {
  // Row B0 (啊 ... 剥): every trail byte A1..FE is a character and comes back unchanged.
  Text row;
  for (int t = 0xA1; t <= 0xFE; ++t) row += {char(0xB0), char(t)};
  const QString text = platform::fromAnsi(row);
  EXPECT_EQ(text.size(), 0xFE - 0xA1 + 1);
  EXPECT_FALSE(text.contains(QChar(QChar::ReplacementCharacter)));
  EXPECT_EQ(platform::toAnsi(text), row);
}

TEST(NativePath, BackslashesBecomeSeparatorsOnlyBetweenCharacters) {
  // 乗 ends in byte 5C; only the real backslash after it separates.
  EXPECT_EQ(platform::nativePath("\x81\x5C\\a.txt"), QString::fromUtf8("乗/a.txt"));
}

// ---------------------------------------------------------------------------------------
// Texts for the screen and the program's own literals.

TEST(Codec, ProgramLiteralsBecomeGbkBytes) {
  EXPECT_EQ(A("，"), kSep);
  EXPECT_EQ(A("张三，李四"), kZhangSan + kSep + kLiSi);
  EXPECT_EQ(A("乗"), Text("\x81\x5C"));
}

// A start of a text for showing: never ends inside a two-byte character.
struct PrefixCase {
  const char* name;
  Text bytes;
  size_t maxBytes;
  size_t length;
};
void PrintTo(const PrefixCase& c, std::ostream* os) { *os << c.name; }

const PrefixCase kPrefixes[] = {
    {"AsciiCutAnywhere", "abcdef", 4, 4},
    {"ShorterThanTheLimit", "ab", 10, 2},
    {"WholeAtTheLimit", kZhangSan, 4, 4},
    {"NotInsideTheSecondCharacter", kZhangSan, 3, 2},
    {"NotInsideTheFirstCharacter", kZhangSan, 1, 0},
    {"NothingAllowed", kZhangSan, 0, 0},
    {"AsciiThenTwoByte", "a" + kZhangSan, 2, 1},
    {"AsciiThenTwoByteWhole", "a" + kZhangSan, 3, 3},
    {"TrailByteIsABackslash", Text("\x81\x5C") + "x", 1, 0},
    {"TrailByteIsABackslashWhole", Text("\x81\x5C") + "x", 2, 2},
    {"LeadByteWithoutTrailStandsAlone", Text("\x81\x30") + "abc", 1, 1},
    {"LeadByteBefore7FStandsAlone", Text("\xB0\x7F") + "xyz", 1, 1},
    {"EuroSignIsOneByte", Text("\x80") + "ab", 1, 1},
    {"FFIsNoLeadByte", Text("\xFF\xA1") + "x", 1, 1},
    {"PairsCountedFromTheStart", Text("\xA1\xA1\xA1\xA1\xA1"), 4, 4},
    {"PairsCountedFromTheStartOdd", Text("a\xA1\xA1\xA1\xA1"), 4, 3},
};

class AnsiPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(AnsiPrefix, EndsBetweenCharacters) {
  EXPECT_EQ(platform::ansiPrefixLength(GetParam().bytes, GetParam().maxBytes), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(Table, AnsiPrefix, ::testing::ValuesIn(kPrefixes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnsiPrefix, DecodesOnlyTheStartAndSaysWhetherItWasCut) {
  bool cut = false;
  EXPECT_EQ(platform::fromAnsiPrefix(kZhangSan + kLiSi, 5, &cut), QString::fromUtf8("张三"));
  EXPECT_TRUE(cut);
  EXPECT_EQ(platform::fromAnsiPrefix(kZhangSan + kLiSi, 8, &cut), QString::fromUtf8("张三李四"));
  EXPECT_FALSE(cut);
  EXPECT_EQ(platform::fromAnsiPrefix("", 8, &cut), QString());
  EXPECT_FALSE(cut);
  const Text huge(1 << 20, 'x');
  EXPECT_EQ(platform::fromAnsiPrefix(huge, 256, &cut).size(), 256);
  EXPECT_TRUE(cut);
}

}  // namespace
