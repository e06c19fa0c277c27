// Draws the application icon, a red lantern with a gold star, at one size.
//
//   make_icon <size> <out.png>
//
// The image is square, 32-bit RGBA, on a transparent background. All geometry is given
// in units of the icon's side so every size shows the same lantern; the thin details
// (ribs, highlight) are left out where they would only blur.
#include "canvas.h"
#include "image_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace art;

namespace {

constexpr float kPi = 3.14159265358979f;

void drawLantern(Canvas& c, float s) {
  const auto at = [s](float x, float y) { return Point{x * s, y * s}; };
  const float px = 1.0f;  // one output pixel, the thinnest line worth drawing
  const Colour outline = rgb(0x6E0A0E);
  const Colour gold = rgb(0xF2B53A);
  const Colour deepGold = rgb(0x9C6512);

  // Hanger loop and cord.
  const float loopW = std::max(0.035f * s, px);
  strokePolyline(c, arcPoints(at(0.5f, 0.075f), 0.055f * s, 0.05f * s, 0, 2 * kPi, 24),
                 loopW, deepGold);

  // Tassel under the body.
  const Point knot = at(0.5f, 0.86f);
  for (float dx : {-0.06f, -0.02f, 0.02f, 0.06f})
    strokeLine(c, knot, at(0.5f + dx, 0.985f), std::max(0.04f * s, px), rgb(0xC41E24));
  fillCircle(c, knot, std::max(0.05f * s, px), gold);

  // Body: a dark rim, then a red ellipse lit from the upper left.
  const Point centre = at(0.5f, 0.5f);
  const float rx = 0.42f * s, ry = 0.32f * s;
  const float rim = std::max(0.03f * s, 0.75f);
  fillEllipse(c, centre, rx + rim, ry + rim, outline);
  fillLitEllipse(c, centre, rx, ry, 0.3f, 0.3f, rgb(0xFF5A45), rgb(0xB0121A), 0.75f);
  if (s >= 32) {
    for (float k : {0.45f, 0.8f}) {
      strokePolyline(c, arcPoints(centre, rx * k, ry * 0.98f, -kPi / 2, kPi / 2, 32),
                     std::max(0.012f * s, px), withAlpha(outline, 0.5f));
      strokePolyline(c, arcPoints(centre, rx * k, ry * 0.98f, kPi / 2, 3 * kPi / 2, 32),
                     std::max(0.012f * s, px), withAlpha(outline, 0.5f));
    }
    fillEllipse(c, at(0.3f, 0.36f), 0.07f * s, 0.045f * s, withAlpha(rgb(0xFFE1D6), 0.55f));
  }

  // Caps.
  const float capW = 0.46f * s, capH = std::max(0.1f * s, 1.5f);
  fillTurnedRect(c, at(0.5f, 0.185f), capW + 2 * rim, capH + 2 * rim, 0, deepGold);
  fillTurnedRect(c, at(0.5f, 0.185f), capW, capH, 0, gold);
  fillTurnedRect(c, at(0.5f, 0.815f), capW + 2 * rim, capH + 2 * rim, 0, deepGold);
  fillTurnedRect(c, at(0.5f, 0.815f), capW, capH, 0, gold);

  // The lucky star on the front.
  const float starR = 0.19f * s;
  fillStar(c, centre, starR + rim * 1.2f, (starR + rim * 1.2f) * 0.45f, 5, 0, deepGold);
  fillStar(c, centre, starR, starR * 0.45f, 5, 0, rgb(0xFFD75E));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <size> <out.png>\n", argv[0]);
    return 2;
  }
  const int size = std::atoi(argv[1]);
  if (size < 8 || size > 1024) {
    std::fprintf(stderr, "icon size out of range: %s\n", argv[1]);
    return 2;
  }
  Canvas canvas(size, size, size <= 48 ? 8 : 4);
  canvas.clear({0, 0, 0, 0});
  drawLantern(canvas, static_cast<float>(size));
  return writeFile(argv[2], encodePngRgba(size, size, canvas.rgba8())) ? 0 : 1;
}
