#include "platform/codec.h"

#include "platform/characters.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

size_t ansiPrefixLength(const Text& bytes, size_t maxBytes) {
  if (bytes.size() <= maxBytes) return bytes.size();
  size_t i = 0;
  while (i < maxBytes) {
    const size_t width = charLength(bytes, i, Pairing::WellFormed);
    if (i + width > maxBytes) break;
    i += width;
  }
  return i;
}

QString fromAnsiPrefix(const Text& bytes, size_t maxBytes, bool* cut) {
  const size_t n = ansiPrefixLength(bytes, maxBytes);
  if (cut) *cut = n < bytes.size();
  if (n == 0) return {};
  return fromAnsi(n == bytes.size() ? bytes : bytes.substr(0, n));
}

Text utf8FromAnsi(const Text& bytes) {
  // Text that decodes and encodes back to the same bytes converts in one piece; only text
  // holding bytes that are no character goes character by character (a 1 MB name would
  // otherwise cost a decode and an encode per character at every Stop).
  {
    const QString whole = fromAnsi(bytes);
    if (toAnsi(whole) == bytes) {
      const QByteArray utf8 = whole.toUtf8();
      return Text(utf8.constData(), size_t(utf8.size()));
    }
  }
  Text out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (size_t i = 0; i < bytes.size();) {
    const size_t len = charLength(bytes, i, Pairing::WellFormed);
    const Text piece = bytes.substr(i, len);
    i += len;
    if (static_cast<unsigned char>(piece[0]) < 0x80) {
      out += piece;
      continue;
    }
    const QString one = fromAnsi(piece);
    if (toAnsi(one) != piece) {
      out += piece;  // no character (it decoded as U+FFFD, whose bytes are others)
      continue;
    }
    const QByteArray utf8 = one.toUtf8();
    out.append(utf8.constData(), size_t(utf8.size()));
  }
  return out;
}

Text ansi(std::string_view utf8) {
  return toAnsi(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

QString nativePath(const Text& ansiPath) {
  QString p = fromAnsi(ansiPath);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return p;
}

Text fullPath(const Text& ansiPath) {
  QString p = nativePath(ansiPath);
  const bool endsInSeparator = p.endsWith(QLatin1Char('/'));
  QString full = QDir::cleanPath(QFileInfo(p).absoluteFilePath());
  if (endsInSeparator && !full.endsWith(QLatin1Char('/'))) full += QLatin1Char('/');
  return toAnsi(QDir::toNativeSeparators(full));
}

}  // namespace platform
