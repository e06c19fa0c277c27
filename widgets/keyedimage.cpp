#include "widgets/keyedimage.h"

namespace widgets {

QImage keyedCopy(const QImage& picture, QRgb key) {
  if (picture.isNull()) return {};
  // Compare in plain ARGB so that the key matches the colour as stored, then hand the
  // painter the premultiplied form it draws fastest.
  QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (line[x] == key) line[x] = 0;
    }
  }
  return argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace widgets
