// GBK conversion through Qt's codecs (ICU).
#include "platform/codec_os.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform::os {
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

bool gbkAvailable() { return decoder().isValid() && encoder().isValid(); }

bool decodeGbk(std::string_view bytes, QString& out) {
  auto& d = decoder();
  d.resetState();
  out = d.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  return !d.hasError();
}

Text encodeGbk(const QString& text) {
  auto& e = encoder();
  e.resetState();
  QByteArray out = e.encode(text);
  return Text(out.constData(), size_t(out.size()));
}

}  // namespace platform::os
