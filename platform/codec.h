#pragma once
// The one place where texts meet Unicode: decoding GB18030 bytes for display, encoding
// Unicode text (the program's own UTF-8 literals, files saved as Unicode, what is typed)
// into GB18030, and turning draw-folder paths (bytes, backslashes) into native file-system
// paths. GB18030's bytes are GBK's for every character GBK has (the euro sign is GBK's
// single byte 0x80), and four bytes for every other character.
#include "platform/text.h"

#include <QString>
#include <string_view>

namespace platform {

// Whether this Qt can convert GBK at all (it needs ICU, or the system's code pages).
// GB18030 is built on it.
bool codecAvailable();

// GB18030 bytes to Unicode for the screen. A byte 0x80 standing alone is the euro sign, as
// in GBK. Bytes that are no character become U+FFFD; the stored bytes are never touched.
QString fromAnsi(const Text& bytes);

// The length of the longest start of `bytes`, at most `maxBytes` long, that does not end
// inside a well-formed character (platform/characters.h, Pairing::WellFormed): a lead byte
// whose next bytes do not complete a character stands alone. Looks at no more than
// maxBytes + kMaxCharBytes - 1 bytes.
size_t ansiPrefixLength(const Text& bytes, size_t maxBytes);

// For showing a text that may be huge: at most the first `maxBytes` bytes, cut between two
// characters, decoded. `cut` tells whether anything was left out.
QString fromAnsiPrefix(const Text& bytes, size_t maxBytes, bool* cut = nullptr);

// Unicode to GB18030 bytes: every character has them (an unpaired surrogate, which is no
// character, becomes '?').
Text toAnsi(const QString& text);

// GB18030 bytes as UTF-8 bytes, for files that others open (the winners spreadsheet).
// Character by character: a character whose UTF-8 reads back as the same GB18030 bytes
// becomes its UTF-8; any other byte (one that is no character) is kept as it stands, so
// that nothing is lost and the same text always gives the same bytes. ASCII is unchanged.
Text utf8FromAnsi(const Text& bytes);

// A UTF-8 literal of the program's own (captions, file names, the separator) as bytes.
Text ansi(std::string_view utf8);

// "抽奖名单\获奖记录.txt" to a path the OS understands: decode first, then change
// backslashes to the native separator. (Changing bytes 0x5C before decoding would
// break characters whose second byte is 0x5C, such as 乗 = 81 5C.)
QString nativePath(const Text& ansiPath);

// The full path of an ANSI path, made absolute against the current directory, in the
// native form, as ANSI bytes (for error messages).
Text fullPath(const Text& ansiPath);

}  // namespace platform
