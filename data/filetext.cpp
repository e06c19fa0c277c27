#include "data/filetext.h"

#include "data/textops.h"
#include "platform/codec.h"
#include "platform/message.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

namespace {

// The 1-based line on which position `at` of `units` lies, with the line list's rules:
// CR LF, a lone LF and a lone CR each end one line.
template <class Unit>
std::int32_t lineAt(const Unit* units, size_t at) {
  std::int32_t line = 1;
  for (size_t i = 0; i < at; ++i) {
    if (units[i] == Unit('\r')) {
      ++line;
      if (i + 1 < at && units[i + 1] == Unit('\n')) ++i;
    } else if (units[i] == Unit('\n')) {
      ++line;
    }
  }
  return line;
}

struct Utf8Scan {
  size_t invalidAt = std::string_view::npos;  // first byte of the first bad sequence
  bool multiByte = false;                     // at least one character beyond ASCII
};

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
Utf8Scan scanUtf8(std::string_view s) {
  Utf8Scan r;
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  auto cont = [&](size_t i, unsigned char lo = 0x80, unsigned char hi = 0xBF) {
    return i < n && p[i] >= lo && p[i] <= hi;
  };
  for (size_t i = 0; i < n;) {
    const unsigned char b = p[i];
    size_t len = 0;
    if (b < 0x80) {
      len = 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
      if (cont(i + 1)) len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      const unsigned char lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
      if (cont(i + 1, lo, hi) && cont(i + 2)) len = 3;
    } else if (b >= 0xF0 && b <= 0xF4) {
      const unsigned char lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
      if (cont(i + 1, lo, hi) && cont(i + 2) && cont(i + 3)) len = 4;
    }
    if (len == 0) {
      r.invalidAt = i;
      return r;
    }
    if (len > 1) r.multiByte = true;
    i += len;
  }
  return r;
}

// Converts Unicode text to GBK, or says on which line the first character GBK lacks is.
void convert(FileText& out, const QString& text, std::string_view asTheyStand) {
  const platform::AnsiEncoding enc = platform::toAnsiExact(text);
  if (enc.unmappableAt < 0) {
    out.ansi = enc.bytes;
    return;
  }
  const qsizetype at = enc.unmappableAt;
  char32_t cp = text.at(at).unicode();
  if (text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
    cp = QChar::surrogateToUcs4(text.at(at), text.at(at + 1));
  out.notConverted = FileText::NotConverted{FileText::Refusal::NoGbkForm, lineAt(text.utf16(), size_t(at)),
                                            std::uint32_t(cp)};
  out.ansi.assign(asTheyStand);
}

void fromUtf16(FileText& out, std::string_view all, bool littleEndian) {
  const std::string_view body = all.substr(2);
  const auto* b = reinterpret_cast<const unsigned char*>(body.data());
  const size_t units = body.size() / 2;
  QString text(qsizetype(units), Qt::Uninitialized);
  char16_t* u = reinterpret_cast<char16_t*>(text.data());
  for (size_t i = 0; i < units; ++i)
    u[i] = littleEndian ? char16_t(b[2 * i] | b[2 * i + 1] << 8) : char16_t(b[2 * i] << 8 | b[2 * i + 1]);

  auto refuse = [&](size_t at, std::uint32_t what) {
    out.notConverted = FileText::NotConverted{FileText::Refusal::NotUtf16, lineAt(u, at), what};
    out.ansi.assign(all);
  };
  for (size_t i = 0; i < units; ++i) {
    if (QChar::isHighSurrogate(u[i]) && i + 1 < units && QChar::isLowSurrogate(u[i + 1])) {
      ++i;
    } else if (QChar::isSurrogate(u[i])) {
      return refuse(i, u[i]);
    }
  }
  if (body.size() % 2 != 0) return refuse(units, b[body.size() - 1]);
  convert(out, text, all);
}

Text hex(std::uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, unsigned(v));
  return buf;
}

}  // namespace

FileText AnsiFromFileBytes(std::string_view bytes) {
  FileText out;
  auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };

  if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
    const bool le = bytes[0] == '\xFF';
    out.form = le ? FileText::Form::Utf16LE : FileText::Form::Utf16BE;
    fromUtf16(out, bytes, le);
    return out;
  }

  const bool mark = startsWith("\xEF\xBB\xBF");
  const std::string_view body = mark ? bytes.substr(3) : bytes;
  const Utf8Scan scan = scanUtf8(body);
  if (!mark && (scan.invalidAt != std::string_view::npos || !scan.multiByte)) {
    out.ansi.assign(bytes);  // GBK (or plain ASCII): byte for byte
    return out;
  }
  out.form = FileText::Form::Utf8;
  if (scan.invalidAt != std::string_view::npos) {
    out.notConverted =
        FileText::NotConverted{FileText::Refusal::NotUtf8, lineAt(body.data(), scan.invalidAt),
                               std::uint32_t(static_cast<unsigned char>(body[scan.invalidAt]))};
    out.ansi.assign(bytes);
    return out;
  }
  convert(out, QString::fromUtf8(body.data(), qsizetype(body.size())), bytes);
  return out;
}

Text NotConvertedMessage(const Text& ansiPath, const FileText::NotConverted& why) {
  const Text path = platform::fullPath(ansiPath);
  const Text line = IntToStr(why.line);
  switch (why.why) {
    case FileText::Refusal::NoGbkForm:
      return platform::message(
          QCoreApplication::translate("FileText",
                                      "Cannot convert file \"%1\" to GBK: line %2 holds U+%3, "
                                      "which GBK lacks. The file is read as it stands"),
          {path, line, hex(why.what, 4)});
    case FileText::Refusal::NotUtf8:
      return platform::message(
          QCoreApplication::translate(
              "FileText",
              "Cannot convert file \"%1\" to GBK: line %2 holds the byte 0x%3, which is not "
              "UTF-8 although the file begins with a UTF-8 mark. The file is read as it stands"),
          {path, line, hex(why.what, 2)});
    case FileText::Refusal::NotUtf16:
      return platform::message(
          QCoreApplication::translate(
              "FileText",
              "Cannot convert file \"%1\" to GBK: line %2 holds 0x%3, which is not UTF-16 "
              "although the file begins with a UTF-16 mark. The file is read as it stands"),
          {path, line, hex(why.what, why.what > 0xFF ? 4 : 2)});
  }
  return {};
}
