#pragma once
// Text files as people really save them. The program works on GB18030 bytes (GBK's for
// every character GBK has), but Notepad saves UTF-8, Excel's "Unicode text" is UTF-16 and
// "CSV UTF-8" carries a byte-order mark. Every text file the program reads passes through
// AnsiFromFileBytes before it is cut into lines: UTF-16 (by its mark) and UTF-8 (by its
// mark, or by being valid UTF-8 as a whole with at least one character beyond ASCII)
// become GB18030, every character kept; anything else is GBK or GB18030 already and stays
// byte for byte.
#include "platform/text.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct FileText {
  enum class Form { Ansi, Utf8, Utf16LE, Utf16BE };
  // Why a file with a Unicode mark was left as it stands.
  enum class Refusal {
    NotUtf8,   // byte sequences that are not UTF-8 after a UTF-8 mark
    NotUtf16,  // unpaired surrogates or a lone last byte after a UTF-16 mark
  };
  struct NotConverted {
    Refusal why;
    // Every line that holds a fault, 1-based and ascending, as an editor counts them
    // (CR LF, LF and CR each end one).
    std::vector<std::int32_t> lines;
  };

  Form form = Form::Ansi;
  // The bytes to cut into lines: the converted text without its mark, or, for a GBK file
  // and for a Unicode file that could not be converted, the file's bytes as they stand.
  Text ansi;
  std::optional<NotConverted> notConverted;

  bool converted() const { return form != Form::Ansi && !notConverted; }
};

// Bytes in, GB18030 bytes and the verdict out. Pure: no file, no state.
FileText AnsiFromFileBytes(std::string_view bytes);

// The operator's message for a file that could not be converted, naming the file (full
// path) and every line concerned: "Cannot convert file "%1": it begins with a UTF-8 mark,
// but these lines hold bytes that are not UTF-8: 2, 5-7. The file is read as it stands"
Text NotConvertedMessage(const Text& ansiPath, const FileText::NotConverted& why);

// "2, 5-7, 9": ascending line numbers, runs of neighbours joined. At most `maxRuns` runs
// are written, then "… (N lines in all)".
Text LineList(const std::vector<std::int32_t>& lines, size_t maxRuns = 100);
