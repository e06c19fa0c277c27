#pragma once
// The picture reader: Windows bitmap files only.
#include "platform/text.h"

#include <QImage>

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

}  // namespace platform
