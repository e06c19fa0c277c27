#pragma once
// The picture reader: Windows bitmap files only.
#include "platform/text.h"

#include <QImage>

#include <cstdint>

namespace platform {

using Picture = QImage;

struct BitmapResult {
  enum Status { Ok, OpenFailed, NotBitmap, ReadFailed };
  Status status = Ok;
  Picture picture;   // valid only with Ok; a 0-byte file gives a null (empty) picture
  Text systemText;   // with OpenFailed
};

// Refuses anything that does not begin with "BM", takes a 0-byte file as an empty
// picture, and decodes the whole file before returning it.
BitmapResult readBitmap(const Text& ansiPath);

// The same for the bytes of a bitmap file already in memory (never OpenFailed).
BitmapResult decodeBitmap(const Text& bytes);

// The largest picture decoded, in pixels (an 8K screen has 33 million). A bitmap that
// declares more is refused before any pixel memory is taken, whatever its compression.
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t(40) << 20;

}  // namespace platform
