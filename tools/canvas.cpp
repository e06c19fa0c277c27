#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

Colour rgb(std::uint32_t hex, float alpha) {
  return {static_cast<float>((hex >> 16) & 0xFF) / 255.0f,
          static_cast<float>((hex >> 8) & 0xFF) / 255.0f,
          static_cast<float>(hex & 0xFF) / 255.0f, alpha};
}

Colour mix(const Colour& from, const Colour& to, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
          from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Colour withAlpha(Colour c, float alpha) {
  c.a = alpha;
  return c;
}

std::uint64_t Rng::next() {
  // SplitMix64: small, fast and the same everywhere.
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

float Rng::uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24); }

float Rng::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

int Rng::below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

Canvas::Canvas(int width, int height, int scale)
    : width_(width), height_(height), scale_(scale),
      px_(static_cast<std::size_t>(width) * height * scale * scale * 4, 0.0f) {}

void Canvas::clear(const Colour& c) {
  for (std::size_t i = 0; i < px_.size(); i += 4) {
    px_[i] = c.r * c.a;
    px_[i + 1] = c.g * c.a;
    px_[i + 2] = c.b * c.a;
    px_[i + 3] = c.a;
  }
}

void Canvas::blend(int sx, int sy, const Colour& c, float coverage) {
  const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
  float* p = &px_[(static_cast<std::size_t>(sy) * width_ * scale_ + sx) * 4];
  const float keep = 1.0f - a;
  p[0] = c.r * a + p[0] * keep;
  p[1] = c.g * a + p[1] * keep;
  p[2] = c.b * a + p[2] * keep;
  p[3] = a + p[3] * keep;
}

namespace {

std::uint32_t to8(float v) {
  return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

std::vector<std::uint8_t> Canvas::rgba8() const {
  // Each subsample is first rounded to 8 bits, then the subsamples of a pixel are
  // averaged in integers: equal subsamples give back exactly their own value.
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width_) * height_ * 4);
  const std::uint32_t n = static_cast<std::uint32_t>(scale_ * scale_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      std::uint32_t sum[4] = {0, 0, 0, 0};
      for (int j = 0; j < scale_; ++j) {
        for (int i = 0; i < scale_; ++i) {
          const float* p =
              &px_[((static_cast<std::size_t>(y) * scale_ + j) * width_ * scale_ +
                    static_cast<std::size_t>(x) * scale_ + i) * 4];
          // Premultiplied sums average correctly; un-premultiply after averaging.
          for (int k = 0; k < 4; ++k) sum[k] += to8(p[k]);
        }
      }
      std::uint8_t* o = &out[(static_cast<std::size_t>(y) * width_ + x) * 4];
      const std::uint32_t alpha = (sum[3] + n / 2) / n;
      o[3] = static_cast<std::uint8_t>(alpha);
      for (int k = 0; k < 3; ++k) {
        std::uint32_t v = 0;
        if (sum[3] > 0) v = (sum[k] * 255 + sum[3] / 2) / sum[3];
        o[k] = static_cast<std::uint8_t>(std::min<std::uint32_t>(v, 255));
      }
    }
  }
  return out;
}

std::vector<std::uint8_t> Canvas::rgb8() const {
  const std::vector<std::uint8_t> rgba = rgba8();
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width_) * height_ * 3);
  for (std::size_t i = 0, j = 0; i < rgba.size(); i += 4, j += 3) {
    out[j] = rgba[i];
    out[j + 1] = rgba[i + 1];
    out[j + 2] = rgba[i + 2];
  }
  return out;
}

// ---- Shapes ------------------------------------------------------------------------

float distanceToSegment(Point p, Point a, Point b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  const float ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return std::sqrt(ex * ex + ey * ey);
}

