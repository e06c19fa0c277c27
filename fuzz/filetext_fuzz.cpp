// The detection of text files saved as UTF-8 or UTF-16 and their turning into GB18030: any
// bytes give a verdict, and a file that is not converted stays byte for byte.
#include "data/filetext.h"
#include "fuzz/support.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const FileText t = AnsiFromFileBytes(bytes);
  if (!t.converted()) {
    // Not converted: the file's bytes as they stand.
    FUZZ_CHECK(t.ansi == bytes);
  } else {
    FUZZ_CHECK(t.form != FileText::Form::Ansi);
  }
  if (t.form == FileText::Form::Ansi) FUZZ_CHECK(!t.notConverted && t.ansi == bytes);
  if (t.notConverted) {
    FUZZ_CHECK(!t.notConverted->lines.empty() && t.notConverted->lines.front() >= 1);
    for (size_t i = 1; i < t.notConverted->lines.size(); ++i)
      FUZZ_CHECK(t.notConverted->lines[i] > t.notConverted->lines[i - 1]);
  }
  // The same bytes, the same verdict.
  const FileText again = AnsiFromFileBytes(bytes);
  FUZZ_CHECK(again.ansi == t.ansi && again.form == t.form);
  return 0;
}
