#pragma once
// Helpers shared by the data-layer tests beyond the test kit (tests/support): fixture
// files written by native (UTF-8) names, folder listings, error capture and a tiny bitmap.
#include "support/files.h"
#include "support/gbk.h"

#include "data/errors.h"
#include "platform/codec.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testdata {

using testkit::A;
using testkit::crlf;
using testkit::readBytes;
using testkit::TempCwd;
using testkit::u8path;
using testkit::utf8Name;

// A test in a fresh temporary current directory that holds an empty draw folder.
class InDrawFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cwd_.ok());
    ASSERT_TRUE(TempCwd::makeDrawFolder());
  }
  TempCwd cwd_;
};

// Writes a fixture file by native path (UTF-8, relative to the current directory).
inline void writeBytes(const std::string& nativePath, const Text& bytes) {
  ASSERT_TRUE(testkit::writeBytes(nativePath, bytes)) << "cannot write fixture " << nativePath;
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
