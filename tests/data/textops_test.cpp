// Integer conversion both ways, trim, and cutting texts at a separator, all on bytes.
#include "data/errors.h"
#include "data/textops.h"
#include "helpers.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

using namespace testdata;

namespace {

// GBK bytes written out, so that these tables do not lean on the codec.
const Text kZhangSan = "\xD5\xC5\xC8\xFD";  // 张三
const Text kLiSi = "\xC0\xEE\xCB\xC4";      // 李四
const Text kSep = "\xA3\xAC";               // ，
const Text kWideBlank = "\xA1\xA1";         // full-width blank

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

// ---------------------------------------------------------------------------------------
// SplitString and CharCount.

struct SplitCase {
  const char* name;
  Text text, sep;
  std::vector<Text> pieces;
};
void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

const Text kLinHaiXuan = "\xC1\xD6\xBA\xA3\xAC\x75";  // 林海瑄
const Text kChenFuYing = "\xB3\xC2\xB8\xA3\xAC\x93";  // 陈福瑩
const Text kZhangBaoWei = "\xD5\xC5\xB1\xA3\xAC\x7C";  // 张保瑋

const SplitCase kSplits[] = {
    {"Empty", "", kSep, {""}},
    {"OneName", kZhangSan, kSep, {kZhangSan}},
    {"TwoNames", kZhangSan + kSep + kLiSi, kSep, {kZhangSan, kLiSi}},
    {"LeadingSeparator", kSep + kZhangSan, kSep, {"", kZhangSan}},
    {"TrailingSeparator", kZhangSan + kSep, kSep, {kZhangSan, ""}},
    {"TwoInARow", kZhangSan + kSep + kSep + kLiSi, kSep, {kZhangSan, "", kLiSi}},
    {"SeparatorsOnly", kSep + kSep, kSep, {"", "", ""}},
    // 埃 (B0 A3) then 。 (AC A1)... the separator's bytes straddle two characters: no cut.
    {"AcrossCharacterBoundaryIsNoSeparator", "\xB0\xA3\xAC\xA1", kSep, {"\xB0\xA3\xAC\xA1"}},
    // 林海瑄 is C1 D6 BA A3 AC 75: the cut falls only at the real separator after it.
    {"NameHoldingTheSeparatorsBytes", kLinHaiXuan + kSep + kZhangSan, kSep, {kLinHaiXuan, kZhangSan}},
    {"TwoSuchNames", kChenFuYing + kSep + kZhangBaoWei, kSep, {kChenFuYing, kZhangBaoWei}},
    {"OnlySuchAName", kLinHaiXuan, kSep, {kLinHaiXuan}},
    {"SeparatorAfterAsciiAndAfterSuchName", "a" + kSep + kLinHaiXuan + kSep, kSep, {"a", kLinHaiXuan, ""}},
    // A lone lead byte at the end takes nothing with it.
    {"LoneLeadByteAtTheEnd", kZhangSan + kSep + "\xB0", kSep, {kZhangSan, "\xB0"}},
    {"AsciiSeparator", "a--b--", "--", {"a", "b", ""}},
    {"BlanksStay", " " + kZhangSan + " " + kSep + " ", kSep, {" " + kZhangSan + " ", " "}},
};

class SplitTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTable, PiecesAndCount) {
  const auto& c = GetParam();
  const TStringList pieces = SplitString(c.text, c.sep);
  EXPECT_EQ(pieces.lines(), c.pieces);
  if (c.sep == kSep) {
    EXPECT_EQ(CharCount(c.text), std::int32_t(c.pieces.size()));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, SplitTable, ::testing::ValuesIn(kSplits),
                         [](const auto& info) { return std::string(info.param.name); });

// Names that hold the separator themselves stay whole where they stand as a piece.
struct NamesCase {
  const char* name;
  const char* text;
  std::vector<const char*> known, pieces;
};
void PrintTo(const NamesCase& c, std::ostream* os) { *os << c.name; }

const NamesCase kNameSplits[] = {
    {"NoneKnownCutsAtEverySeparator", "张伟，市场部，李四", {}, {"张伟", "市场部", "李四"}},
    {"KnownNameStaysWhole", "张伟，市场部，李四", {"张伟，市场部"}, {"张伟，市场部", "李四"}},
    {"KnownNameAtTheEnd", "李四，张伟，市场部", {"张伟，市场部"}, {"李四", "张伟，市场部"}},
    {"BareNameBeforeTheKnownOne", "陈静，陈静，销售部", {"陈静，销售部"}, {"陈静", "陈静，销售部"}},
    {"LongestKnownNameWins", "a，b，c", {"a，b", "a，b，c"}, {"a，b，c"}},
    {"KnownNameMustEndAtASeparator", "张伟，市场部甲，李四", {"张伟，市场部"}, {"张伟", "市场部甲", "李四"}},
    {"EmptyPiecesStay", "，张伟，市场部，", {"张伟，市场部"}, {"", "张伟，市场部", ""}},
    {"EmptyText", "", {"张伟，市场部"}, {""}},
};

class NamesTable : public ::testing::TestWithParam<NamesCase> {};

TEST_P(NamesTable, KnownNamesStayWhole) {
  const auto& c = GetParam();
  std::vector<Text> known, pieces;
  for (const char* k : c.known) known.push_back(A(k));
  for (const char* p : c.pieces) pieces.push_back(A(p));
  EXPECT_EQ(SplitNames(A(c.text), known).lines(), pieces);
  if (known.empty()) {
    EXPECT_EQ(SplitNames(A(c.text), known).lines(), SplitString(A(c.text), kSep).lines());
  }
}

INSTANTIATE_TEST_SUITE_P(Table, NamesTable, ::testing::ValuesIn(kNameSplits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NamesHoldingSeparator, OnlyOnCharacterBoundaries) {
  // 林海瑄 holds the separator's bytes across two characters: not such a name.
  EXPECT_EQ(NamesHoldingSeparator({A("张三"), A("张伟，市场部"), A("林海瑄")}), (std::vector<Text>{A("张伟，市场部")}));
}

}  // namespace
