#include "platform/message.h"

#include "platform/codec.h"

#include <QString>

#include <vector>

namespace platform {

Text message(const QString& translation, std::initializer_list<Text> args) {
  const Text pattern = toAnsi(translation);
  const std::vector<Text> given(args);
  Text out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const size_t n = size_t(pattern[i + 1] - '1');
      if (n < given.size()) {
        out += given[n];
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace platform
