// Integer conversion, trim and the search on character boundaries on any text.
#include "data/errors.h"
#include "data/textops.h"
#include "fuzz/support.h"
#include "platform/characters.h"
#include "platform/codec.h"

#include <cstdint>

namespace {
const Text kTail = "' is not a valid integer value";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const Text text(reinterpret_cast<const char*>(data), size);

  try {
    const std::int32_t v = StrToInt(text);
    // Accepted texts end in a digit, and the decimal text of the value converts back.
    FUZZ_CHECK(!text.empty());
    const char last = text.back();
    FUZZ_CHECK((last >= '0' && last <= '9') || (last >= 'a' && last <= 'f') || (last >= 'A' && last <= 'F'));
    FUZZ_CHECK(StrToInt(IntToStr(v)) == v);
  } catch (const EConvertError& e) {
    // The message quotes the text, cut when it is long: at most kQuoteLimit characters of
    // up to four bytes each, then "…".
    const Text& m = e.message();
    FUZZ_CHECK(m.size() >= kTail.size() + 1 && m[0] == '\'');
    FUZZ_CHECK(m.compare(m.size() - kTail.size(), kTail.size(), kTail) == 0);
    FUZZ_CHECK(m.substr(1, m.size() - 1 - kTail.size()) == errors::quoted(text));
    FUZZ_CHECK(m.size() <= 1 + platform::kMaxCharBytes * errors::kQuoteLimit + platform::ansi("…").size() + kTail.size());
  }

  // Trim removes control bytes and blanks at both ends, and only there.
  const Text t = Trim(text);
  FUZZ_CHECK(t.empty() ||
             (static_cast<unsigned char>(t.front()) > 0x20 && static_cast<unsigned char>(t.back()) > 0x20));
  FUZZ_CHECK(text.find(t) != Text::npos);

  // A piece of the second half, searched on character boundaries: found where it stands,
  // never before the first byte-wise occurrence; an empty pattern is never found.
  const Text pattern = text.substr(text.size() / 2, 3);
  const size_t at = FindOnCharBoundary(text, pattern);
  if (pattern.empty()) {
    FUZZ_CHECK(at == Text::npos);
  } else if (at != Text::npos) {
    FUZZ_CHECK(text.compare(at, pattern.size(), pattern) == 0);
    FUZZ_CHECK(at >= text.find(pattern));
  }
  return 0;
}
