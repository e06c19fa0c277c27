#include "data/stringlist.h"

#include "data/errors.h"
#include "data/filetext.h"
#include "data/namelist.h"
#include "platform/files.h"

void TStringList::FromBytes(const Text& bytes) {
  lines_.clear();
  ForEachLine(bytes.data(), bytes.data() + bytes.size(),
              [this](const char* begin, const char* end) { lines_.emplace_back(begin, end); });
}

Text TStringList::ToBytes() const {
  size_t size = 0;
  for (const auto& l : lines_) size += l.size() + 2;
  Text out;
  out.reserve(size);
  for (const auto& l : lines_) {
    out += l;
    out += "\r\n";
  }
  return out;
}

void TStringList::LoadFromFile(const Text& ansiPath) {
  Text bytes;
  errors::throwIfFailed(ansiPath, platform::readWholeFile(ansiPath, bytes));
  const FileText text = AnsiFromFileBytes(bytes);
  FromBytes(text.ansi);
  notice_.reset();
  if (text.notConverted) notice_ = NotConvertedMessage(ansiPath, *text.notConverted);
}

void TStringList::SaveToFile(const Text& ansiPath) const {
  errors::throwIfFailed(ansiPath, platform::writeWholeFileAtomic(ansiPath, ToBytes()));
}

const Text& TStringList::Get(std::int32_t index) const {
  if (index < 0 || index >= Count()) errors::throwIndex(index);
  return lines_[size_t(index)];
}

std::int32_t TStringList::Add(const Text& line) {
  lines_.push_back(line);
  return Count() - 1;
}
