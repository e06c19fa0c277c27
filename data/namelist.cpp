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

void NameList::erase(const std::vector<int>& ascending) {
  if (ascending.empty()) return;
  size_t outByte = 0, outRow = 0, next = 0;
  std::uint32_t begin = 0;
  for (size_t r = 0; r < ends_.size(); ++r) {
    const std::uint32_t end = ends_[r];
    if (next < ascending.size() && size_t(ascending[next]) == r) {
      ++next;
    } else {
      const size_t n = end - begin;
      if (outByte != begin) std::memmove(bytes_.data() + outByte, bytes_.data() + begin, n);
      outByte += n;
      ends_[outRow++] = std::uint32_t(outByte);
    }
    begin = end;
  }
  bytes_.resize(outByte);
  ends_.resize(outRow);
}