bool insidePolygon(const std::vector<Point>& poly, Point p) {
  bool inside = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point& a = poly[i];
    const Point& b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

void fillCircle(Canvas& c, Point centre, float radius, const Colour& colour) {
  fillEllipse(c, centre, radius, radius, colour);
}

void fillEllipse(Canvas& c, Point centre, float rx, float ry, const Colour& colour) {
  c.paint(
      {centre.x - rx, centre.y - ry, centre.x + rx, centre.y + ry},
      [&](float x, float y) {
        const float u = (x - centre.x) / rx, v = (y - centre.y) / ry;
        return u * u + v * v <= 1.0f ? 1.0f : 0.0f;
      },
      [&](float, float) { return colour; });
}

void fillPolygon(Canvas& c, const std::vector<Point>& poly, const Colour& colour) {
  fillPolygonShaded(c, poly, [&](float, float) { return colour; });
}

void fillTurnedRect(Canvas& c, Point centre, float w, float h, float angle, const Colour& colour) {
  const float cs = std::cos(angle), sn = std::sin(angle);
  std::vector<Point> poly;
  const float hx[4] = {-w / 2, w / 2, w / 2, -w / 2};
  const float hy[4] = {-h / 2, -h / 2, h / 2, h / 2};
  for (int i = 0; i < 4; ++i)
    poly.push_back({centre.x + hx[i] * cs - hy[i] * sn, centre.y + hx[i] * sn + hy[i] * cs});
  fillPolygon(c, poly, colour);
}

std::vector<Point> starOutline(Point centre, float outer, float inner, int points, float angle) {
  std::vector<Point> poly;
  const float pi = 3.14159265358979f;
  for (int i = 0; i < points * 2; ++i) {
    const float r = (i % 2 == 0) ? outer : inner;
    const float a = angle - pi / 2 + pi * static_cast<float>(i) / static_cast<float>(points);
    poly.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
  }
  return poly;
}

void fillStar(Canvas& c, Point centre, float outer, float inner, int points, float angle,
              const Colour& colour) {
  fillPolygon(c, starOutline(centre, outer, inner, points, angle), colour);
}

void strokeLine(Canvas& c, Point a, Point b, float width, const Colour& colour) {
  strokePolyline(c, {a, b}, width, colour);
}

void strokePolyline(Canvas& c, const std::vector<Point>& pts, float width, const Colour& colour) {
  if (pts.empty()) return;
  const float h = width / 2;
  Box box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (const Point& p : pts) {
    box.left = std::min(box.left, p.x);
    box.right = std::max(box.right, p.x);
    box.top = std::min(box.top, p.y);
    box.bottom = std::max(box.bottom, p.y);
  }
  box = {box.left - h, box.top - h, box.right + h, box.bottom + h};
  // One coverage test for the whole line, so joints are not painted twice.
  c.paint(
      box,
      [&](float x, float y) {
        for (std::size_t i = 0; i + 1 < pts.size(); ++i)
          if (distanceToSegment({x, y}, pts[i], pts[i + 1]) <= h) return 1.0f;
        if (pts.size() == 1 && distanceToSegment({x, y}, pts[0], pts[0]) <= h) return 1.0f;
        return 0.0f;
      },
      [&](float, float) { return colour; });
}

std::vector<Point> arcPoints(Point centre, float rx, float ry, float from, float to, int steps) {
  std::vector<Point> pts;
  for (int i = 0; i <= steps; ++i) {
    const float a = from + (to - from) * static_cast<float>(i) / static_cast<float>(steps);
    pts.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
  }
  return pts;
}

void glow(Canvas& c, Point centre, float radius, const Colour& colour, float alpha) {
  c.paint(
      {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius},
      [&](float x, float y) {
        const float d = std::hypot(x - centre.x, y - centre.y) / radius;
        if (d >= 1.0f) return 0.0f;
        const float s = 1.0f - d;
        return alpha * s * s * (3.0f - 2.0f * s);
      },
      [&](float, float) { return colour; });
}

void fillLitEllipse(Canvas& c, Point centre, float rx, float ry, float offsetX, float offsetY,
                    const Colour& light, const Colour& dark, float spread) {
  c.paint(
      {centre.x - rx, centre.y - ry, centre.x + rx, centre.y + ry},
      [&](float x, float y) {
        const float u = (x - centre.x) / rx, v = (y - centre.y) / ry;
        return u * u + v * v <= 1.0f ? 1.0f : 0.0f;
      },
      [&](float x, float y) {
        const float u = (x - centre.x + rx * offsetX) / rx, v = (y - centre.y + ry * offsetY) / ry;
        return mix(light, dark, std::min(1.0f, std::sqrt(u * u + v * v) * spread));
      });
}

}  // namespace art
