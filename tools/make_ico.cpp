// Packs PNG images into one Windows icon file (.ico), each image stored as PNG, the form
// Windows has read since Vista. The executable's icon resource is made from it.
//
//   make_ico <out.ico> <icon-16.png> <icon-32.png> ...
#include "image_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Image {
  std::vector<std::uint8_t> png;
  std::uint32_t width = 0, height = 0;
};

std::uint32_t bigEndian32(const std::vector<std::uint8_t>& b, size_t at) {
  return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 |
         b[at + 3];
}

bool readPng(const char* path, Image& out) {
  std::ifstream f(path, std::ios::binary);
  out.png.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (out.png.size() < 24 || !std::equal(kSignature, kSignature + 8, out.png.begin()) ||
      std::string(out.png.begin() + 12, out.png.begin() + 16) != "IHDR") {
    std::fprintf(stderr, "not a PNG file: %s\n", path);
    return false;
  }
  out.width = bigEndian32(out.png, 16);
  out.height = bigEndian32(out.png, 20);
  if (out.width == 0 || out.width > 256 || out.height == 0 || out.height > 256) {
    std::fprintf(stderr, "icon images are 1 to 256 px: %s\n", path);
    return false;
  }
  return true;
}

void put16(std::vector<std::uint8_t>& b, unsigned v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <out.ico> <image.png>...\n", argv[0]);
    return 2;
  }
  std::vector<Image> images(size_t(argc - 2));
  for (size_t i = 0; i < images.size(); ++i)
    if (!readPng(argv[i + 2], images[i])) return 1;

  std::vector<std::uint8_t> ico;
  put16(ico, 0);  // reserved
  put16(ico, 1);  // type: icon
  put16(ico, unsigned(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (const Image& im : images) {
    ico.push_back(std::uint8_t(im.width == 256 ? 0 : im.width));  // 0 stands for 256
    ico.push_back(std::uint8_t(im.height == 256 ? 0 : im.height));
    ico.push_back(0);  // no palette
    ico.push_back(0);  // reserved
    put16(ico, 1);     // colour planes
    put16(ico, 32);    // bits per pixel
    put32(ico, std::uint32_t(im.png.size()));
    put32(ico, offset);
    offset += std::uint32_t(im.png.size());
  }
  for (const Image& im : images) ico.insert(ico.end(), im.png.begin(), im.png.end());
  return art::writeFile(argv[1], ico) ? 0 : 1;
}
