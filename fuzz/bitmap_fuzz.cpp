// The picture reader on any bytes: refuses what is not a bitmap, never decodes a picture
// larger than its limit, and hands over a whole picture or none.
#include "fuzz/support.h"
#include "platform/bitmap.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const Text bytes(reinterpret_cast<const char*>(data), size);
  const platform::BitmapResult r = platform::decodeBitmap(bytes);
  FUZZ_CHECK(r.status != platform::BitmapResult::OpenFailed);
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
    FUZZ_CHECK(bytes.empty() ? r.status == platform::BitmapResult::Ok : r.status == platform::BitmapResult::NotBitmap);
  }
  if (r.status == platform::BitmapResult::Ok) {
    FUZZ_CHECK(r.picture.isNull() == bytes.empty());
    FUZZ_CHECK(std::int64_t(r.picture.width()) * r.picture.height() <= platform::kMaxBitmapPixels);
    // Every pixel can be read.
    if (!r.picture.isNull()) {
      volatile QRgb sink = r.picture.pixel(r.picture.width() - 1, r.picture.height() - 1);
      (void)sink;
    }
  } else {
    FUZZ_CHECK(r.picture.isNull());
  }
  return 0;
}
