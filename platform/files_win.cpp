// Whole-file reads and atomic writes with the Windows file calls. Paths go to the wide
// (UTF-16) calls, so a GBK name works whatever the PC's own ANSI code page is.
#include "platform/files.h"

#include "platform/codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QString>

#include <windows.h>

namespace platform {
namespace {

std::wstring widePath(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

// The system's text for a GetLastError() code, in the form of systemTextOf().
Text windowsErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  QString message;
  if (n > 0 && buffer) message = QString::fromWCharArray(buffer, int(n));
  if (buffer) LocalFree(buffer);
  if (message.trimmed().isEmpty())
    message = QCoreApplication::translate("Files", "System error %1").arg(code);
  return systemTextOf(message);
}

QString randomTag() {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  QString tag;
  for (int i = 0; i < 6; ++i) tag += QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]);
  return tag;
}

FileResult failure(FileResult::Status status, DWORD code) { return {status, windowsErrorText(code)}; }

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool close() {
    if (!valid()) return true;
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

bool writeAll(HANDLE h, const char* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : DWORD(size);
    DWORD written = 0;
    if (!WriteFile(h, data, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

// In place, for a file that cannot be replaced by another one though it may be written: a
// folder that lets its files be changed but takes no new one, or a viewer or virus scanner
// that has the file open and shares writing but not renaming. The room for the new content
// is taken before a byte changes, so a full disk leaves the old file as it was; a crash in
// the middle of the write can still leave it mixed.
FileResult writeInPlace(const std::wstring& target, const Text& bytes) {
  Handle f(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.valid()) return failure(FileResult::CreateFailed, GetLastError());
  LARGE_INTEGER oldSize{};
  if (!GetFileSizeEx(f.get(), &oldSize)) return failure(FileResult::ShortWrite, GetLastError());
  LARGE_INTEGER newSize{};
  newSize.QuadPart = LONGLONG(bytes.size());
  if (newSize.QuadPart > oldSize.QuadPart) {
    FILE_ALLOCATION_INFO room{};
    room.AllocationSize = newSize;
    if (!SetFileInformationByHandle(f.get(), FileAllocationInfo, &room, sizeof room))
      return failure(FileResult::ShortWrite, GetLastError());
  }
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(f.get(), start, nullptr, FILE_BEGIN))
    return failure(FileResult::ShortWrite, GetLastError());
  if (!writeAll(f.get(), bytes.data(), bytes.size())) return failure(FileResult::ShortWrite, GetLastError());
  if (!SetEndOfFile(f.get())) return failure(FileResult::ShortWrite, GetLastError());
  if (!FlushFileBuffers(f.get())) return failure(FileResult::ShortWrite, GetLastError());
  if (!f.close()) return failure(FileResult::ShortWrite, GetLastError());
  return {};
}

// The errors of a file that is there and writable but may not be created or replaced.
bool deniedButWritable(DWORD err) { return err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION; }

}  // namespace

FileResult readWholeFile(const Text& ansiPath, Text& out) {
  const std::wstring path = widePath(nativePath(ansiPath));
  Handle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.valid()) return failure(FileResult::OpenFailed, GetLastError());
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(f.get(), &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return failure(FileResult::OpenFailed, ERROR_ACCESS_DENIED);
  // A pipe, a console or a device is no file to read in; nor is one over the limit.
  if (GetFileType(f.get()) != FILE_TYPE_DISK) return {FileResult::OpenFailed, notReadReason(kNotRegularFile)};
  LARGE_INTEGER size{};
  GetFileSizeEx(f.get(), &size);
  if (size.QuadPart > kMaxReadBytes) return {FileResult::OpenFailed, notReadReason(kFileTooLarge)};

  Text buffer;
  buffer.resize(size.QuadPart > 0 ? size_t(size.QuadPart) : 0);
  size_t got = 0;
  for (;;) {
    if (got == buffer.size()) buffer.resize(buffer.size() + 65536);
    const size_t room = buffer.size() - got;
    DWORD n = 0;
    if (!ReadFile(f.get(), buffer.data() + got, room > 0x40000000 ? 0x40000000 : DWORD(room), &n, nullptr))
      return failure(FileResult::ShortRead, GetLastError());
    if (n == 0) break;
    got += n;
  }
  buffer.resize(got);
  out.swap(buffer);
  return {};
}

FileResult writeWholeFileAtomic(const Text& ansiPath, const Text& bytes) {
  const QString target = nativePath(ansiPath);
  const std::wstring wideTarget = widePath(target);

  // The target itself must be writable now: a read-only file, a folder, or a file another
  // program holds open without sharing it fails here, before anything is written.
  const DWORD attributes = GetFileAttributesW(wideTarget.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return failure(FileResult::CreateFailed, ERROR_ACCESS_DENIED);
    if (attributes & FILE_ATTRIBUTE_READONLY) return failure(FileResult::CreateFailed, ERROR_ACCESS_DENIED);
    Handle probe(CreateFileW(wideTarget.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.valid()) return failure(FileResult::CreateFailed, GetLastError());
    // A pipe or a device under the target's name is never replaced.
    if (GetFileType(probe.get()) != FILE_TYPE_DISK) return {FileResult::CreateFailed, kNotRegularFile};
  }

  // A temporary file beside the target, with a name nobody else uses: the target's name, a
  // full stop and six letters or digits, the form mkstemp gives it elsewhere (the start-up
  // tidying knows the leftovers of killed saves by it).
  std::wstring wideTemp;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    wideTemp = widePath(target + QLatin1Char('.') + randomTag());
    created =
        CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
      const DWORD err = GetLastError();
      if (exists && deniedButWritable(err)) return writeInPlace(wideTarget, bytes);
      if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS)
        return failure(FileResult::CreateFailed, err);
    }
  }
  if (created == INVALID_HANDLE_VALUE) return failure(FileResult::CreateFailed, ERROR_FILE_EXISTS);
  Handle temp(created);

  auto abandon = [&](FileResult::Status status, DWORD err) {
    temp.close();
    DeleteFileW(wideTemp.c_str());
    return failure(status, err);
  };
  if (!writeAll(temp.get(), bytes.data(), bytes.size()))
    return abandon(FileResult::ShortWrite, GetLastError());
  if (!FlushFileBuffers(temp.get())) return abandon(FileResult::ShortWrite, GetLastError());
  if (!temp.close()) {
    const DWORD err = GetLastError();
    DeleteFileW(wideTemp.c_str());
    return failure(FileResult::ShortWrite, err);
  }
  // A virus scanner or an indexer may hold the file for a moment: a few short retries.
  DWORD err = ERROR_SUCCESS;
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (attempt > 0) Sleep(25);
    if (MoveFileExW(wideTemp.c_str(), wideTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return {};
    err = GetLastError();
    if (!exists || !deniedButWritable(err)) break;
  }
  DeleteFileW(wideTemp.c_str());
  // The probe above could open the file for writing, so it is held open by someone who
  // shares writing but not replacing: the content goes into the file itself.
  if (exists && deniedButWritable(err)) return writeInPlace(wideTarget, bytes);
  return failure(FileResult::CreateFailed, err);
}

}  // namespace platform
