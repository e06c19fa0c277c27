// GB18030 on top of the system's GBK converter: one- and two-byte characters are GBK's,
// with the few two-byte codes that GBK gives to private-use characters read as the
// characters GB18030 gives them (FE9F is 䶮); every other character is four bytes, by the
// standard's ranges for the Basic Multilingual Plane and by arithmetic beyond it. Built
// here once rather than taken from the OS, so that Linux and Windows give the same bytes
// (Wine has no code page 54936) and every byte GBK gave stays as it was.
#include "platform/codec.h"

#include "platform/characters.h"
#include "platform/codec_os.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace platform {
namespace {

// Two-byte codes that GBK decodes to a private-use character and GB18030 to a character
// of its own: { GB18030's character, GBK's private-use one, the code }.
struct TwoByteOwn {
  char16_t character;
  char16_t privateUse;
  std::uint16_t code;
};
constexpr TwoByteOwn kTwoByteOwn[] = {
    {0x20AC, 0xE76C, 0xA2E3}, {0x1E3F, 0xE7C7, 0xA8BC}, {0x01F9, 0xE7C8, 0xA8BF},
    {0x303E, 0xE7E7, 0xA989}, {0x2FF0, 0xE7E8, 0xA98A}, {0x2FF1, 0xE7E9, 0xA98B},
    {0x2FF2, 0xE7EA, 0xA98C}, {0x2FF3, 0xE7EB, 0xA98D}, {0x2FF4, 0xE7EC, 0xA98E},
    {0x2FF5, 0xE7ED, 0xA98F}, {0x2FF6, 0xE7EE, 0xA990}, {0x2FF7, 0xE7EF, 0xA991},
    {0x2FF8, 0xE7F0, 0xA992}, {0x2FF9, 0xE7F1, 0xA993}, {0x2FFA, 0xE7F2, 0xA994},
    {0x2FFB, 0xE7F3, 0xA995}, {0x2E81, 0xE815, 0xFE50}, {0x2E84, 0xE819, 0xFE54},
    {0x3473, 0xE81A, 0xFE55}, {0x3447, 0xE81B, 0xFE56}, {0x2E88, 0xE81C, 0xFE57},
    {0x2E8B, 0xE81D, 0xFE58}, {0x359E, 0xE81F, 0xFE5A}, {0x361A, 0xE820, 0xFE5B},
    {0x360E, 0xE821, 0xFE5C}, {0x2E8C, 0xE822, 0xFE5D}, {0x2E97, 0xE823, 0xFE5E},
    {0x396E, 0xE824, 0xFE5F}, {0x3918, 0xE825, 0xFE60}, {0x39CF, 0xE827, 0xFE62},
    {0x39DF, 0xE828, 0xFE63}, {0x3A73, 0xE829, 0xFE64}, {0x39D0, 0xE82A, 0xFE65},
    {0x3B4E, 0xE82D, 0xFE68}, {0x3C6E, 0xE82E, 0xFE69}, {0x3CE0, 0xE82F, 0xFE6A},
    {0x2EA7, 0xE830, 0xFE6B}, {0x2EAA, 0xE833, 0xFE6E}, {0x4056, 0xE834, 0xFE6F},
    {0x415F, 0xE835, 0xFE70}, {0x2EAE, 0xE836, 0xFE71}, {0x4337, 0xE837, 0xFE72},
    {0x2EB3, 0xE838, 0xFE73}, {0x2EB6, 0xE839, 0xFE74}, {0x2EB7, 0xE83A, 0xFE75},
    {0x43B1, 0xE83C, 0xFE77}, {0x43AC, 0xE83D, 0xFE78}, {0x2EBB, 0xE83E, 0xFE79},
    {0x43DD, 0xE83F, 0xFE7A}, {0x44D6, 0xE840, 0xFE7B}, {0x4661, 0xE841, 0xFE7C},
    {0x464C, 0xE842, 0xFE7D}, {0x4723, 0xE844, 0xFE80}, {0x4729, 0xE845, 0xFE81},
    {0x477C, 0xE846, 0xFE82}, {0x478D, 0xE847, 0xFE83}, {0x2ECA, 0xE848, 0xFE84},
    {0x4947, 0xE849, 0xFE85}, {0x497A, 0xE84A, 0xFE86}, {0x497D, 0xE84B, 0xFE87},
    {0x4982, 0xE84C, 0xFE88}, {0x4983, 0xE84D, 0xFE89}, {0x4985, 0xE84E, 0xFE8A},
    {0x4986, 0xE84F, 0xFE8B}, {0x499F, 0xE850, 0xFE8C}, {0x499B, 0xE851, 0xFE8D},
    {0x49B7, 0xE852, 0xFE8E}, {0x49B6, 0xE853, 0xFE8F}, {0x4CA3, 0xE856, 0xFE92},
    {0x4C9F, 0xE857, 0xFE93}, {0x4CA0, 0xE858, 0xFE94}, {0x4CA1, 0xE859, 0xFE95},
    {0x4C77, 0xE85A, 0xFE96}, {0x4CA2, 0xE85B, 0xFE97}, {0x4D13, 0xE85C, 0xFE98},
    {0x4D14, 0xE85D, 0xFE99}, {0x4D15, 0xE85E, 0xFE9A}, {0x4D16, 0xE85F, 0xFE9B},
    {0x4D17, 0xE860, 0xFE9C}, {0x4D18, 0xE861, 0xFE9D}, {0x4D19, 0xE862, 0xFE9E},
    {0x4DAE, 0xE863, 0xFE9F}, 
};

// The characters of the Basic Multilingual Plane that take four bytes, in runs: `count`
// characters from `first` have the linear four-byte numbers from `linear` on.
struct FourByteRun {
  char16_t first;
  std::uint16_t linear;
  std::uint16_t count;
};
constexpr FourByteRun kFourByteRuns[] = {
    {0x0080, 0, 36},
    {0x00A5, 36, 2},
    {0x00A9, 38, 7},
    {0x00B2, 45, 5},
    {0x00B8, 50, 31},
    {0x00D8, 81, 8},
    {0x00E2, 89, 6},
    {0x00EB, 95, 1},
    {0x00EE, 96, 4},
    {0x00F4, 100, 3},
    {0x00F8, 103, 1},
    {0x00FB, 104, 1},
    {0x00FD, 105, 4},
    {0x0102, 109, 17},
    {0x0114, 126, 7},
    {0x011C, 133, 15},
    {0x012C, 148, 24},
    {0x0145, 172, 3},
    {0x0149, 175, 4},
    {0x014E, 179, 29},
    {0x016C, 208, 98},
    {0x01CF, 306, 1},
    {0x01D1, 307, 1},
    {0x01D3, 308, 1},
    {0x01D5, 309, 1},
    {0x01D7, 310, 1},
    {0x01D9, 311, 1},
    {0x01DB, 312, 1},
    {0x01DD, 313, 28},
    {0x01FA, 341, 87},
    {0x0252, 428, 15},
    {0x0262, 443, 101},
    {0x02C8, 544, 1},
    {0x02CC, 545, 13},
    {0x02DA, 558, 183},
    {0x03A2, 741, 1},
    {0x03AA, 742, 7},
    {0x03C2, 749, 1},
    {0x03CA, 750, 55},
    {0x0402, 805, 14},
    {0x0450, 819, 1},
    {0x0452, 820, 7102},
    {0x2011, 7922, 2},
    {0x2017, 7924, 1},
    {0x201A, 7925, 2},
    {0x201E, 7927, 7},
    {0x2027, 7934, 9},
    {0x2031, 7943, 1},
    {0x2034, 7944, 1},
    {0x2036, 7945, 5},
    {0x203C, 7950, 112},
    {0x20AD, 8062, 86},
    {0x2104, 8148, 1},
    {0x2106, 8149, 3},
    {0x210A, 8152, 12},
    {0x2117, 8164, 10},
    {0x2122, 8174, 62},
    {0x216C, 8236, 4},
    {0x217A, 8240, 22},
    {0x2194, 8262, 2},
    {0x219A, 8264, 110},
    {0x2209, 8374, 6},
    {0x2210, 8380, 1},
    {0x2212, 8381, 3},
    {0x2216, 8384, 4},
    {0x221B, 8388, 2},
    {0x2221, 8390, 2},
    {0x2224, 8392, 1},
    {0x2226, 8393, 1},
    {0x222C, 8394, 2},
    {0x222F, 8396, 5},
    {0x2238, 8401, 5},
    {0x223E, 8406, 10},
    {0x2249, 8416, 3},
    {0x224D, 8419, 5},
    {0x2253, 8424, 13},
    {0x2262, 8437, 2},
    {0x2268, 8439, 6},
    {0x2270, 8445, 37},
    {0x2296, 8482, 3},
    {0x229A, 8485, 11},
    {0x22A6, 8496, 25},
    {0x22C0, 8521, 82},
    {0x2313, 8603, 333},
    {0x246A, 8936, 10},
    {0x249C, 8946, 100},
    {0x254C, 9046, 4},
    {0x2574, 9050, 13},
    {0x2590, 9063, 3},
    {0x2596, 9066, 10},
    {0x25A2, 9076, 16},
    {0x25B4, 9092, 8},
    {0x25BE, 9100, 8},
    {0x25C8, 9108, 3},
    {0x25CC, 9111, 2},
    {0x25D0, 9113, 18},
    {0x25E6, 9131, 31},
    {0x2607, 9162, 2},
    {0x260A, 9164, 54},
    {0x2641, 9218, 1},
    {0x2643, 9219, 2110},
    {0x2E82, 11329, 2},
    {0x2E85, 11331, 3},
    {0x2E89, 11334, 2},
    {0x2E8D, 11336, 10},
    {0x2E98, 11346, 15},
    {0x2EA8, 11361, 2},
    {0x2EAB, 11363, 3},
    {0x2EAF, 11366, 4},
    {0x2EB4, 11370, 2},
    {0x2EB8, 11372, 3},
    {0x2EBC, 11375, 14},
    {0x2ECB, 11389, 293},
    {0x2FFC, 11682, 4},
    {0x3004, 11686, 1},
    {0x3018, 11687, 5},
    {0x301F, 11692, 2},
    {0x302A, 11694, 20},
    {0x303F, 11714, 2},
    {0x3094, 11716, 7},
    {0x309F, 11723, 2},
    {0x30F7, 11725, 5},
    {0x30FF, 11730, 6},
    {0x312A, 11736, 246},
    {0x322A, 11982, 7},
    {0x3232, 11989, 113},
    {0x32A4, 12102, 234},
    {0x3390, 12336, 12},
    {0x339F, 12348, 2},
    {0x33A2, 12350, 34},
    {0x33C5, 12384, 9},
    {0x33CF, 12393, 2},
    {0x33D3, 12395, 2},
    {0x33D6, 12397, 113},
    {0x3448, 12510, 43},
    {0x3474, 12553, 298},
    {0x359F, 12851, 111},
    {0x360F, 12962, 11},
    {0x361B, 12973, 765},
    {0x3919, 13738, 85},
    {0x396F, 13823, 96},
    {0x39D1, 13919, 14},
    {0x39E0, 13933, 147},
    {0x3A74, 14080, 218},
    {0x3B4F, 14298, 287},
    {0x3C6F, 14585, 113},
    {0x3CE1, 14698, 885},
    {0x4057, 15583, 264},
    {0x4160, 15847, 471},
    {0x4338, 16318, 116},
    {0x43AD, 16434, 4},
    {0x43B2, 16438, 43},
    {0x43DE, 16481, 248},
    {0x44D7, 16729, 373},
    {0x464D, 17102, 20},
    {0x4662, 17122, 193},
    {0x4724, 17315, 5},
    {0x472A, 17320, 82},
    {0x477D, 17402, 16},
    {0x478E, 17418, 441},
    {0x4948, 17859, 50},
    {0x497B, 17909, 2},
    {0x497E, 17911, 4},
    {0x4984, 17915, 1},
    {0x4987, 17916, 20},
    {0x499C, 17936, 3},
    {0x49A0, 17939, 22},
    {0x49B8, 17961, 703},
    {0x4C78, 18664, 39},
    {0x4CA4, 18703, 111},
    {0x4D1A, 18814, 148},
    {0x4DAF, 18962, 81},
    {0x9FA6, 19043, 14426},
    {0xE76C, 33469, 1},
    {0xE7C8, 33470, 1},
    {0xE7E7, 33471, 13},
    {0xE815, 33484, 1},
    {0xE819, 33485, 5},
    {0xE81F, 33490, 7},
    {0xE827, 33497, 4},
    {0xE82D, 33501, 4},
    {0xE833, 33505, 8},
    {0xE83C, 33513, 7},
    {0xE844, 33520, 16},
    {0xE856, 33536, 14},
    {0xE865, 33550, 4295},
    {0xF92D, 37845, 76},
    {0xF97A, 37921, 27},
    {0xF996, 37948, 81},
    {0xF9E8, 38029, 9},
    {0xF9F2, 38038, 26},
    {0xFA10, 38064, 1},
    {0xFA12, 38065, 1},
    {0xFA15, 38066, 3},
    {0xFA19, 38069, 6},
    {0xFA22, 38075, 1},
    {0xFA25, 38076, 2},
    {0xFA2A, 38078, 1030},
    {0xFE32, 39108, 1},
    {0xFE45, 39109, 4},
    {0xFE53, 39113, 1},
    {0xFE58, 39114, 1},
    {0xFE67, 39115, 1},
    {0xFE6C, 39116, 149},
    {0xFF5F, 39265, 129},
    {0xFFE6, 39394, 26},
};
// Linear numbers from this one on stand for U+10000 and above (first byte 0x90).
constexpr std::uint32_t kSupplementaryLinear = 189000;
constexpr std::uint32_t kLastLinear = kSupplementaryLinear + 0x10FFFF - 0x10000;

std::uint32_t linearOf(const unsigned char* b) {
  return (((b[0] - 0x81u) * 10 + (b[1] - 0x30u)) * 126 + (b[2] - 0x81u)) * 10 + (b[3] - 0x30u);
}

Text fourBytes(std::uint32_t linear) {
  Text out(4, '\0');
  out[3] = char(0x30 + linear % 10);
  linear /= 10;
  out[2] = char(0x81 + linear % 126);
  linear /= 126;
  out[1] = char(0x30 + linear % 10);
  out[0] = char(0x81 + linear / 10);
  return out;
}

// The code point of a well-formed character of four bytes; -1 when it stands for none.
std::int32_t decodeFour(std::string_view bytes) {
  const std::uint32_t linear = linearOf(reinterpret_cast<const unsigned char*>(bytes.data()));
  if (linear >= kSupplementaryLinear)
    return linear <= kLastLinear ? std::int32_t(0x10000 + linear - kSupplementaryLinear) : -1;
  auto run = std::upper_bound(std::begin(kFourByteRuns), std::end(kFourByteRuns), linear,
                              [](std::uint32_t l, const FourByteRun& r) { return l < r.linear; });
  if (run == std::begin(kFourByteRuns)) return -1;
  --run;
  if (linear >= std::uint32_t(run->linear) + run->count) return -1;
  return std::int32_t(run->first + (linear - run->linear));
}

// The four bytes of a code point that has no one- or two-byte form; empty for a lone
// surrogate.
Text encodeFour(char32_t cp) {
  if (cp >= 0x10000) return fourBytes(kSupplementaryLinear + (cp - 0x10000));
  for (const FourByteRun& r : kFourByteRuns)
    if (cp >= r.first && cp < char32_t(r.first) + r.count) return fourBytes(r.linear + (cp - r.first));
  return {};
}

const TwoByteOwn* ownOfCode(std::uint16_t code) {
  for (const TwoByteOwn& t : kTwoByteOwn)
    if (t.code == code) return &t;
  return nullptr;
}

// GBK's private-use characters of kTwoByteOwn become GB18030's own.
void replacePrivateUse(QString& text) {
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    if (u < kTwoByteOwn[0].privateUse || u > std::end(kTwoByteOwn)[-1].privateUse) continue;
    for (const TwoByteOwn& t : kTwoByteOwn)
      if (t.privateUse == u) c = QChar(t.character);
  }
}

