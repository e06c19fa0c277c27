#include "platform/bitmap.h"

#include "platform/files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cstdint>

namespace platform {
namespace {

std::uint32_t le32(const Text& b, size_t at) {
  return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
         std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

std::uint16_t le16(const Text& b, size_t at) {
  return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

// Whether the file holds all the pixel data its headers promise. Qt's decoder quietly
// makes up the rest of a file cut short; such a file is refused instead.
bool pixelsPresent(const Text& b, std::uint32_t pixelsAt) {
  const std::uint32_t infoSize = le32(b, 14);
  std::int64_t width = 0, height = 0, bits = 0, compression = 0, imageSize = 0;
  if (infoSize == 12) {  // the short (OS/2) header
    if (b.size() < 26) return false;
    width = le16(b, 18);
    height = le16(b, 20);
    bits = le16(b, 24);
  } else {
    if (b.size() < 38) return false;
    width = std::int32_t(le32(b, 18));
    height = std::int32_t(le32(b, 22));
    bits = le16(b, 28);
    compression = le32(b, 30);
    imageSize = le32(b, 34);
  }
  if (width < 0) width = -width;
  if (height < 0) height = -height;
  if (width > 65535 || height > 65535 || bits > 64) return false;  // no picture is that large
  if (width * height > kMaxBitmapPixels) return false;
  std::int64_t need;
  if (compression == 0 || compression == 3 || compression == 6) {  // plain rows, bit fields
    need = ((width * bits + 31) / 32) * 4 * height;
  } else {
    need = imageSize;  // run-length coded: the header gives the size
  }
  return std::int64_t(pixelsAt) + need <= std::int64_t(b.size());
}

}  // namespace

BitmapResult readBitmap(const Text& ansiPath) {
  Text bytes;
  FileResult f = readWholeFile(ansiPath, bytes);
  if (f.status == FileResult::OpenFailed) return {BitmapResult::OpenFailed, {}, f.systemText};
  if (f.status != FileResult::Ok) return {BitmapResult::ReadFailed, {}, f.systemText};
  return decodeBitmap(bytes);
}

BitmapResult decodeBitmap(const Text& bytes) {
  if (bytes.empty()) return {BitmapResult::Ok, {}, {}};  // an empty picture
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return {BitmapResult::NotBitmap, {}, {}};
  // File header (14 bytes) and the size of the info header that follows it.
  if (bytes.size() < 18) return {BitmapResult::ReadFailed, {}, {}};
  const std::uint32_t pixelsAt = le32(bytes, 10);
  if (pixelsAt > bytes.size() || !pixelsPresent(bytes, pixelsAt)) return {BitmapResult::ReadFailed, {}, {}};

  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  reader.setAllocationLimit(int(kMaxBitmapPixels * 4 >> 20));  // in MB, for 32-bit pixels
  QImage image = reader.read();
  if (image.isNull()) {
    return {reader.error() == QImageReader::InvalidDataError ? BitmapResult::ReadFailed
                                                             : BitmapResult::NotBitmap,
            {}, {}};
  }
  image.detach();  // `data` only borrows `bytes`
  return {BitmapResult::Ok, image, {}};
}

}  // namespace platform
