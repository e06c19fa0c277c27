#pragma once
// Text files as people really save them. The program works on GBK bytes, but Notepad
// saves UTF-8, Excel's "Unicode text" is UTF-16 and "CSV UTF-8" carries a byte-order mark.
// Every text file the program reads passes through AnsiFromFileBytes before it is cut into
// lines: UTF-16 (by its mark) and UTF-8 (by its mark, or by being valid UTF-8 as a whole
// with at least one character beyond ASCII) become GBK; anything else is GBK already and
// stays byte for byte.
#include "platform/text.h"

#include <cstdint>
#include <optional>
#include <string_view>

struct FileText {
  enum class Form { Ansi, Utf8, Utf16LE, Utf16BE };
  // Why a Unicode file was left as it stands.
  enum class Refusal {
    NoGbkForm,     // a character that GBK lacks
    NotUtf8,       // a byte sequence that is not UTF-8 after a UTF-8 mark
    NotUtf16,      // an unpaired surrogate or a lone last byte after a UTF-16 mark
  };
  struct NotConverted {
    Refusal why;
    std::int32_t line;   // 1-based, as an editor counts (CR LF, LF and CR each end one)
    std::uint32_t what;  // the code point, the byte, or the 16-bit unit
  };

  Form form = Form::Ansi;
  // The GBK bytes to cut into lines: the converted text without its mark, or, for a GBK
  // file and for a Unicode file that could not be converted, the file's bytes as they stand.
  Text ansi;
  std::optional<NotConverted> notConverted;

  bool converted() const { return form != Form::Ansi && !notConverted; }
};

// Bytes in, GBK bytes and the verdict out. Pure: no file, no state.
FileText AnsiFromFileBytes(std::string_view bytes);

// The operator's message for a file that could not be converted, naming the file (full
// path), the line and the character: "Cannot convert file "%s" to GBK: line %d holds
// U+%04X, which GBK lacks. The file is read as it stands"
Text NotConvertedMessage(const Text& ansiPath, const FileText::NotConverted& why);
