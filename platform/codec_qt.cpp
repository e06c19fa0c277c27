// GBK conversion through Qt's codecs (ICU).
#include "platform/codec.h"

#include "platform/characters.h"

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

// Whether the text ends in a lead byte with nothing after it (which the stateless
// decoder would drop without a trace).
bool endsInLoneLeadByte(const Text& bytes) {
  const size_t last = lastCharStart(bytes, Pairing::WellFormed);
  return bytes.size() - last == 1 && isLeadByte(static_cast<unsigned char>(bytes[last]));
}

}  // namespace

bool codecAvailable() { return decoder().isValid() && encoder().isValid(); }

QString fromAnsi(const Text& bytes) {
  if (bytes.empty()) return {};
  auto& d = decoder();
  d.resetState();
  QString text = d.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  if (endsInLoneLeadByte(bytes)) text += QChar(QChar::ReplacementCharacter);
  return text;
}

Text toAnsi(const QString& text) {
  auto& e = encoder();
  e.resetState();
  QByteArray out = e.encode(text);
  return Text(out.constData(), size_t(out.size()));
}

}  // namespace platform
