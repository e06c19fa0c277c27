#pragma once
// What a character is in a text of GB18030 bytes (whose one- and two-byte characters are
// GBK's). A byte below 0x80 is a character by itself; a lead byte (0x81..0xFE) begins a
// character of two bytes, or, when a digit (0x30..0x39) follows it, one of four bytes: lead,
// digit, lead, digit. Every walk over a text by characters takes its steps from
// charLength(): the search on character boundaries, the counting of characters in a quoted
// text, the last character of an error report, the start of a text cut for the screen, and
// the decoders' handling of bad bytes.
#include <cstddef>
#include <string_view>

namespace platform {

// The most bytes one character takes.
inline constexpr size_t kMaxCharBytes = 4;

constexpr bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// A byte that can follow a lead byte in a well-formed character of two bytes.
constexpr bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// The second and fourth byte of a character of four bytes.
constexpr bool isDigitByte(unsigned char b) { return b >= 0x30 && b <= 0x39; }

// How a lead byte pairs with the bytes after it.
enum class Pairing {
  // The texts' own rule: a lead byte takes the next byte with it, whatever it is, or the
  // next three when they make a character of four bytes. Searches, counts and the last
  // character of a message go by this.
  AnyNext,
  // The decoder's rule: only a trail byte, or a digit, lead and digit, complete the
  // character. A lead byte before anything else is a bad character alone, and the bytes
  // after it are read afresh.
  WellFormed,
};

// The length in bytes of the character that starts at `at` (below bytes.size()). A lead
// byte at the very end is a character of one byte; a character of four bytes cut short
// by the end is not one of four.
constexpr size_t charLength(std::string_view bytes, size_t at, Pairing pairing) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (!isLeadByte(byte(at)) || at + 1 >= bytes.size()) return 1;
  if (isDigitByte(byte(at + 1)) && at + 3 < bytes.size() && isLeadByte(byte(at + 2)) && isDigitByte(byte(at + 3)))
    return 4;
  return pairing == Pairing::AnyNext || isTrailByte(byte(at + 1)) ? 2 : 1;
}

// Where the last character of a text that is not empty starts.
constexpr size_t lastCharStart(std::string_view bytes, Pairing pairing) {
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); i += charLength(bytes, i, pairing)) start = i;
  return start;
}

}  // namespace platform
