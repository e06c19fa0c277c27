#include "image_files.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace art {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

void put32be(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>((v >> 16) & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

void pngChunk(std::vector<std::uint8_t>& out, const char type[4],
              const std::vector<std::uint8_t>& data) {
  put32be(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  put32be(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<std::uint8_t>& rgb) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t headers = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(headers + imageSize);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  put32(out, headers + imageSize);
  put16(out, 0);
  put16(out, 0);
  put32(out, headers);
  // BITMAPINFOHEADER
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
  put16(out, 1);                                   // planes
  put16(out, 24);                                  // bits per pixel
  put32(out, 0);                                   // BI_RGB
  put32(out, imageSize);
  put32(out, 3780);  // 96 dpi in pixels per metre
  put32(out, 3780);
  put32(out, 0);
  put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const std::uint8_t* row = &rgb[static_cast<std::size_t>(y) * width * 3];
    for (int x = 0; x < width; ++x) {
      out.push_back(row[x * 3 + 2]);  // B G R order
      out.push_back(row[x * 3 + 1]);
      out.push_back(row[x * 3]);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad)
      out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> encodePngRgba(int width, int height,
                                        const std::vector<std::uint8_t>& rgba) {
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  std::vector<std::uint8_t> ihdr;
  put32be(ihdr, static_cast<std::uint32_t>(width));
  put32be(ihdr, static_cast<std::uint32_t>(height));
  ihdr.push_back(8);  // bit depth
  ihdr.push_back(6);  // colour type: RGBA
  ihdr.push_back(0);  // deflate
  ihdr.push_back(0);  // adaptive filtering
  ihdr.push_back(0);  // no interlace
  pngChunk(out, "IHDR", ihdr);

  // Every row uses the "Sub" filter: neighbouring pixels of an icon are alike, which
  // leaves mostly small numbers for deflate.
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> raw;
  raw.reserve((rowBytes + 1) * height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = &rgba[y * rowBytes];
    raw.push_back(1);
    for (std::size_t i = 0; i < rowBytes; ++i)
      raw.push_back(static_cast<std::uint8_t>(row[i] - (i >= 4 ? row[i - 4] : 0)));
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
    return {};
  packed.resize(packedSize);
  pngChunk(out, "IDAT", packed);
  pngChunk(out, "IEND", {});
  return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) {
    std::fprintf(stderr, "%s: nothing to write\n", path.c_str());
    return false;
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool closed = std::fclose(f) == 0;
  if (!ok || !closed) {
    std::fprintf(stderr, "%s: write failed\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace art
