// What a character is, one table of byte cases run through every walk over a text by
// characters: the rule itself, the cut at "，", the report's full stop, the cut of a
// quoted text, the start of a text for the screen and the decoding.
#include "data/errors.h"
#include "data/guard.h"
#include "data/textops.h"
#include "platform/characters.h"
#include "platform/codec.h"

#include <QString>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using platform::Pairing;

const Text kSep = "\xA3\xAC";  // ，

struct CharCase {
  const char* name;
  Text bytes;
  // The length of the first character by the texts' rule (a lead byte takes the next byte
  // with it) and by the decoder's (only a trail byte completes a character).
  size_t anyNext, wellFormed;
  // The pieces of bytes + "，" + "z" cut at "，": the separator is not found when the
  // case ends in a lead byte, which takes the separator's first byte.
  int pieces;
  // Whether the report of bytes ends in an added full stop.
  bool fullStop;
  // What a quoted text keeps of bytes when its 200th character starts there, before "…"
  // (all of it when bytes is that one character and nothing follows).
  Text quotedKeeps;
  // The start of bytes + "z" that the screen may show within one byte.
  size_t shownOfOneByte;
  // The decoding, the same on every system.
  const char16_t* decoded;
};
void PrintTo(const CharCase& c, std::ostream* os) { *os << c.name; }

const CharCase kCases[] = {
    {"Ascii", "a.", 1, 1, 2, false, "a", 1, u"a."},
    {"LeadWithTrail", "\xD5\xC5", 2, 2, 2, true, "\xD5\xC5", 0, u"张"},
    {"LeadBefore7F", "\x81\x7F", 2, 1, 2, true, "\x81\x7F", 1, u"\uFFFD\x7F"},
    {"LeadBeforeComma", "\x81,", 2, 1, 2, true, "\x81,", 1, u"\uFFFD,"},
    {"LeadAtTheEnd", "a\xB3", 1, 1, 1, true, "a", 1, u"a\uFFFD"},
    {"Byte80", "\x80", 1, 1, 2, true, "\x80", 1, u"€"},
    // A character of private use with ICU; Wine's code page 936 has none for FF.
    {"ByteFF", "\xFF", 1, 1, 2, true, "\xFF", 1, u"\uFFFD"},
    // Four bytes: lead, digit, lead, digit. 㐀 (U+3400) and 𠮷 (U+20BB7) are whole.
    {"FourByteBmp", "\x81\x39\xEE\x39", 4, 4, 2, true, "\x81\x39\xEE\x39", 0, u"\u3400"},
    {"FourByteSupplementary", "\x95\x34\xB2\x35", 4, 4, 2, true, "\x95\x34\xB2\x35", 0, u"\U00020BB7"},
    // Well-formed but standing for no character: one bad piece.
    {"FourByteOfNoCharacter", "\x84\x31\xA5\x30", 4, 4, 2, true, "\x84\x31\xA5\x30", 0, u"\uFFFD"},
    // Cut short by the end: the lead and its digit pair as two bytes do, the third byte
    // stands alone and takes the separator's first byte.
    {"FourByteCutAfterThree", "\x81\x39\xEE", 2, 1, 1, true, "\x81\x39", 1, u"\uFFFD9\uFFFD"},
    {"FourByteCutAfterTwo", "\x81\x39", 2, 1, 2, true, "\x81\x39", 1, u"\uFFFD9"},
    // A third byte that is no lead byte: no character of four bytes.
    {"FourByteWithoutThirdLead", "\x81\x39\x30\x39", 2, 1, 2, true, "\x81\x39", 1, u"\uFFFD909"},
    {"FourByteWithoutFourthDigit", "\x81\x39\xEE\x7F", 2, 1, 2, true, "\x81\x39", 1, u"\uFFFD9\uFFFD\x7F"},
};

class Characters : public ::testing::TestWithParam<CharCase> {};

TEST_P(Characters, FirstCharacterLength) {
  const auto& c = GetParam();
  EXPECT_EQ(platform::charLength(c.bytes, 0, Pairing::AnyNext), c.anyNext);
  EXPECT_EQ(platform::charLength(c.bytes, 0, Pairing::WellFormed), c.wellFormed);
}

TEST_P(Characters, SplitAtTheSeparator) {
  const auto& c = GetParam();
  const TStringList pieces = SplitString(c.bytes + kSep + "z", kSep);
  EXPECT_EQ(pieces.Count(), c.pieces);
  if (c.pieces == 2) {
    EXPECT_EQ(pieces.Get(0), c.bytes);
  }
}

TEST_P(Characters, ReportFullStopByTheLastCharacter) {
  const auto& c = GetParam();
  EXPECT_EQ(ReportText(c.bytes), c.fullStop ? c.bytes + "." : c.bytes);
}

TEST_P(Characters, QuotedTextCutAfterItsCharacterLimit) {
  const auto& c = GetParam();
  const Text before(errors::kQuoteLimit - 1, 'x');
  const Text quoted = errors::quoted(before + c.bytes);
  const Text expected = c.quotedKeeps == c.bytes ? before + c.bytes : before + c.quotedKeeps + platform::ansi("…");
  EXPECT_EQ(quoted, expected);
}

TEST_P(Characters, StartShownOnTheScreen) {
  const auto& c = GetParam();
  EXPECT_EQ(platform::ansiPrefixLength(c.bytes + "z", 1), c.shownOfOneByte);
}

TEST_P(Characters, Decoding) {
  const auto& c = GetParam();
  EXPECT_EQ(platform::fromAnsi(c.bytes), QString::fromUtf16(c.decoded));
}

INSTANTIATE_TEST_SUITE_P(Table, Characters, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A text walked by characters lands on the start of its last one.
TEST(Characters, LastCharacterStart) {
  EXPECT_EQ(platform::lastCharStart("ab", Pairing::AnyNext), 1u);
  EXPECT_EQ(platform::lastCharStart("a\xD5\xC5", Pairing::AnyNext), 1u);
  EXPECT_EQ(platform::lastCharStart("\x81\x7F", Pairing::AnyNext), 0u);
  EXPECT_EQ(platform::lastCharStart("\x81\x7F", Pairing::WellFormed), 1u);
  EXPECT_EQ(platform::lastCharStart("\xD5\xC5\xB3", Pairing::WellFormed), 2u);
  EXPECT_EQ(platform::lastCharStart("a\x95\x34\xB2\x35", Pairing::AnyNext), 1u);
  EXPECT_EQ(platform::lastCharStart("\x95\x34\xB2\x35\xD5\xC5", Pairing::WellFormed), 4u);
}

}  // namespace
