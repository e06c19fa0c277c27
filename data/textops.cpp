#include "data/textops.h"

#include "data/errors.h"
#include "data/texts.h"
#include "platform/characters.h"

#include <cstring>

namespace {

[[noreturn]] void notAnInteger(const Text& text) {
  throw EConvertError("'" + errors::quoted(text) + "' is not a valid integer value");
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::int32_t StrToInt(const Text& text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) notAnInteger(text);

  if (hex) {
    std::uint64_t v = 0;
    for (; i < n; ++i) {
      int d = hexDigit(text[i]);
      if (d < 0) notAnInteger(text);
      v = v * 16 + std::uint64_t(d);
      if (v > 0xFFFFFFFFull) notAnInteger(text);
    }
    std::int32_t s = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    // Negating the most negative value wraps around, as 32-bit arithmetic does.
    return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(s)) : s;
  }

  std::int64_t v = 0;
  for (; i < n; ++i) {
    char c = text[i];
    if (c < '0' || c > '9') notAnInteger(text);
    v = v * 10 + (c - '0');
    if (v > 2147483648ll) notAnInteger(text);
  }
  if (negative) v = -v;
  if (v > 2147483647ll) notAnInteger(text);
  return static_cast<std::int32_t>(v);
}

Text IntToStr(std::int64_t n) { return std::to_string(n); }

Text Trim(const Text& text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) --e;
  return text.substr(b, e - b);
}

size_t FindOnCharBoundary(const Text& text, const Text& pattern, size_t from) {
  if (pattern.empty() || pattern.size() > text.size()) return Text::npos;
  const size_t last = text.size() - pattern.size();
  for (size_t i = from; i <= last;) {
    if (text.compare(i, pattern.size(), pattern) == 0) return i;
    i += platform::charLength(text, i, platform::Pairing::AnyNext);
  }
  return Text::npos;
}

TStringList SplitString(const Text& text, const Text& sep) {
  TStringList pieces;
  size_t from = 0;
  if (!sep.empty()) {
    for (size_t at; (at = FindOnCharBoundary(text, sep, from)) != Text::npos; from = at + sep.size())
      pieces.Add(text.substr(from, at - from));
  }
  pieces.Add(text.substr(from));
  return pieces;
}

std::int32_t CharCount(const Text& text) { return SplitString(text, T().separator).Count(); }

TStringList SplitNames(const Text& text, const std::vector<Text>& known) {
  const Text& sep = T().separator;
  TStringList pieces;
  size_t from = 0;
  for (;;) {
    size_t whole = 0;  // the length of the longest known name that is a whole piece here
    for (const Text& name : known) {
      if (name.size() <= whole || text.compare(from, name.size(), name) != 0) continue;
      const size_t end = from + name.size();
      if (end == text.size() || text.compare(end, sep.size(), sep) == 0) whole = name.size();
    }
    if (whole > 0) {
      pieces.Add(text.substr(from, whole));
      if (from + whole == text.size()) return pieces;
      from += whole + sep.size();
      continue;
    }
    const size_t at = FindOnCharBoundary(text, sep, from);
    if (at == Text::npos) break;
    pieces.Add(text.substr(from, at - from));
    from = at + sep.size();
  }
  pieces.Add(text.substr(from));
  return pieces;
}

std::vector<Text> NamesHoldingSeparator(const std::vector<Text>& names) {
  std::vector<Text> out;
  for (const Text& name : names)
    if (FindOnCharBoundary(name, T().separator) != Text::npos) out.push_back(name);
  return out;
}
