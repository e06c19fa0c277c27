#pragma once
// A small supersampling raster canvas for the program's generated artwork.
//
// Shapes are given in output pixels; the canvas keeps `scale` x `scale` subsamples per
// pixel and averages them on output, which anti-aliases every edge. A pixel that only
// the background ever touched keeps the background colour exactly: the main window
// treats the colour of the picture's bottom-left pixel as transparent, so the flat
// background of a picture must survive the averaging bit for bit.
#include <cstdint>
#include <vector>

namespace art {

// Straight (not premultiplied) colour, every channel 0..1.
struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB with an opacity.
Colour rgb(std::uint32_t hex, float alpha = 1.0f);
Colour mix(const Colour& from, const Colour& to, float t);
Colour withAlpha(Colour c, float alpha);

struct Point {
  float x = 0, y = 0;
};

// Pixel-space box, left/top inclusive, right/bottom exclusive; clipped by the canvas.
struct Box {
  float left, top, right, bottom;
};

// Deterministic random numbers, so that every build produces the same bytes.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  float uniform();                    // [0, 1)
  float range(float lo, float hi);    // [lo, hi)
  int below(int n);                   // [0, n)

 private:
  std::uint64_t state_;
};

class Canvas {
 public:
  Canvas(int width, int height, int scale);

  int width() const { return width_; }
  int height() const { return height_; }

  void clear(const Colour& c);

  // Blends shade(x, y) with opacity cover(x, y) (0..1) over every subsample of `box`,
  // both evaluated at the subsample's centre in output pixels.
  template <class Cover, class Shade>
  void paint(const Box& box, Cover cover, Shade shade);

  // Output pixels, top row first. rgba8: straight alpha. rgb8: alpha ignored.
  std::vector<std::uint8_t> rgba8() const;
  std::vector<std::uint8_t> rgb8() const;

 private:
  void blend(int sx, int sy, const Colour& c, float coverage);

  int width_, height_, scale_;
  std::vector<float> px_;  // premultiplied RGBA per subsample
};

template <class Cover, class Shade>
void Canvas::paint(const Box& box, Cover cover, Shade shade) {
  const float inv = 1.0f / static_cast<float>(scale_);
  int x0 = static_cast<int>(box.left * scale_) - 1;
  int y0 = static_cast<int>(box.top * scale_) - 1;
  int x1 = static_cast<int>(box.right * scale_) + 2;
  int y1 = static_cast<int>(box.bottom * scale_) + 2;
  if (x0 < 0) x0 = 0;
  if (y0 < 0) y0 = 0;
  if (x1 > width_ * scale_) x1 = width_ * scale_;
  if (y1 > height_ * scale_) y1 = height_ * scale_;
  for (int sy = y0; sy < y1; ++sy) {
    const float y = (static_cast<float>(sy) + 0.5f) * inv;
    for (int sx = x0; sx < x1; ++sx) {
      const float x = (static_cast<float>(sx) + 0.5f) * inv;
      const float k = cover(x, y);
      if (k <= 0.0f) continue;
      blend(sx, sy, shade(x, y), k > 1.0f ? 1.0f : k);
    }
  }
}

// ---- Shapes ------------------------------------------------------------------------

float distanceToSegment(Point p, Point a, Point b);
bool insidePolygon(const std::vector<Point>& poly, Point p);

void fillCircle(Canvas& c, Point centre, float radius, const Colour& colour);
void fillEllipse(Canvas& c, Point centre, float rx, float ry, const Colour& colour);
void fillPolygon(Canvas& c, const std::vector<Point>& poly, const Colour& colour);
// An ellipse lit from a point offset (as fractions of the radii) up and left of its
// centre: `light` there, `dark` towards the rim, the fall-off scaled by `spread`.
void fillLitEllipse(Canvas& c, Point centre, float rx, float ry, float offsetX, float offsetY,
                    const Colour& light, const Colour& dark, float spread);
// A polygon shaded by `shade(x, y)`.
template <class Shade>
void fillPolygonShaded(Canvas& c, const std::vector<Point>& poly, Shade shade);
// A rectangle of w x h centred on `centre`, turned by `angle` radians.
void fillTurnedRect(Canvas& c, Point centre, float w, float h, float angle, const Colour& colour);
// A star with `points` tips; the first tip points up, turned by `angle` radians.
std::vector<Point> starOutline(Point centre, float outer, float inner, int points, float angle);
void fillStar(Canvas& c, Point centre, float outer, float inner, int points, float angle,
              const Colour& colour);
// Round-capped strokes.
void strokeLine(Canvas& c, Point a, Point b, float width, const Colour& colour);
void strokePolyline(Canvas& c, const std::vector<Point>& pts, float width, const Colour& colour);
// Part of a circle's outline between two angles (radians, counter-clockwise from +x with
// y pointing down, so -pi/2 is straight up).
std::vector<Point> arcPoints(Point centre, float rx, float ry, float from, float to, int steps);
// A soft round glow: opacity `alpha` at the centre falling smoothly to 0 at `radius`.
void glow(Canvas& c, Point centre, float radius, const Colour& colour, float alpha);

template <class Shade>
void fillPolygonShaded(Canvas& c, const std::vector<Point>& poly, Shade shade) {
  if (poly.empty()) return;
  Box b{poly[0].x, poly[0].y, poly[0].x, poly[0].y};
  for (const Point& p : poly) {
    if (p.x < b.left) b.left = p.x;
    if (p.x > b.right) b.right = p.x;
    if (p.y < b.top) b.top = p.y;
    if (p.y > b.bottom) b.bottom = p.y;
  }
  c.paint(
      b, [&](float x, float y) { return insidePolygon(poly, {x, y}) ? 1.0f : 0.0f; }, shade);
}

}  // namespace art
