#pragma once
// Operations on texts (GB18030 byte strings): integer conversion, trimming, the search on
// character boundaries and the cutting of a text at a separator. All work on bytes.
#include "data/stringlist.h"
#include "platform/text.h"

#include <cstdint>
#include <vector>

// Integer text form: blanks (0x20 only), at most one sign, then "$"/"x"/"X"/"0x"/"0X"
// and hex digits (32-bit, taken as signed) or decimal digits (within int32), to the very
// end. Anything else throws EConvertError "'%s' is not a valid integer value".
std::int32_t StrToInt(const Text& text);
// Decimal digits, "-" for negatives, no padding.
Text IntToStr(std::int64_t n);
// Removes bytes 0x00..0x20 at both ends; bytes from 0x80 up are never removed.
Text Trim(const Text& text);
// Byte index of the first occurrence of `pattern` in `text` at or after `from` that starts
// on a character boundary, or npos. `from` must itself be a boundary. A lead byte takes the
// next byte with it (platform/characters.h, Pairing::AnyNext), so the separator "，" (A3 AC)
// is not found across two characters, as in 林海瑄 (C1 D6 BA A3 AC 75).
size_t FindOnCharBoundary(const Text& text, const Text& pattern, size_t from = 0);
// Cuts `text` at every occurrence of `sep` that starts on a character boundary (n such
// occurrences give n + 1 pieces).
TStringList SplitString(const Text& text, const Text& sep);
// Number of pieces of a winners text at "，": the empty text counts 1.
std::int32_t CharCount(const Text& text);
// Cuts a winners text into its names as SplitString does at "，", except that a name of
// `known` holding the separator itself (a list with "张伟，市场部") stays one piece where it
// starts a piece and ends at a separator or at the end; the longest such name is taken.
TStringList SplitNames(const Text& text, const std::vector<Text>& known);
// The names among `names` that hold "，" (on a character boundary): the ones SplitNames
// must know.
std::vector<Text> NamesHoldingSeparator(const std::vector<Text>& names);
