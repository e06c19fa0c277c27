#pragma once
// Helpers shared by the data-layer tests: GBK literals, raw file access by native
// (UTF-8) names, a temporary current directory, error capture and a tiny bitmap.
#include "data/errors.h"
#include "platform/codec.h"
#include "platform/text.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testdata {

// GBK bytes of a UTF-8 literal, the way the program spells its own texts.
inline Text A(std::string_view utf8) { return platform::ansi(utf8); }

// Lines (UTF-8 literals) in the file form: GBK, every line ended by CR LF.
inline Text crlf(std::initializer_list<std::string_view> utf8Lines) {
  Text out;
  for (auto l : utf8Lines) out += A(l) + "\r\n";
  return out;
}

// A file-system path from a UTF-8 literal. (A plain narrow string would be read in the
// PC's ANSI code page on Windows, which need not be GBK, let alone UTF-8.)
inline std::filesystem::path u8path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The UTF-8 name of a file-system path.
inline std::string utf8Name(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

// Raw file access by native path (UTF-8, relative to the current directory).
inline void writeBytes(const std::string& nativePath, const Text& bytes) {
  std::ofstream f(u8path(nativePath), std::ios::binary | std::ios::trunc);
  ASSERT_TRUE(f.good()) << "cannot write fixture " << nativePath;
  f.write(bytes.data(), std::streamsize(bytes.size()));
  ASSERT_TRUE(f.good()) << "cannot write fixture " << nativePath;
}

inline std::optional<Text> readBytes(const std::string& nativePath) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(u8path(nativePath), ec)) return std::nullopt;
  std::ifstream f(u8path(nativePath), std::ios::binary);
  if (!f) return std::nullopt;
  return Text(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// File names in a folder, sorted.
inline std::vector<std::string> listDir(const std::string& nativePath) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(u8path(nativePath), ec))
    names.push_back(utf8Name(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

// Makes a fresh temporary directory the current directory for its lifetime.
class TempCwd {
 public:
  TempCwd() {
    previous_ = std::filesystem::current_path();
    if (dir_.isValid()) {
      std::error_code ec;
      std::filesystem::current_path(dir_.path().toStdString(), ec);
      ok_ = !ec;
    }
  }
  ~TempCwd() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
  }
  TempCwd(const TempCwd&) = delete;
  TempCwd& operator=(const TempCwd&) = delete;

  bool ok() const { return ok_; }
  // The full path of a relative path (UTF-8, '/'), in the OS's own form, as the GBK bytes
  // an error message carries.
  static Text full(std::string_view nativeUtf8) {
    const QString path = QDir::currentPath() + QLatin1Char('/') +
                         QString::fromUtf8(nativeUtf8.data(), qsizetype(nativeUtf8.size()));
    return platform::toAnsi(QDir::toNativeSeparators(path));
  }

  // Makes a file read-only the way the OS knows it (no write bits; the read-only attribute).
  static bool makeReadOnly(std::string_view nativeUtf8) {
    std::error_code ec;
    std::filesystem::permissions(u8path(nativeUtf8),
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove, ec);
    return !ec;
  }

 private:
  QTemporaryDir dir_;
  std::filesystem::path previous_;
  bool ok_ = false;
};

// What an operation raised: its kind and message, or nothing.
struct Raised {
  std::string kind;
  Text message;
};

template <class F>
std::optional<Raised> raisedBy(F&& f) {
  try {
    f();
  } catch (const EError& e) {
    return Raised{e.kind(), e.message()};
  }
  return std::nullopt;
}

// Checks an open or create error: the words, the full path in double quotes, a full stop,
// a blank and a non-empty system text that does not end in a blank or a full stop.
inline void expectFileError(const std::optional<Raised>& r, const char* kind, const char* verb,
                            const Text& fullPath) {
  ASSERT_TRUE(r.has_value()) << "expected " << kind;
  EXPECT_EQ(r->kind, kind) << r->message;
  const Text head = Text("Cannot ") + verb + " file \"" + fullPath + "\". ";
  ASSERT_GT(r->message.size(), head.size()) << r->message;
  EXPECT_EQ(r->message.substr(0, head.size()), head);
  const unsigned char last = static_cast<unsigned char>(r->message.back());
  EXPECT_NE(last, '.') << r->message;
  EXPECT_GT(last, 0x20) << r->message;
}

inline void put32(Text& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 0xFF);
}
inline void put16(Text& b, std::uint16_t v) {
  b += char(v & 0xFF);
  b += char(v >> 8);
}

// A valid 2x2 24-bit Windows bitmap, rows bottom-up: top row blue, white; bottom row
// red, green. 70 bytes.
inline Text tinyBmp() {
  Text b = "BM";
  put32(b, 70);  // file size
  put32(b, 0);   // reserved
  put32(b, 54);  // offset of the pixels
  put32(b, 40);  // BITMAPINFOHEADER
  put32(b, 2);   // width
  put32(b, 2);   // height (positive: bottom-up)
  put16(b, 1);   // planes
  put16(b, 24);  // bits per pixel
  put32(b, 0);   // BI_RGB
  put32(b, 16);  // image size
  put32(b, 2835);
  put32(b, 2835);
  put32(b, 0);
  put32(b, 0);
  // Bottom row: red, green (BGR), 2 bytes padding.
  b += Text("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);
  // Top row: blue, white.
  b += Text("\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 8);
  return b;
}

// The start of a JPEG file (SOI, APP0 "JFIF").
inline Text jpegStart() {
  return Text("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xD9", 22);
}

}  // namespace testdata
