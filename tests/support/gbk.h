#pragma once
// Texts in tests: the program's own spelling of a UTF-8 literal (GBK bytes), the file form
// of lines, and the headline's names cut at the separator.
#include "platform/codec.h"
#include "platform/text.h"

#include <QString>

#include <initializer_list>
#include <string_view>
#include <vector>

namespace testkit {

// GBK bytes of a UTF-8 literal, the way the program spells its own texts.
inline Text A(std::string_view utf8) { return platform::ansi(utf8); }

// A UTF-8 literal as Qt shows it.
inline QString U(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

// Lines (UTF-8 literals) in the file form: GBK, every line ended by CR LF.
inline Text crlf(std::initializer_list<std::string_view> utf8Lines) {
  Text out;
  for (auto l : utf8Lines) out += A(l) + "\r\n";
  return out;
}

// The separator of the headline's names as bytes: the full-width comma is A3 AC in GBK.
inline const Text kSep = "\xA3\xAC";

// The names of a headline, cut at every separator.
inline std::vector<Text> splitNames(const Text& headline) {
  std::vector<Text> out;
  size_t from = 0;
  for (size_t at; (at = headline.find(kSep, from)) != Text::npos; from = at + kSep.size())
    out.push_back(headline.substr(from, at - from));
  out.push_back(headline.substr(from));
  return out;
}

// Names joined by the separator, as the headline shows them.
inline Text joinNames(const std::vector<Text>& names) {
  Text out;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) out += kSep;
    out += names[i];
  }
  return out;
}

}  // namespace testkit
