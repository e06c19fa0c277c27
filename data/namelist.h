#pragma once
// The candidate list as the pool holds it: the names' bytes one after another in one
// buffer and where each one ends, so a million names cost their own bytes and four more
// each, not a string object apiece.
#include "platform/text.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Cuts `bytes` into lines and calls `line(begin, end)` for each: CR LF, a lone LF and a
// lone CR each end one line (LF then CR ends two); a final line break adds no empty line;
// a zero byte ends everything. The one rule for every list the program reads.
template <class Line>
void ForEachLine(const char* p, const char* end, Line&& line) {
  while (p < end && *p != '\0') {
    const char* start = p;
    while (p < end && *p != '\r' && *p != '\n' && *p != '\0') ++p;
    line(start, p);
    if (p < end && *p == '\r') ++p;
    if (p < end && *p == '\n') ++p;
  }
}

class NameList {
 public:
  NameList() = default;
  // The lines of a list file's text (GB18030), cut as ForEachLine cuts them. The text's own
  // buffer becomes the list's: the line breaks are squeezed out in place, nothing is copied.
  static NameList FromText(Text&& text);

  int count() const { return int(ends_.size()); }
  std::string_view name(int i) const {
    const std::uint32_t begin = i == 0 ? 0 : ends_[size_t(i) - 1];
    return std::string_view(bytes_.data() + begin, ends_[size_t(i)] - begin);
  }
  // The list's bytes and index, for the memory figures.
  size_t heldBytes() const { return bytes_.capacity() + ends_.capacity() * sizeof(std::uint32_t); }

  // False, and nothing changed, when the list would pass 4 GiB of names.
  bool append(std::string_view name);
  bool append(const NameList& more);
  void clear();
  // Deletes the given entries (ascending, distinct, in range) in one pass; the rest keep
  // their order.
  void erase(const std::vector<int>& ascending);

 private:
  Text bytes_;
  std::vector<std::uint32_t> ends_;  // where name i ends in bytes_; it starts where i - 1 ends
};
