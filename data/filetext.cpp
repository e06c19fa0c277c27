#include "data/filetext.h"

#include "data/errors.h"
#include "data/textops.h"
#include "platform/codec.h"
#include "platform/message.h"

#include <QCoreApplication>
#include <QString>

namespace {

// Counts lines while walking forward through a text, with the line list's rules: CR LF,
// a lone LF and a lone CR each end one line.
template <class Unit>
class LineCounter {
 public:
  explicit LineCounter(const Unit* units) : units_(units) {}
  // The 1-based line on which position `at` lies; `at` never goes back.
  std::int32_t lineAt(size_t at) {
    for (; pos_ < at; ++pos_) {
      if (units_[pos_] == Unit('\r')) {
        ++line_;
        if (pos_ + 1 < at && units_[pos_ + 1] == Unit('\n')) ++pos_;
      } else if (units_[pos_] == Unit('\n')) {
        ++line_;
      }
    }
    return line_;
  }

 private:
  const Unit* units_;
  size_t pos_ = 0;
  std::int32_t line_ = 1;
};

void addLine(std::vector<std::int32_t>& lines, std::int32_t line) {
  if (lines.empty() || lines.back() != line) lines.push_back(line);
}

struct Utf8Scan {
  std::vector<std::int32_t> badLines;  // the lines that hold a bad sequence
  bool multiByte = false;              // at least one character beyond ASCII
};

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. A bad byte is
// skipped and the scan goes on, so that every bad line is found.
Utf8Scan scanUtf8(std::string_view s) {
  Utf8Scan r;
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  LineCounter<char> lines(s.data());
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
      addLine(r.badLines, lines.lineAt(i));
      len = 1;
    }
    if (len > 1) r.multiByte = true;
    i += len;
  }
  return r;
}

void fromUtf16(FileText& out, std::string_view all, bool littleEndian) {
  const std::string_view body = all.substr(2);
  const auto* b = reinterpret_cast<const unsigned char*>(body.data());
  const size_t units = body.size() / 2;
  QString text(qsizetype(units), Qt::Uninitialized);
  char16_t* u = reinterpret_cast<char16_t*>(text.data());
  for (size_t i = 0; i < units; ++i)
    u[i] = littleEndian ? char16_t(b[2 * i] | b[2 * i + 1] << 8) : char16_t(b[2 * i] << 8 | b[2 * i + 1]);

  std::vector<std::int32_t> bad;
  LineCounter<char16_t> lines(u);
  for (size_t i = 0; i < units; ++i) {
    if (QChar::isHighSurrogate(u[i]) && i + 1 < units && QChar::isLowSurrogate(u[i + 1])) {
      ++i;
    } else if (QChar::isSurrogate(u[i])) {
      addLine(bad, lines.lineAt(i));
    }
  }
  if (body.size() % 2 != 0) addLine(bad, lines.lineAt(units));
  if (!bad.empty()) {
    out.notConverted = FileText::NotConverted{FileText::Refusal::NotUtf16, std::move(bad)};
    out.ansi.assign(all);
    return;
  }
  out.ansi = platform::toAnsi(text);
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
  Utf8Scan scan = scanUtf8(body);
  if (!mark && (!scan.badLines.empty() || !scan.multiByte)) {
    out.ansi.assign(bytes);  // GBK, GB18030 or plain ASCII: byte for byte
    return out;
  }
  out.form = FileText::Form::Utf8;
  if (!scan.badLines.empty()) {
    out.notConverted = FileText::NotConverted{FileText::Refusal::NotUtf8, std::move(scan.badLines)};
    out.ansi.assign(bytes);
    return out;
  }
  out.ansi = platform::toAnsi(QString::fromUtf8(body.data(), qsizetype(body.size())));
  return out;
}

Text LineList(const std::vector<std::int32_t>& lines, size_t maxRuns) {
  Text out;
  size_t runs = 0;
  for (size_t i = 0; i < lines.size();) {
    size_t j = i;
    while (j + 1 < lines.size() && lines[j + 1] == lines[j] + 1) ++j;
    if (runs == maxRuns) {
      const QString all = QCoreApplication::translate("FileText", "%1 lines in all").arg(lines.size());
      return out + ", " + platform::ansi("…") + " (" + platform::toAnsi(all) + ")";
    }
    if (runs > 0) out += ", ";
    out += IntToStr(lines[i]);
    if (j > i) out.append("-").append(IntToStr(lines[j]));
    ++runs;
    i = j + 1;
  }
  return out;
}

Text NotConvertedMessage(const Text& ansiPath, const FileText::NotConverted& why) {
  const QString form =
      why.why == FileText::Refusal::NotUtf8
          ? QCoreApplication::translate("FileText",
                                        "Cannot convert file \"%1\": it begins with a UTF-8 mark, but these lines "
                                        "hold bytes that are not UTF-8: %2. The file is read as it stands")
          : QCoreApplication::translate("FileText",
                                        "Cannot convert file \"%1\": it begins with a UTF-16 mark, but these lines "
                                        "hold units that are not UTF-16: %2. The file is read as it stands");
  return platform::message(form, {errors::quoted(platform::fullPath(ansiPath)), LineList(why.lines)});
}