// Every character is well-formed and none takes four bytes: the GBK converter reads the
// whole text at once.
bool allGbkShaped(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const size_t len = charLength(bytes, i, Pairing::WellFormed);
    if (len == 4 || (len == 1 && static_cast<unsigned char>(bytes[i]) >= 0x80)) return false;
    i += len;
  }
  return true;
}

// One character of a text that is not GBK as a whole; U+FFFD when it is bad.
void appendOne(QString& out, std::string_view piece) {
  const auto* b = reinterpret_cast<const unsigned char*>(piece.data());
  if (piece.size() == 1) {
    out += b[0] < 0x80 ? QChar(b[0]) : b[0] == 0x80 ? QChar(0x20AC) : QChar(QChar::ReplacementCharacter);
    return;
  }
  if (piece.size() == 4) {
    const std::int32_t cp = decodeFour(piece);
    if (cp < 0)
      out += QChar(QChar::ReplacementCharacter);
    else
      out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1);
    return;
  }
  if (const TwoByteOwn* own = ownOfCode(std::uint16_t(b[0] << 8 | b[1]))) {
    out += QChar(own->character);
    return;
  }
  QString one;
  out += os::decodeGbk(piece, one) ? one : QString(QChar(QChar::ReplacementCharacter));
}

// Whether GBK bytes are GB18030's too: all but ICU's single byte FF (for U+F8F5), which
// Windows does not have either.
bool isGbkCode(const Text& gbk) { return gbk.find('\xFF') == Text::npos; }

