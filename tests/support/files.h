#pragma once
// Files in tests: paths from UTF-8 literals, the bytes of a file, and a fresh temporary
// directory as the current directory, with or without a draw folder in it.
#include "platform/codec.h"
#include "platform/text.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace testkit {

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

// The bytes of a regular file (UTF-8 path, relative to the current directory), or nothing
// when there is no such file. Whatever is not a regular file (a folder, a named pipe) is
// not opened at all, so reading never waits.
inline std::optional<Text> readBytes(std::string_view utf8Path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(u8path(utf8Path), ec)) return std::nullopt;
  std::ifstream f(u8path(utf8Path), std::ios::binary);
  if (!f) return std::nullopt;
  return Text(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Writes `bytes` as the whole file (UTF-8 path); false when that failed.
[[nodiscard]] inline bool writeBytes(std::string_view utf8Path, const Text& bytes) {
  std::ofstream f(u8path(utf8Path), std::ios::binary | std::ios::trunc);
  if (!f) return false;
  f.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(f.flush());
}

// A fresh temporary directory as the current directory for the object's lifetime; the
// previous current directory comes back at the end.
class TempCwd {
 public:
  TempCwd() : previous_(QDir::currentPath()) { ok_ = dir_.isValid() && QDir::setCurrent(dir_.path()); }
  ~TempCwd() { QDir::setCurrent(previous_); }
  TempCwd(const TempCwd&) = delete;
  TempCwd& operator=(const TempCwd&) = delete;

  // Whether the directory was made and became the current one.
  bool ok() const { return ok_; }
  QString path() const { return dir_.path(); }

  // Makes the draw folder "抽奖名单" in the current directory.
  static bool makeDrawFolder() { return QDir().mkdir(QString::fromUtf8("抽奖名单")); }

  // The full path of a relative path (UTF-8, '/'), in the OS's own form, as the GBK bytes
  // an error message carries.
  static Text full(std::string_view utf8) {
    const QString path = QDir::currentPath() + QLatin1Char('/') + QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    return platform::toAnsi(QDir::toNativeSeparators(path));
  }

  // Makes a file read-only the way the OS knows it (no write bits; the read-only attribute).
  static bool makeReadOnly(std::string_view utf8) {
    std::error_code ec;
    std::filesystem::permissions(u8path(utf8),
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove, ec);
    return !ec;
  }

 private:
  QString previous_;
  QTemporaryDir dir_;
  bool ok_ = false;
};

}  // namespace testkit
