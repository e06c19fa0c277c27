// GBK to Unicode and back: the same answers from every platform's converter (ICU on
// Linux, code page 936 on Windows), for good bytes, bad bytes and characters GBK lacks.
#include "platform/codec.h"

#include <QString>

#include <gtest/gtest.h>

#include <ostream>

namespace {

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

}  // namespace
