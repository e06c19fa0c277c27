// Integer conversion both ways and trim, all on bytes.
#include "data/errors.h"
#include "data/textops.h"
#include "support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <limits>
#include <optional>

using namespace testdata;

namespace {

// GBK bytes written out, so that these tables do not lean on the codec.
const Text kZhangSan = "\xD5\xC5\xC8\xFD";  // 张三
const Text kLiSi = "\xC0\xEE\xCB\xC4";      // 李四
const Text kSep = "\xA3\xAC";               // ，
const Text kWideBlank = "\xA1\xA1";         // full-width blank

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

// ---------------------------------------------------------------------------------------
// Integer from text.

struct IntCase {
  const char* name;
  Text text;
  std::optional<std::int32_t> value;  // nothing: conversion error
};
void PrintTo(const IntCase& c, std::ostream* os) { *os << c.name; }

const IntCase kInts[] = {
    {"Plain", "5", 5},
    {"LeadingZeros", "007", 7},
    {"PlusSign", "+12", 12},
    {"MinusZero", "-0", 0},
    {"LeadingBlanks", "   42", 42},
    {"TrailingBlank", "42 ", std::nullopt},
    {"Empty", "", std::nullopt},
    {"ThousandsSeparator", "1,000", std::nullopt},
    {"HexDollar", "$1F", 31},
    {"HexX", "x1F", 31},
    {"Hex0x", "0x1F", 31},
    {"Hex0XLowerDigits", "0X1f", 31},
    {"HexAllOnesIsMinusOne", "$FFFFFFFF", -1},
    {"NegativeHex", "-$10", -16},
    {"JustAboveMax", "2147483648", std::nullopt},
    {"Min", "-2147483648", std::numeric_limits<std::int32_t>::min()},
    // Limits, other prefixes and what the form refuses.
    {"Max", "2147483647", 2147483647},
    {"JustBelowMin", "-2147483649", std::nullopt},
    {"DollarTen", "$10", 16},
    {"OctalLookingIsDecimal", "010", 10},
    {"HexTooLong", "$100000000", std::nullopt},
    {"HexHighBitIsNegative", "$80000000", std::numeric_limits<std::int32_t>::min()},
    {"BlanksOnly", "   ", std::nullopt},
    {"SignOnly", "-", std::nullopt},
    {"PrefixOnly", "$", std::nullopt},
    {"ZeroXOnly", "0x", std::nullopt},
    {"BlankAfterSign", "- 5", std::nullopt},
    {"TwoSigns", "+-5", std::nullopt},
    {"DecimalPoint", "1.0", std::nullopt},
    {"LeadingTab", "\t5", std::nullopt},
    {"FullWidthDigits", "\xA3\xB1\xA3\xB2", std::nullopt},  // １２
    {"BlankBetweenPrefixAndDigits", "$ 1F", std::nullopt},
    {"HexLettersWithoutPrefix", "1F", std::nullopt},
    {"BlankThenSignThenDigits", "  -7", -7},
};

class IntegerFromText : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntegerFromText, ConvertsOrRefuses) {
  const auto& c = GetParam();
  if (c.value) {
    EXPECT_EQ(StrToInt(c.text), *c.value);
  } else {
    auto r = raisedBy([&] { StrToInt(c.text); });
    ASSERT_TRUE(r.has_value()) << "accepted '" << c.text << "'";
    EXPECT_EQ(r->kind, "EConvertError");
    EXPECT_EQ(r->message, "'" + c.text + "' is not a valid integer value");
  }
}

INSTANTIATE_TEST_SUITE_P(Table, IntegerFromText, ::testing::ValuesIn(kInts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IntegerFromTextMessage, EmptyTextGivesTwoApostrophes) {
  auto r = raisedBy([] { StrToInt(""); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->message, "'' is not a valid integer value");
}

TEST(IntegerFromTextMessage, WholeTextWithBlanksIsQuoted) {
  auto r = raisedBy([] { StrToInt("  4 "); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->message, "'  4 ' is not a valid integer value");
}

// ---------------------------------------------------------------------------------------
// Text from integer.

struct IntToTextCase {
  std::int64_t n;
  const char* text;
};
void PrintTo(const IntToTextCase& c, std::ostream* os) { *os << c.n; }

class TextFromInteger : public ::testing::TestWithParam<IntToTextCase> {};

TEST_P(TextFromInteger, DecimalDigitsOnly) {
  EXPECT_EQ(IntToStr(GetParam().n), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, TextFromInteger,
                         ::testing::Values(IntToTextCase{0, "0"}, IntToTextCase{7, "7"},
                                           IntToTextCase{1000, "1000"},
                                           IntToTextCase{-16, "-16"},
                                           IntToTextCase{2147483647, "2147483647"},
                                           IntToTextCase{-2147483648LL, "-2147483648"}));

// ---------------------------------------------------------------------------------------
// Trim, equal, first occurrence.

struct TrimCase {
  const char* name;
  Text in, out;
};
void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.name; }

const TrimCase kTrims[] = {
    {"Empty", "", ""},
    {"BlanksAndTabsOnly", " \t \t ", ""},
    {"ControlBytesBothEnds", "\x01\r\n\t x y \x1F\x20", "x y"},
    {"InnerBytesStay", "a \x05\t b", "a \x05\t b"},
    {"GbkName", " " + kZhangSan + "\t", kZhangSan},
    {"FullWidthBlankStays", kWideBlank + kZhangSan + kWideBlank, kWideBlank + kZhangSan + kWideBlank},
    {"HighBytesStay", "\x80\xFF", "\x80\xFF"},
    {"DeleteByteStays", " \x7F ", "\x7F"},
};

class TrimTable : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimTable, RemovesLowBytesAtEnds) { EXPECT_EQ(Trim(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(Table, TrimTable, ::testing::ValuesIn(kTrims),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
