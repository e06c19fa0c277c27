#include "data/namelist.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {
constexpr size_t kMostBytes = std::numeric_limits<std::uint32_t>::max();
}  // namespace

NameList NameList::FromText(Text&& text) {
  NameList list;
  if (text.size() > kMostBytes) text.resize(kMostBytes);
  // As many ends as there can be lines, reserved at once: the index never grows by copying.
  list.ends_.reserve(size_t(std::count_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; })) + 1);
  char* const base = text.data();
  char* out = base;
  ForEachLine(text.data(), text.data() + text.size(), [&](const char* begin, const char* end) {
    const size_t n = size_t(end - begin);
    if (out != begin) std::memmove(out, begin, n);
    out += n;
    list.ends_.push_back(std::uint32_t(out - base));
  });
  text.resize(size_t(out - base));
  list.ends_.shrink_to_fit();
  list.bytes_ = std::move(text);
  return list;
}

bool NameList::append(std::string_view name) {
  if (name.size() > kMostBytes - bytes_.size()) return false;
  bytes_.append(name);
  ends_.push_back(std::uint32_t(bytes_.size()));
  return true;
}

bool NameList::append(const NameList& more) {
  if (more.bytes_.size() > kMostBytes - bytes_.size()) return false;
  if (ends_.empty() && bytes_.empty()) {
    *this = more;
    return true;
  }
  const std::uint32_t shift = std::uint32_t(bytes_.size());
  bytes_.append(more.bytes_);
  ends_.reserve(ends_.size() + more.ends_.size());
  for (std::uint32_t e : more.ends_) ends_.push_back(shift + e);
  return true;
}

void NameList::clear() {
  bytes_.clear();
  ends_.clear();
}

// Every span of kept names between two deleted ones moves in one step, and their ends
// shift by the bytes deleted before them.
void NameList::erase(const std::vector<int>& ascending) {
  if (ascending.empty()) return;
  size_t outRow = size_t(ascending[0]);
  size_t outByte = outRow == 0 ? 0 : ends_[outRow - 1];
  size_t k = 0;
  while (k < ascending.size()) {
    size_t row = size_t(ascending[k]);
    while (k < ascending.size() && size_t(ascending[k]) == row) {
      ++k;
      ++row;
    }
    const size_t stop = k < ascending.size() ? size_t(ascending[k]) : ends_.size();
    if (row >= stop) continue;
    const size_t from = ends_[row - 1];  // a deleted row lies just before `row`
    const size_t to = ends_[stop - 1];
    std::memmove(bytes_.data() + outByte, bytes_.data() + from, to - from);
    const std::uint32_t shift = std::uint32_t(from - outByte);
    for (size_t i = row; i < stop; ++i) ends_[outRow++] = ends_[i] - shift;
    outByte += to - from;
  }
  bytes_.resize(outByte);
  ends_.resize(outRow);
}
