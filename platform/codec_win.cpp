// GBK conversion through the Windows code page 936, named explicitly so that the texts
// read the same on a PC whose own ANSI code page is something else (an English Windows).
// (Code page 54936, GB18030 itself, is not used: Wine has none, and the layer above
// gives the same bytes on every system.)
#include "platform/codec_os.h"

#include <windows.h>

namespace platform::os {
namespace {

constexpr UINT kGbk = 936;

}  // namespace

bool gbkAvailable() { return IsValidCodePage(kGbk) != 0; }

bool decodeGbk(std::string_view bytes, QString& out) {
  out.clear();
  if (bytes.empty()) return true;
  const int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
  if (n <= 0) return false;
  out.resize(n);
  return MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                             reinterpret_cast<wchar_t*>(out.data()), n) == n;
}

Text encodeGbk(const QString& text) {
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

}  // namespace platform::os
