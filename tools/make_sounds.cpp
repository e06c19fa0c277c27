// Synthesises the two sounds of a draw.
//
//   make_sounds drum <out.wav>   the drum roll played while names are being drawn
//   make_sounds gong <out.wav>   the gong struck when a draw stops
//
// Both are 3 s of 16-bit stereo PCM at 44100 Hz. The random source is seeded, so every
// build writes the same bytes.
#include "canvas.h"  // art::Rng

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

struct Stereo {
  std::vector<double> left, right;
  explicit Stereo(double seconds)
      : left(static_cast<std::size_t>(seconds * kRate), 0.0),
        right(static_cast<std::size_t>(seconds * kRate), 0.0) {}
  std::size_t size() const { return left.size(); }
};

// A second-order filter after the well-known audio-EQ cookbook formulas.
class Biquad {
 public:
  enum Kind { LowPass, HighPass, BandPass };
  Biquad(Kind kind, double freq, double q) {
    const double w = 2 * kPi * freq / kRate, cw = std::cos(w), alpha = std::sin(w) / (2 * q);
    double b0 = 0, b1 = 0, b2 = 0;
    switch (kind) {
      case LowPass: b0 = (1 - cw) / 2; b1 = 1 - cw; b2 = (1 - cw) / 2; break;
      case HighPass: b0 = (1 + cw) / 2; b1 = -(1 + cw); b2 = (1 + cw) / 2; break;
      case BandPass: b0 = alpha; b1 = 0; b2 = -alpha; break;
    }
    const double a0 = 1 + alpha;
    b0_ = b0 / a0; b1_ = b1 / a0; b2_ = b2 / a0;
    a1_ = -2 * cw / a0; a2_ = (1 - alpha) / a0;
  }
  double operator()(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_; x1_ = x; y2_ = y1_; y1_ = y;
    return y;
  }
  void run(std::vector<double>& v) {
    for (double& s : v) s = (*this)(s);
  }

 private:
  double b0_, b1_, b2_, a1_, a2_;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

double white(art::Rng& rng) { return 2.0 * rng.uniform() - 1.0; }

// A small room: a few feedback combs and all-passes, mixed in lightly.
void addRoom(std::vector<double>& v, double mix, double feedback, int offset) {
  const int combs[4] = {1116 + offset, 1188 + offset, 1277 + offset, 1356 + offset};
  const int passes[2] = {556 + offset, 441 + offset};
  std::vector<double> wet(v.size(), 0.0);
  for (int d : combs) {
    std::vector<double> buf(static_cast<std::size_t>(d), 0.0);
    std::size_t i = 0;
    double damp = 0;
    for (std::size_t n = 0; n < v.size(); ++n) {
      const double out = buf[i];
      damp = out * 0.6 + damp * 0.4;  // darker with every pass
      buf[i] = v[n] + damp * feedback;
      wet[n] += out * 0.25;
      i = (i + 1) % buf.size();
    }
  }
  for (int d : passes) {
    std::vector<double> buf(static_cast<std::size_t>(d), 0.0);
    std::size_t i = 0;
    for (double& s : wet) {
      const double delayed = buf[i];
      const double out = -0.5 * s + delayed;
      buf[i] = s + 0.5 * out;
      s = out;
      i = (i + 1) % buf.size();
    }
  }
  for (std::size_t n = 0; n < v.size(); ++n) v[n] += wet[n] * mix;
}

void fadeEnds(Stereo& s, double inSeconds, double outSeconds) {
  const std::size_t in = static_cast<std::size_t>(inSeconds * kRate);
  const std::size_t out = static_cast<std::size_t>(outSeconds * kRate);
  for (std::size_t n = 0; n < s.size(); ++n) {
    double g = 1.0;
    if (n < in) g = 0.5 - 0.5 * std::cos(kPi * static_cast<double>(n) / in);
    const std::size_t left = s.size() - 1 - n;
    if (left < out) g *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(left) / out);
    s.left[n] *= g;
    s.right[n] *= g;
  }
}

void normalise(Stereo& s, double peak) {
  double m = 1e-9;
  for (std::size_t n = 0; n < s.size(); ++n)
    m = std::max({m, std::abs(s.left[n]), std::abs(s.right[n])});
  for (std::size_t n = 0; n < s.size(); ++n) {
    s.left[n] *= peak / m;
    s.right[n] *= peak / m;
  }
}

