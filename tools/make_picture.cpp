// Draws the backdrop pictures shown behind the headline.
//
//   make_picture gala <out.bmp>       the picture built into the program
//   make_picture fireworks <out.bmp>  the picture of the example event
//
// Both are 650 x 500, 24-bit Windows bitmaps. The window draws a bitmap with every pixel
// of its bottom-left pixel's colour left out, so each picture is decoration on one flat
// background colour, and the bottom-left corner is kept free of decoration.
#include "canvas.h"
#include "image_files.h"

#include <cmath>
#include <cstdio>
#include <string>

using namespace art;

namespace {

constexpr int kWidth = 650;
constexpr int kHeight = 500;
// The window shows the top-left 593 x 489 pixels of the picture; the main motifs are
// centred in that part.
constexpr float kShownWidth = 593;
constexpr int kScale = 4;
constexpr float kPi = 3.14159265358979f;

// Keeps random decoration out of the bottom-left corner, whose colour must stay the
// background colour.
bool inCornerZone(Point p) { return p.x < 60 && p.y > kHeight - 60; }

void sparkle(Canvas& c, Point p, float r, const Colour& colour) {
  glow(c, p, r * 1.3f, colour, 0.25f);
  fillStar(c, p, r, r * 0.22f, 4, 0, colour);
}

void goldStar(Canvas& c, Point p, float r, float turn) {
  fillStar(c, p, r, r * 0.45f, 5, turn, rgb(0xC8902A));
  fillStar(c, {p.x - r * 0.06f, p.y - r * 0.06f}, r * 0.78f, r * 0.35f, 5, turn, rgb(0xF0C24F));
  fillStar(c, {p.x - r * 0.12f, p.y - r * 0.14f}, r * 0.35f, r * 0.16f, 5, turn, rgb(0xFBE6A2));
}

void confetti(Canvas& c, Rng& rng, int count, const std::vector<Colour>& colours, float topBias) {
  for (int i = 0; i < count; ++i) {
    const Point p{rng.range(8, kWidth - 8), 8 + (kHeight - 16) * std::pow(rng.uniform(), topBias)};
    if (inCornerZone(p)) continue;
    const Colour& col = colours[static_cast<std::size_t>(rng.below(static_cast<int>(colours.size())))];
    if (rng.uniform() < 0.7f) {
      const float w = rng.range(2.5f, 4.0f), h = rng.range(6.0f, 9.0f);
      fillTurnedRect(c, p, w, h, rng.range(0, kPi), withAlpha(col, 0.9f));
    } else {
      fillCircle(c, p, rng.range(1.8f, 3.0f), withAlpha(col, 0.9f));
    }
  }
}

void lantern(Canvas& c, Point top, float cordLength, float rx, float ry) {
  const Colour gold = rgb(0xE0A92E);
  const Colour deepGold = rgb(0xA8741C);
  const Point centre{top.x, top.y + cordLength + ry};
  strokeLine(c, top, {top.x, centre.y - ry}, 1.6f, deepGold);
  // Body: bright in the middle, darker towards the rim.
  fillLitEllipse(c, centre, rx, ry, 0.25f, 0.2f, rgb(0xF04A3A), rgb(0xA3161C), 0.8f);
  // Ribs.
  for (float k : {-0.62f, -0.25f, 0.25f, 0.62f}) {
    strokePolyline(c, arcPoints(centre, rx * std::abs(k), ry * 0.97f, -kPi / 2, kPi / 2, 24),
                   1.1f, withAlpha(rgb(0x7E0F14), 0.55f));
    if (k < 0) continue;
    strokePolyline(c, arcPoints(centre, rx * k, ry * 0.97f, kPi / 2, 3 * kPi / 2, 24), 1.1f,
                   withAlpha(rgb(0x7E0F14), 0.55f));
  }
  fillCircle(c, {centre.x - rx * 0.35f, centre.y - ry * 0.35f}, rx * 0.16f,
             withAlpha(rgb(0xFFD6C8), 0.45f));
  // Caps and tassel.
  const float capW = rx * 0.9f, capH = ry * 0.28f;
  fillTurnedRect(c, {centre.x, centre.y - ry + capH * 0.3f}, capW, capH, 0, gold);
  fillTurnedRect(c, {centre.x, centre.y + ry - capH * 0.3f}, capW, capH, 0, gold);
  const float knot = centre.y + ry + capH * 0.5f;
  fillCircle(c, {centre.x, knot + 3}, 3.0f, gold);
  for (float dx = -3.5f; dx <= 3.6f; dx += 1.75f)
    strokeLine(c, {centre.x, knot + 4}, {centre.x + dx, knot + ry * 1.05f}, 1.2f, rgb(0xD63A2A));
  strokeLine(c, {centre.x - 4, knot + 7}, {centre.x + 4, knot + 7}, 2.0f, gold);
}

void drawGala(Canvas& c) {
  const Colour background = rgb(0xFBF4E6);
  c.clear(background);
  Rng rng(20250131);

  // A sunburst rising from below the bottom edge, like a stage lit from the front.
  const Point sun{kShownWidth / 2, 548};
  const float sunR = 268;
  c.paint(
      {sun.x - sunR, sun.y - sunR, sun.x + sunR, sun.y + sunR},
      [&](float x, float y) { return std::hypot(x - sun.x, y - sun.y) <= sunR ? 1.0f : 0.0f; },
      [&](float x, float y) {
        const float r = std::hypot(x - sun.x, y - sun.y) / sunR;
        const float a = std::atan2(y - sun.y, x - sun.x);
        const int ray = static_cast<int>(std::floor((a + kPi) / (2 * kPi) * 36));
        const Colour base = (ray % 2 == 0) ? rgb(0xF5D98F) : rgb(0xF9E8BC);
        return mix(rgb(0xFFF6DC), base, 0.35f + 0.65f * r);
      });
  glow(c, {sun.x, 500}, 170, rgb(0xFFFBEF), 0.8f);
  strokePolyline(c, arcPoints(sun, sunR + 7, sunR + 7, kPi + 0.02f, 2 * kPi - 0.02f, 180), 3.0f,
                 rgb(0xD8A437));
  strokePolyline(c, arcPoints(sun, sunR + 16, sunR + 16, kPi + 0.05f, 2 * kPi - 0.05f, 180),
                 1.4f, rgb(0xE7BE5C));
  for (int i = 1; i < 24; ++i) {
    const float a = kPi + kPi * static_cast<float>(i) / 24.0f;
    const Point p{sun.x + (sunR + 7) * std::cos(a), sun.y + (sunR + 7) * std::sin(a)};
    if (p.y > kHeight - 4) continue;
    glow(c, p, 9, rgb(0xFFE08A), 0.6f);
    fillCircle(c, p, 3.2f, rgb(0xFFF3C4));
  }

  // Streamers hanging from the top edge.
  struct Streamer { float x, length, sway; std::uint32_t colour; };
  for (const Streamer& s : {Streamer{300, 120, 9, 0xD7263D}, Streamer{360, 90, 7, 0xE0A92E},
                            Streamer{180, 70, 6, 0xE0A92E}, Streamer{440, 60, 5, 0xD7263D}}) {
    std::vector<Point> pts;
    for (int i = 0; i <= 60; ++i) {
      const float t = static_cast<float>(i) / 60.0f;
      pts.push_back({s.x + s.sway * std::sin(t * 3 * kPi) + 18 * t * t, s.length * t});
    }
    strokePolyline(c, pts, 2.4f, withAlpha(rgb(s.colour), 0.85f));
  }

  confetti(c, rng, 150,
           {rgb(0xD7263D), rgb(0xE0A92E), rgb(0xF28C28), rgb(0xE76F8A), rgb(0xC8902A)}, 1.5f);

  for (int i = 0; i < 26; ++i) {
    const Point p{rng.range(20, kWidth - 20), rng.range(20, 340)};
    sparkle(c, p, rng.range(3.5f, 7.0f), rgb(0xE2B13C));
  }

  struct StarSpot { float x, y, r, turn; };
  for (const StarSpot& s : {StarSpot{452, 168, 17, 0.15f}, StarSpot{96, 200, 13, -0.2f},
                            StarSpot{556, 300, 11, 0.3f}, StarSpot{196, 112, 8, 0.1f},
                            StarSpot{392, 70, 9, -0.25f}, StarSpot{60, 320, 9, 0.2f},
                            StarSpot{262, 218, 6, 0.4f}, StarSpot{540, 400, 7, -0.1f},
                            StarSpot{130, 405, 7, 0.25f}}) {
    goldStar(c, {s.x, s.y}, s.r, s.turn);
  }

  lantern(c, {512, 0}, 44, 30, 25);
  lantern(c, {562, 0}, 18, 20, 17);
}

// Digits for the year, drawn as strokes inside a w x h box.
std::vector<Point> digitStroke(char d, float x, float y, float w, float h) {
  std::vector<Point> pts;
  switch (d) {
    case '0':
      pts = arcPoints({x + w / 2, y + h / 2}, w / 2, h / 2, 0, 2 * kPi, 64);
      break;
    case '2':
      pts = arcPoints({x + w / 2, y + w / 2}, w / 2, w / 2, kPi + 0.45f, 2 * kPi + 0.55f, 40);
      pts.push_back({x, y + h});
      pts.push_back({x + w, y + h});
      break;
    case '7':
      pts = {{x, y}, {x + w, y}, {x + w * 0.3f, y + h}};
      break;
    default:
      break;
  }
  return pts;
}

void firework(Canvas& c, Rng& rng, Point centre, float radius, int rays, const Colour& inner,
              const Colour& outer) {
  glow(c, centre, radius * 0.45f, inner, 0.35f);
  for (int i = 0; i < rays; ++i) {
    const float a = 2 * kPi * (static_cast<float>(i) + rng.range(-0.2f, 0.2f)) / static_cast<float>(rays);
    const float reach = radius * rng.range(0.82f, 1.0f);
    const int dots = 7;
    for (int k = 1; k <= dots; ++k) {
      const float t = static_cast<float>(k) / dots;
      const float r = reach * (0.18f + 0.82f * t);
      // The rays droop a little under gravity towards their ends.
      const Point p{centre.x + r * std::cos(a), centre.y + r * std::sin(a) + 10 * t * t};
      if (inCornerZone(p)) continue;
      fillCircle(c, p, 0.8f + 1.8f * t, mix(inner, outer, t));
    }
    const Point tip{centre.x + reach * 1.08f * std::cos(a),
                    centre.y + reach * 1.08f * std::sin(a) + 11};
    if (!inCornerZone(tip) && i % 2 == 0) sparkle(c, tip, 4.0f, outer);
  }
  fillCircle(c, centre, 3.5f, inner);
}

void drawFireworks(Canvas& c) {
  const Colour background = rgb(0xEEF3FA);
  c.clear(background);
  Rng rng(2027);

  struct Burst { float x, y, r; int rays; std::uint32_t inner, outer; };
  for (const Burst& b : {Burst{138, 150, 88, 30, 0xF6C445, 0xD7263D},
                         Burst{462, 118, 96, 34, 0xFFE08A, 0xE58A1F},
                         Burst{300, 64, 52, 20, 0xF59AC0, 0xC2185B},
                         Burst{540, 290, 52, 22, 0x9BE3D0, 0x12867F},
                         Burst{60, 318, 42, 18, 0xFFC98A, 0xE0662B}}) {
    // A faint trail of the rocket that climbed there.
    std::vector<Point> trail;
    for (int i = 0; i <= 20; ++i) {
      const float t = static_cast<float>(i) / 20.0f;
      trail.push_back({b.x + 14 * std::sin(t * 2.4f), b.y + b.r * 0.3f + (kHeight - b.y) * 0.45f * t});
    }
    for (std::size_t i = 0; i + 1 < trail.size(); i += 2)
      if (!inCornerZone(trail[i + 1]))
        strokeLine(c, trail[i], trail[i + 1], 1.6f, withAlpha(rgb(b.outer), 0.35f));
    firework(c, rng, {b.x, b.y}, b.r, b.rays, rgb(b.inner), rgb(b.outer));
  }

  for (int i = 0; i < 40; ++i) {
    const Point p{rng.range(15, kWidth - 15), rng.range(15, 420)};
    if (inCornerZone(p)) continue;
    if (i % 3 == 0)
      sparkle(c, p, rng.range(3, 6), rgb(0xE2B13C));
    else
      fillCircle(c, p, rng.range(1.2f, 2.2f), withAlpha(rgb(0xE2B13C), 0.8f));
  }

  // The year, gold on a deep red outline.
  const float w = 74, h = 112, gap = 22;
  const float left = (kShownWidth - (4 * w + 3 * gap)) / 2, top = 268;
  const char* year = "2027";
  for (int pass = 0; pass < 3; ++pass) {
    for (int i = 0; i < 4; ++i) {
      const std::vector<Point> pts = digitStroke(year[i], left + i * (w + gap), top, w, h);
      if (pass == 0) strokePolyline(c, pts, 22, rgb(0xA3161C));
      if (pass == 1) strokePolyline(c, pts, 13, rgb(0xF2BE45));
      if (pass == 2) {
        std::vector<Point> shine;
        for (const Point& p : pts) shine.push_back({p.x - 1.5f, p.y - 1.5f});
        strokePolyline(c, shine, 3.5f, withAlpha(rgb(0xFFF1C2), 0.8f));
      }
    }
  }
  const float lineY = top + h + 30;
  strokeLine(c, {left + 10, lineY}, {kShownWidth - left - 10, lineY}, 2.0f, rgb(0xC8902A));
  for (float x : {left, kShownWidth - left})
    fillStar(c, {x, lineY}, 7, 2.2f, 4, 0, rgb(0xC8902A));
  fillStar(c, {kShownWidth / 2, lineY}, 9, 3.8f, 5, 0, rgb(0xD7263D));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s gala|fireworks <out.bmp>\n", argv[0]);
    return 2;
  }
  const std::string style = argv[1];
  Canvas canvas(kWidth, kHeight, kScale);
  if (style == "gala") {
    drawGala(canvas);
  } else if (style == "fireworks") {
    drawFireworks(canvas);
  } else {
    std::fprintf(stderr, "unknown picture style: %s\n", style.c_str());
    return 2;
  }
  return writeFile(argv[2], encodeBmp24(kWidth, kHeight, canvas.rgb8())) ? 0 : 1;
}
