// Draws the 16 x 16 glyph of the "view winners" button: a small person figure.
//
//   make_glyph <out.bmp>
//
// A 24-bit Windows bitmap on white; the button leaves white pixels out, so only the
// figure shows on the button's face. The figure is drawn on the face colour first, so
// that its smoothed edge pixels blend into the face, and the untouched face pixels are
// then turned white.
#include "canvas.h"
#include "image_files.h"
#include "widgets/flatlook.h"

#include <cstdint>
#include <cstdio>
#include <vector>

using namespace art;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <out.bmp>\n", argv[0]);
    return 2;
  }
  constexpr int kSize = 16;
  Canvas c(kSize, kSize, 8);
  const std::uint32_t face = flatlook::kFace;
  c.clear(rgb(face));

  const Colour dark = rgb(0x1F4E8C);
  const Colour body = rgb(0x3A74C4);
  const Colour light = rgb(0x8DB5EA);

  // Shoulders: the top of an ellipse, cut off by the bottom edge.
  const Point chest{8.0f, 15.6f};
  const auto shoulders = [&](float rx, float ry, const Colour& colour) {
    c.paint(
        {chest.x - rx, chest.y - ry, chest.x + rx, 15.0f},
        [&](float x, float y) {
          const float u = (x - chest.x) / rx, v = (y - chest.y) / ry;
          return (u * u + v * v <= 1.0f && y < 15.0f) ? 1.0f : 0.0f;
        },
        [&](float, float) { return colour; });
  };
  shoulders(6.6f, 6.4f, dark);
  shoulders(5.6f, 5.4f, body);

  // Head.
  fillCircle(c, {8.0f, 5.0f}, 3.9f, dark);
  fillCircle(c, {8.0f, 5.0f}, 2.9f, body);
  fillCircle(c, {7.0f, 4.0f}, 1.1f, light);

  std::vector<std::uint8_t> pixels = c.rgb8();
  for (std::size_t i = 0; i < pixels.size(); i += 3) {
    if (pixels[i] == (face >> 16) && pixels[i + 1] == ((face >> 8) & 0xFF) &&
        pixels[i + 2] == (face & 0xFF)) {
      pixels[i] = pixels[i + 1] = pixels[i + 2] = 0xFF;
    }
  }
  return writeFile(argv[1], encodeBmp24(kSize, kSize, pixels)) ? 0 : 1;
}