// ---- Drum roll -----------------------------------------------------------------------
//
// Alternating snare strokes, 18 a second, swelling from a murmur to full strength, with
// a low tom under every ninth stroke. Each stroke is a pitched drum head, a burst of the
// snare wires and the click of the stick.

Stereo drumRoll() {
  const double length = 3.0;
  Stereo out(length);
  art::Rng rng(1811);
  std::vector<double> wiresL(out.size(), 0.0), wiresR(out.size(), 0.0);
  std::vector<double> click(out.size(), 0.0);
  std::vector<double> heads(out.size(), 0.0), toms(out.size(), 0.0);
  std::vector<double> panOfHead(out.size(), 0.5);

  const double rate = 18.0;
  for (int k = 0;; ++k) {
    const double start = k / rate + 0.002 * white(rng) + 0.004;
    if (start > length - 0.06) break;
    const double swell = std::pow(start / length, 1.3);
    const double v = (0.5 + 0.5 * swell) * (k % 2 == 0 ? 1.0 : 0.84) * (1.0 + 0.06 * white(rng));
    const double pan = k % 2 == 0 ? 0.4 : 0.6;
    const std::size_t n0 = static_cast<std::size_t>(start * kRate);
    const double headPitch = 200.0 * (1.0 + 0.02 * white(rng));
    double phase = 0, phase2 = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(0.3 * kRate) && n0 + i < out.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double f = headPitch * (1.0 + 0.25 * std::exp(-t / 0.012));
      phase += 2 * kPi * f / kRate;
      phase2 += 2 * kPi * f * 1.68 / kRate;
      const double head = v * (0.55 * std::sin(phase) * std::exp(-t / 0.05) +
                               0.22 * std::sin(phase2) * std::exp(-t / 0.03));
      heads[n0 + i] += head;
      panOfHead[n0 + i] = pan;
      const double wire = v * std::exp(-t / 0.075) * white(rng);
      wiresL[n0 + i] += wire * (1.0 - pan) * 2;
      wiresR[n0 + i] += wire * pan * 2;
      click[n0 + i] += v * 0.8 * std::exp(-t / 0.0015) * white(rng);
    }
    if (k % 9 == 0) {
      double tp = 0;
      const double tv = 0.35 + 0.55 * swell;
      for (std::size_t i = 0; i < static_cast<std::size_t>(0.5 * kRate) && n0 + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        tp += 2 * kPi * 98.0 * (1.0 + 0.3 * std::exp(-t / 0.02)) / kRate;
        toms[n0 + i] += tv * std::sin(tp) * std::exp(-t / 0.2) * std::min(1.0, t / 0.002);
      }
    }
  }

  Biquad wireBandL(Biquad::BandPass, 4200, 0.6), wireBandR(Biquad::BandPass, 4200, 0.6);
  Biquad wireHighL(Biquad::HighPass, 1500, 0.7), wireHighR(Biquad::HighPass, 1500, 0.7);
  wireBandL.run(wiresL);
  wireHighL.run(wiresL);
  wireBandR.run(wiresR);
  wireHighR.run(wiresR);
  Biquad wireLowL(Biquad::LowPass, 9000, 0.7), wireLowR(Biquad::LowPass, 9000, 0.7);
  wireLowL.run(wiresL);
  wireLowR.run(wiresR);
  Biquad clickHigh(Biquad::HighPass, 3500, 0.7), clickLow(Biquad::LowPass, 8000, 0.7);
  clickHigh.run(click);
  clickLow.run(click);

  for (std::size_t n = 0; n < out.size(); ++n) {
    const double p = panOfHead[n];
    out.left[n] = heads[n] * (1.0 - p) * 2 + 1.1 * wiresL[n] + 0.5 * click[n] + toms[n];
    out.right[n] = heads[n] * p * 2 + 1.1 * wiresR[n] + 0.5 * click[n] + toms[n];
  }
  addRoom(out.left, 0.18, 0.7, 0);
  addRoom(out.right, 0.18, 0.7, 23);
  fadeEnds(out, 0.003, 0.04);
  normalise(out, 0.89);
  return out;
}

// ---- Gong ----------------------------------------------------------------------------
//
// A struck gong: inharmonic partials over a low fundamental, each a pair of slightly
// detuned sines that beat slowly. A padded mallet gives a soft attack; the upper partials
// bloom a little after the strike and die sooner than the low ones.

