// The picture reader on any bytes: refuses what is not a bitmap, never decodes a picture
// larger than its limit, and hands over a whole picture or none.
#include "fuzz/support.h"
#include "platform/bitmap.h"

#include <cstdint>

namespace {

// The decoder itself is not instrumented; branching on what it produced lets the fuzzer
// tell inputs apart that lead the decoder to different kinds of pictures.
int outcome(const QImage& p) {
  int kind = 0;
  switch (p.format()) {
    case QImage::Format_Mono: kind = 1; break;
    case QImage::Format_MonoLSB: kind = 2; break;
    case QImage::Format_Indexed8: kind = 3; break;
    case QImage::Format_RGB32: kind = 4; break;
    case QImage::Format_ARGB32: kind = 5; break;
    case QImage::Format_ARGB32_Premultiplied: kind = 6; break;
    case QImage::Format_RGB16: kind = 7; break;
    case QImage::Format_RGB888: kind = 8; break;
    default: kind = 9; break;
  }
  if (p.width() == 1) kind += 10;
  else if (p.width() < 16) kind += 20;
  else if (p.width() < 256) kind += 30;
  else kind += 40;
  if (p.height() == 1) kind += 100;
  else if (p.height() < 16) kind += 200;
  else if (p.height() < 256) kind += 300;
  else kind += 400;
  if (p.colorCount() > 0) kind += 1000;
  if (p.hasAlphaChannel()) kind += 2000;
  return kind;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const Text bytes(reinterpret_cast<const char*>(data), size);
  const platform::BitmapResult r = platform::decodeBitmap(bytes);
  FUZZ_CHECK(r.status != platform::BitmapResult::OpenFailed);
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
    FUZZ_CHECK(bytes.empty() ? r.status == platform::BitmapResult::Ok
                             : r.status == platform::BitmapResult::NotBitmap);
  }
  if (r.status == platform::BitmapResult::Ok) {
    FUZZ_CHECK(r.picture.isNull() == bytes.empty());
    FUZZ_CHECK(std::int64_t(r.picture.width()) * r.picture.height() <= platform::kMaxBitmapPixels);
    // Every pixel can be read.
    if (!r.picture.isNull()) {
      volatile QRgb sink = r.picture.pixel(r.picture.width() - 1, r.picture.height() - 1);
      (void)sink;
      volatile int kind = outcome(r.picture);
      (void)kind;
    }
  } else {
    FUZZ_CHECK(r.picture.isNull());
  }
  return 0;
}
