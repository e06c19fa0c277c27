#pragma once
// Colour keying shared by the image and the flat button's glyph.
#include <QColor>
#include <QImage>

namespace widgets {

// A copy of `picture` with an alpha channel in which every pixel of exactly the colour
// `key` is fully transparent. A null picture gives a null image.
QImage keyedCopy(const QImage& picture, QRgb key);

}  // namespace widgets
