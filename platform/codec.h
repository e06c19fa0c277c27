#pragma once
// The one place where texts meet Unicode: decoding GBK bytes for display, encoding the
// program's own UTF-8 literals into GBK once, and turning draw-folder paths (GBK bytes,
// backslashes) into native file-system paths.
#include "platform/text.h"

#include <QString>
#include <string_view>

namespace platform {

// Whether this Qt can convert GBK at all (it needs ICU, or the system's code pages).
bool codecAvailable();

// GBK bytes to Unicode for the screen. Bytes that are not valid GBK become U+FFFD;
// the stored bytes are never touched.
QString fromAnsi(const Text& bytes);

// The length of the longest start of `bytes`, at most `maxBytes` long, that does not end
// inside a well-formed character (platform/characters.h, Pairing::WellFormed): a lead byte
// whose next byte is no trail byte stands alone. Looks at no more than maxBytes + 1 bytes.
size_t ansiPrefixLength(const Text& bytes, size_t maxBytes);

// For showing a text that may be huge: at most the first `maxBytes` bytes, cut between two
// characters, decoded. `cut` tells whether anything was left out.
QString fromAnsiPrefix(const Text& bytes, size_t maxBytes, bool* cut = nullptr);

// Unicode to GBK bytes; characters GBK lacks become '?'.
Text toAnsi(const QString& text);

// Unicode to GBK bytes without any substitute: either the bytes of the whole text, or the
// position (in UTF-16 units) of the first character that has no GBK form of its own. A
// character that GBK would only approximate (a best fit that decodes to another character)
// counts as having none.
struct AnsiEncoding {
  Text bytes;                  // valid when unmappableAt < 0
  qsizetype unmappableAt = -1;
};
AnsiEncoding toAnsiExact(const QString& text);

// A UTF-8 literal of the program's own (captions, file names, the separator) as GBK.
Text ansi(std::string_view utf8);

// "抽奖名单\获奖记录.txt" to a path the OS understands: decode first, then change
// backslashes to the native separator. (Changing bytes 0x5C before decoding would
// break characters whose second byte is 0x5C, such as 乗 = 81 5C.)
QString nativePath(const Text& ansiPath);

// The full path of an ANSI path, made absolute against the current directory, in the
// native form, as ANSI bytes (for error messages).
Text fullPath(const Text& ansiPath);

}  // namespace platform