Stereo gong() {
  const double length = 3.0;
  Stereo out(length);
  art::Rng rng(4186);

  struct Partial { double ratio, amp, decay, bloom; };
  const Partial partials[] = {
      {1.00, 1.00, 2.8, 0.0},   {1.52, 0.70, 2.3, 0.0},   {2.03, 0.55, 1.9, 0.02},
      {2.43, 0.50, 1.7, 0.05},  {2.81, 0.45, 1.5, 0.08},  {3.36, 0.40, 1.3, 0.12},
      {3.97, 0.34, 1.1, 0.15},  {4.62, 0.30, 0.95, 0.18}, {5.31, 0.26, 0.85, 0.2},
      {6.08, 0.22, 0.75, 0.22}, {7.23, 0.17, 0.65, 0.25}, {8.55, 0.13, 0.55, 0.25},
      {9.90, 0.10, 0.45, 0.3},  {11.6, 0.07, 0.4, 0.3},
  };
  const double f0 = 118.0;
  const double attack = 0.012;

  for (int ch = 0; ch < 2; ++ch) {
    std::vector<double>& v = ch == 0 ? out.left : out.right;
    for (const Partial& p : partials) {
      // Unequal pairs, so the beating ripples instead of cancelling out.
      for (const auto& [detune, share] : {std::pair{-0.0016, 0.68}, std::pair{0.0016, 0.32}}) {
        const double f = f0 * p.ratio * (1.0 + detune * (1.0 + 0.3 * white(rng)));
        const double phase0 = 2 * kPi * rng.uniform();
        for (std::size_t n = 0; n < v.size(); ++n) {
          const double t = static_cast<double>(n) / kRate;
          double env = (1.0 - std::exp(-t / attack)) * std::exp(-t / p.decay);
          if (p.bloom > 0) env *= 0.35 + 0.65 * (1.0 - std::exp(-t / p.bloom));
          v[n] += share * p.amp * env * std::sin(2 * kPi * f * t + phase0);
        }
      }
    }
    // The mallet's thump.
    for (std::size_t n = 0; n < v.size(); ++n) {
      const double t = static_cast<double>(n) / kRate;
      v[n] += 0.5 * std::sin(2 * kPi * 59.0 * t) * (1.0 - std::exp(-t / 0.004)) * std::exp(-t / 0.12);
    }
    // A breath of shimmering noise that swells and fades.
    std::vector<double> hiss(v.size());
    for (std::size_t n = 0; n < v.size(); ++n) {
      const double t = static_cast<double>(n) / kRate;
      hiss[n] = white(rng) * (1.0 - std::exp(-t / 0.15)) * std::exp(-t / 0.7);
    }
    Biquad band(Biquad::BandPass, 2400, 0.9);
    band.run(hiss);
    for (std::size_t n = 0; n < v.size(); ++n) v[n] += 0.35 * hiss[n];
    addRoom(v, 0.12, 0.75, ch * 23);
  }
  fadeEnds(out, 0.002, 0.35);
  normalise(out, 0.89);
  return out;
}

// ---- WAV file ------------------------------------------------------------------------

void put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

bool writeWav(const std::string& path, const Stereo& s) {
  const std::uint32_t channels = 2, bits = 16;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(s.size()) * channels * bits / 8;
  std::vector<std::uint8_t> b;
  b.reserve(44 + dataBytes);
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  put32(b, 36 + dataBytes);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(b, 16);
  put16(b, 1);  // PCM
  put16(b, channels);
  put32(b, kRate);
  put32(b, kRate * channels * bits / 8);
  put16(b, channels * bits / 8);
  put16(b, bits);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  put32(b, dataBytes);
  for (std::size_t n = 0; n < s.size(); ++n) {
    for (double x : {s.left[n], s.right[n]}) {
      const long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
      put16(b, static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))));
    }
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
  if (std::fclose(f) != 0 || !ok) {
    std::fprintf(stderr, "%s: write failed\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s drum|gong <out.wav>\n", argv[0]);
    return 2;
  }
  const std::string which = argv[1];
  if (which == "drum") return writeWav(argv[2], drumRoll()) ? 0 : 1;
  if (which == "gong") return writeWav(argv[2], gong()) ? 0 : 1;
  std::fprintf(stderr, "unknown sound: %s\n", which.c_str());
  return 2;
}
