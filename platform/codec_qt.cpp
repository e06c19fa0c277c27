// GBK conversion through Qt's codecs (ICU).
#include "platform/codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {
namespace {

// The decoder and encoder are opened once: the headline is decoded on every tick.
QStringDecoder& decoder() {
  static QStringDecoder d("GBK", QStringDecoder::Flag::Stateless);
  return d;
}

QStringEncoder& encoder() {
  static QStringEncoder e("GBK", QStringEncoder::Flag::Stateless);
  return e;
}

}  // namespace

bool codecAvailable() { return decoder().isValid() && encoder().isValid(); }

QString fromAnsi(const Text& bytes) {
  if (bytes.empty()) return {};
  auto& d = decoder();
  d.resetState();
  return d.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

size_t ansiPrefixLength(const Text& bytes, size_t maxBytes) {
  if (bytes.size() <= maxBytes) return bytes.size();
  auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  size_t i = 0;
  while (i < maxBytes) {
    const bool lead = at(i) >= 0x81 && at(i) <= 0xFE;
    const bool pair = lead && at(i + 1) >= 0x40 && at(i + 1) <= 0xFE && at(i + 1) != 0x7F;
    const size_t width = pair ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
  }
  return i;
}

QString fromAnsiPrefix(const Text& bytes, size_t maxBytes, bool* cut) {
  const size_t n = ansiPrefixLength(bytes, maxBytes);
  if (cut) *cut = n < bytes.size();
  if (n == 0) return {};
  auto& d = decoder();
  d.resetState();
  return d.decode(QByteArrayView(bytes.data(), qsizetype(n)));
}

Text toAnsi(const QString& text) {
  auto& e = encoder();
  e.resetState();
  QByteArray out = e.encode(text);
  return Text(out.constData(), size_t(out.size()));
}

}  // namespace platform
