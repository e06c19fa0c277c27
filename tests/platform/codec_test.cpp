// GB18030 to Unicode and back: the same answers on every platform (GBK from ICU on Linux,
// from code page 936 on Windows), for good bytes, bad bytes, characters GBK has (their GBK
// bytes) and characters it lacks (four bytes, or GB18030's own two); the start of a text
// cut for the screen; the program's literals as bytes.
#include "platform/codec.h"

#include "support/gbk.h"

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

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
    {"FourByteBmp", "\xC1\xF5\x81\x39\xEE\x39", u"刘㐀"},
    {"FourByteSupplementary", "\x95\x34\xB2\x35\xCC\xEF", u"𠮷田"},
    {"GbkPrivateUseCodeIsGb18030sOwn", "\xC1\xF5\xFE\x9F", u"刘䶮"},
    {"GbkPrivateUseCodeNextToFourBytes", "\xFE\x9F\x81\x39\xEE\x39", u"䶮㐀"},
    {"EuroSignInGb18030sOwnPlace", "\xA2\xE3", u"€"},
    {"HighestCodePoint", "\xE3\x32\x9A\x35", u"\U0010FFFF"},
    {"BeyondTheHighestCodePoint", "\xE3\x32\x9A\x36", u"\uFFFD"},
    {"FourBytesCutShortAtTheEnd", "a\x95\x34\xB2", u"a\uFFFD4\uFFFD"},
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

// The bytes of single characters, written out from GB18030's tables.
struct EncodeCase {
  const char* name;
  const char16_t* unicode;
  Text bytes;
};
void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

const EncodeCase kEncodes[] = {
    {"Ascii", u"Zhang San 1", "Zhang San 1"},
    {"GbkTwoByte", u"张三，李四", "\xD5\xC5\xC8\xFD\xA3\xAC\xC0\xEE\xCB\xC4"},
    {"SecondByteIsBackslash", u"乗", "\x81\x5C"},
    {"PinyinWithToneMark", u"ǚ", "\xA8\xB7"},
    // GBK's single byte, not GB18030's A2 E3: what today's files hold.
    {"EuroSignIsGbksByte", u"€", "\x80"},
    // GBK gives FE9F to a private-use character; GB18030 to 䶮 itself.
    {"TwoByteOfGb18030", u"刘䶮", "\xC1\xF5\xFE\x9F"},
    {"GbksPrivateUseKeepsItsBytes", u"\uE863", "\xFE\x9F"},
    {"FourByteBmp", u"㐀", "\x81\x39\xEE\x39"},
    {"FourByteU0080", u"\u0080", "\x81\x30\x81\x30"},
    {"ThaiAndHangul", u"aกb한", "a\x81\x32\xCE\x39" "b\x83\x36\x84\x33"},
    {"ReplacementCharacter", u"\uFFFD", "\x84\x31\xA4\x37"},
    {"Supplementary", u"𠮷田", "\x95\x34\xB2\x35\xCC\xEF"},
    {"Emoji", u"😀", "\x94\x39\xFC\x36"},
    {"HighestCodePoint", u"\U0010FFFF", "\xE3\x32\x9A\x35"},
    {"LoneSurrogate", u"a\xD800" "b", "a?b"},
    {"Empty", u"", ""},
};

class Encode : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(Encode, GivesTheBytesAndBack) {
  const auto& c = GetParam();
  const QString text = QString::fromUtf16(c.unicode);
  EXPECT_EQ(platform::toAnsi(text), c.bytes);
  if (!text.contains(QChar(0xD800)) && !text.contains(QChar(0xE863))) {
    EXPECT_EQ(platform::fromAnsi(c.bytes), text);
  }
}
INSTANTIATE_TEST_SUITE_P(Table, Encode, ::testing::ValuesIn(kEncodes),
                         [](const auto& info) { return std::string(info.param.name); });

// A long text is encoded in pieces: a pair of UTF-16 units across a piece's edge stays one
// character, and the pieces around a rare character keep GBK's bytes.
TEST(Encode, LongTextWithRareCharactersAtEveryPlace) {
  for (int at = 0; at < 140; ++at) {
    QString text = QString(at, QLatin1Char('a')) + QString::fromUtf8("𠮷") + QString::fromUtf8("张").repeated(70);
    Text expected = Text(size_t(at), 'a') + "\x95\x34\xB2\x35";
    for (int i = 0; i < 70; ++i) expected += "\xD5\xC5";
    ASSERT_EQ(platform::toAnsi(text), expected) << at;
    ASSERT_EQ(platform::fromAnsi(expected), text) << at;
  }
}

