// The line list's cutting of file bytes into lines: CR LF, LF, CR and LF CR, a zero byte
// that ends everything, a final break that adds no line; the same lines in the pool's
// compact list.
#include "data/errors.h"
#include "data/namelist.h"
#include "data/stringlist.h"
#include "fuzz/support.h"

#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const Text bytes(reinterpret_cast<const char*>(data), size);
  TStringList list;
  list.FromBytes(bytes);

  // Lines never hold a line break or a zero byte, and come from the bytes before the
  // first zero byte, in order.
  const size_t end = bytes.find('\0') == Text::npos ? bytes.size() : bytes.find('\0');
  size_t at = 0, total = 0;
  for (const Text& line : list.lines()) {
    FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == Text::npos);
    FUZZ_CHECK(bytes.compare(at, line.size(), line) == 0);
    at += line.size();
    FUZZ_CHECK(at <= end);
    // What follows a line is its break: CR LF, CR, LF, or the end.
    if (at < end && bytes[at] == '\r') ++at;
    if (at < end && bytes[at] == '\n') ++at;
    total += line.size();
  }
  FUZZ_CHECK(at == end);

  // The file form has one CR LF per line and loads back to the same lines.
  const Text saved = list.ToBytes();
  FUZZ_CHECK(saved.size() == total + 2 * list.lines().size());
  TStringList again;
  again.FromBytes(saved);
  FUZZ_CHECK(again.lines() == list.lines());

  // The pool's compact list, cut in place, holds the same lines; deleting every other one
  // keeps the rest.
  NameList names = NameList::FromText(Text(bytes));
  FUZZ_CHECK(names.count() == list.Count());
  std::vector<int> odd;
  for (int i = 0; i < names.count(); ++i) {
    FUZZ_CHECK(names.name(i) == list.lines()[size_t(i)]);
    if (i % 2) odd.push_back(i);
  }
  names.erase(odd);
  for (int i = 0; i < names.count(); ++i) FUZZ_CHECK(names.name(i) == list.lines()[size_t(2 * i)]);

  // Indices outside the list raise the index error.
  for (std::int32_t i : {-1, list.Count()}) {
    try {
      list.Get(i);
      FUZZ_CHECK(false);
    } catch (const EStringListError&) {
    }
  }
  return 0;
}
