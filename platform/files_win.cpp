// Whole-file reads and atomic writes on Windows.
#include "platform/files.h"

#include "platform/codec.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

namespace platform {

FileResult readWholeFile(const Text& ansiPath, Text& out) {
  QFile f(nativePath(ansiPath));
  if (!f.open(QIODevice::ReadOnly)) return {FileResult::OpenFailed, toAnsi(f.errorString())};
  QByteArray all = f.readAll();
  if (f.error() != QFileDevice::NoError) return {FileResult::ShortRead, toAnsi(f.errorString())};
  out.assign(all.constData(), size_t(all.size()));
  return {};
}

FileResult writeWholeFileAtomic(const Text& ansiPath, const Text& bytes) {
  QSaveFile f(nativePath(ansiPath));
  if (!f.open(QIODevice::WriteOnly)) return {FileResult::CreateFailed, toAnsi(f.errorString())};
  if (f.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
    f.cancelWriting();
    return {FileResult::ShortWrite, toAnsi(f.errorString())};
  }
  if (!f.commit()) return {FileResult::CreateFailed, toAnsi(f.errorString())};
  return {};
}

}  // namespace platform
