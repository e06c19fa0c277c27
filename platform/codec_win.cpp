// GBK conversion through the Windows code page 936, named explicitly so that the texts
// read the same on a PC whose own ANSI code page is something else (an English Windows).
#include "platform/codec.h"

#include "platform/characters.h"

#include <windows.h>

#include <string_view>

namespace platform {
namespace {

constexpr UINT kGbk = 936;

// One strict conversion; false when any byte sequence is not valid GBK.
bool decodeStrict(std::string_view bytes, QString& out) {
  const int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
  if (n <= 0) return false;
  out.resize(n);
  return MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                             reinterpret_cast<wchar_t*>(out.data()), n) == n;
}

}  // namespace

bool codecAvailable() { return IsValidCodePage(kGbk) != 0; }

QString fromAnsi(const Text& bytes) {
  if (bytes.empty()) return {};
  QString out;
  if (decodeStrict(bytes, out)) return out;

  // Some bytes are not GBK: convert piece by piece, each bad piece becoming U+FFFD. A lead
  // byte whose next byte cannot follow it is bad alone, and the next byte is read afresh;
  // a well-formed pair that names no character is one bad piece.
  out.clear();
  out.reserve(qsizetype(bytes.size()));
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t size = bytes.size();
  QString piece;
  for (size_t i = 0; i < size;) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      out += QChar(b);
      ++i;
      continue;
    }
    const size_t len = charLength(bytes, i, Pairing::WellFormed);
    if (decodeStrict(std::string_view(bytes.data() + i, len), piece))
      out += piece;
    else
      out += QChar(QChar::ReplacementCharacter);
    i += len;
  }
  return out;
}

Text toAnsi(const QString& text) {
  if (text.isEmpty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
  const int length = int(text.size());
  // No "best fit" look-alikes: a character GBK lacks becomes '?'.
  const int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, "?", nullptr);
  if (n <= 0) return Text(size_t(length), '?');
  Text out(size_t(n), '\0');
  WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide, length, out.data(), n, "?", nullptr);
  return out;
}

}  // namespace platform
