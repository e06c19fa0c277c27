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

}  // namespace

BitmapResult readBitmap(const Text& ansiPath) {
  Text bytes;
  FileResult f = readWholeFile(ansiPath, bytes);
  if (f.status == FileResult::OpenFailed) return {BitmapResult::OpenFailed, {}, f.systemText};
  if (f.status != FileResult::Ok) return {BitmapResult::ReadFailed, {}, f.systemText};
  if (bytes.empty()) return {BitmapResult::Ok, {}, {}};  // an empty picture
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return {BitmapResult::NotBitmap, {}, {}};
  // File header (14 bytes) and the size of the info header that follows it.
  if (bytes.size() < 18) return {BitmapResult::ReadFailed, {}, {}};
  const std::uint32_t pixelsAt = le32(bytes, 10);
  if (pixelsAt > bytes.size()) return {BitmapResult::ReadFailed, {}, {}};

  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
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