// Every code point against ICU's own GB18030, where this Qt has it: GBK's bytes for what
// GBK has exactly, GB18030's for everything else; and back.
TEST(Encode, EveryCodePointAsIcuHasIt) {
  QStringEncoder gb18030("GB18030", QStringEncoder::Flag::Stateless), gbk("GBK", QStringEncoder::Flag::Stateless);
  QStringDecoder gb18030In("GB18030", QStringDecoder::Flag::Stateless), gbkIn("GBK", QStringDecoder::Flag::Stateless);
  if (!gb18030.isValid() || !gbk.isValid()) GTEST_SKIP() << "no ICU converters to compare with";
  int checked = 0;
  for (char32_t cp = 0x80; cp <= 0x10FFFF; cp += cp < 0x10000 ? 1 : 97) {
    if (cp >= 0xD800 && cp < 0xE000) continue;
    const QString one = QString::fromUcs4(&cp, 1);
    const QByteArray own = gbk.encode(one);
    // (ICU's GBK has a single byte FF for U+F8F5, which GB18030 has not.)
    const bool gbkHasIt = gbkIn.decode(own) == one && !own.contains('\xFF');
    const QByteArray expected = gbkHasIt ? own : QByteArray(gb18030.encode(one));
    const Text bytes = platform::toAnsi(one);
    ASSERT_EQ(QByteArray(bytes.data(), qsizetype(bytes.size())), expected) << "U+" << std::hex << unsigned(cp);
    // GBK's private-use characters of two bytes read back as GB18030's characters there.
    const QString back = gbkHasIt && own.size() == 2 ? gb18030In.decode(own) : one;
    ASSERT_EQ(platform::fromAnsi(bytes), back) << "U+" << std::hex << unsigned(cp);
    ++checked;
  }
  EXPECT_GT(checked, 70000);
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

// GB18030 to UTF-8 for the winners spreadsheet: every character as UTF-8 (bytes written
// out from the UTF-8 rules), every byte that is no character kept as it stands.
struct Utf8Case {
  const char* name;
  Text gb18030, utf8;
};
void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

const Utf8Case kUtf8s[] = {
    {"Ascii", "1,Smith \"J\",\r\n", "1,Smith \"J\",\r\n"},
    {"GbkTwoByte", "\xD5\xC5\xC8\xFD", "\xE5\xBC\xA0\xE4\xB8\x89"},                   // 张三
    {"SecondByteIsBackslash", "\x81\x5C", "\xE4\xB9\x97"},                                // 乗
    {"TwoByteOfGb18030", "\xC1\xF5\xFE\x9F", "\xE5\x88\x98\xE4\xB6\xAE"},             // 刘䶮
    {"Supplementary", "\x95\x34\xB2\x35\xCC\xEF", "\xF0\xA0\xAE\xB7\xE7\x94\xB0"},  // 𠮷田
    {"FourByteBmp", "\x81\x39\xEE\x39", "\xE3\x90\x80"},                                // 㐀
    {"EuroSign", "\x80", "\xE2\x82\xAC"},
    {"ReplacementCharacterItself", "\x84\x31\xA4\x37", "\xEF\xBF\xBD"},
    {"LeadByteBeforeCommaKept", "a\xB3,\xD5\xC5", "a\xB3,\xE5\xBC\xA0"},
    {"LeadByteAtEndKept", "\xD5\xC5\xB3", "\xE5\xBC\xA0\xB3"},
    {"ByteFFKept", "\xFF" "a", "\xFF" "a"},
    {"FourBytesThatNameNoCharacterKept", "\x84\x31\xA5\x30", "\x84\x31\xA5\x30"},
    {"FourBytesBeyondU10FFFFKept", "\xE3\x32\x9A\x36", "\xE3\x32\x9A\x36"},
    {"Empty", "", ""},
};

class Utf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8, CharactersConvertedOtherBytesKept) {
  EXPECT_EQ(platform::utf8FromAnsi(GetParam().gb18030), GetParam().utf8);
}
INSTANTIATE_TEST_SUITE_P(Table, Utf8, ::testing::ValuesIn(kUtf8s),
                         [](const auto& info) { return std::string(info.param.name); });

// Every character of a long row comes back as the same GB18030 bytes through its UTF-8.
TEST(Utf8, EveryTwoByteCharacterOfARowRoundTrips) {
  Text row;
  for (int t = 0x40; t <= 0xFE; ++t)
    if (t != 0x7F) row += {char(0x81), char(t)};
  const Text utf8 = platform::utf8FromAnsi(row);
  EXPECT_EQ(platform::toAnsi(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))), row);
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
    {"NotInsideAFourByteCharacter", Text("a\x95\x34\xB2\x35") + "x", 4, 1},
    {"FourByteCharacterWhole", Text("a\x95\x34\xB2\x35") + "x", 5, 5},
    {"FourByteCutShortStandsAlone", Text("\x95\x34\xB2") + "x", 1, 1},
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
