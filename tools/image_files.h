#pragma once
// Writers for the picture formats the program ships: Windows bitmaps and PNG.
#include <cstdint>
#include <string>
#include <vector>

namespace art {

// A 24-bit uncompressed Windows bitmap (BITMAPINFOHEADER, bottom-up rows padded to
// 4 bytes, 96 dpi). `rgb` holds width * height pixels, top row first, R G B.
std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<std::uint8_t>& rgb);

// A PNG of 8-bit RGBA (straight alpha). `rgba` holds width * height pixels, top row first.
std::vector<std::uint8_t> encodePngRgba(int width, int height,
                                        const std::vector<std::uint8_t>& rgba);

// Writes the bytes to `path` (replacing it); returns false and prints why on failure.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace art