// The bytes of one character (one or two UTF-16 units) that the whole text's GBK bytes
// did not give back.
Text encodeOne(const QString& one, char32_t cp) {
  if (cp < 0x80) return Text(1, char(cp));
  const Text gbk = os::encodeGbk(one);
  QString back;
  if (isGbkCode(gbk) && os::decodeGbk(gbk, back) && back == one) return gbk;
  for (const TwoByteOwn& t : kTwoByteOwn)
    if (t.character == cp) return Text{char(t.code >> 8), char(t.code & 0xFF)};
  const Text four = encodeFour(cp);
  return four.empty() ? Text("?") : four;
}

}  // namespace

bool codecAvailable() { return os::gbkAvailable(); }

QString fromAnsi(const Text& bytes) {
  if (bytes.empty()) return {};
  QString out;
  if (allGbkShaped(bytes) && os::decodeGbk(bytes, out)) {
    replacePrivateUse(out);
    return out;
  }
  // Character by character: a lead byte whose next bytes cannot follow it is bad alone,
  // and the next byte is read afresh; a well-formed character that names none is one bad
  // piece.
  out.clear();
  out.reserve(qsizetype(bytes.size()));
  const std::string_view all(bytes);
  for (size_t i = 0; i < all.size();) {
    const size_t len = charLength(all, i, Pairing::WellFormed);
    appendOne(out, all.substr(i, len));
    i += len;
  }
  return out;
}

Text toAnsi(const QString& text) {
  if (text.isEmpty()) return {};
  // The GBK converter takes the text in pieces of a line's length, and only a piece that
  // does not come back unchanged goes character by character.
  constexpr qsizetype kPiece = 64;
  Text out;
  for (qsizetype from = 0; from < text.size();) {
    qsizetype to = std::min(text.size(), from + kPiece);
    if (to < text.size() && text.at(to - 1).isHighSurrogate()) ++to;
    const QString piece = text.sliced(from, to - from);
    from = to;
    const Text whole = os::encodeGbk(piece);
    QString back;
    if (isGbkCode(whole) && os::decodeGbk(whole, back) && back == piece) {
      out += whole;
      continue;
    }
    for (qsizetype i = 0; i < piece.size();) {
      const QChar c = piece.at(i);
      const bool pair = c.isHighSurrogate() && i + 1 < piece.size() && piece.at(i + 1).isLowSurrogate();
      const char32_t cp = pair ? QChar::surrogateToUcs4(c, piece.at(i + 1)) : c.unicode();
      out += encodeOne(piece.sliced(i, pair ? 2 : 1), cp);
      i += pair ? 2 : 1;
    }
  }
  return out;
}

}  // namespace platform
