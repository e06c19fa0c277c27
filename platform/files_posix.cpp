// Whole-file reads and atomic writes with the POSIX calls.
#include "platform/files.h"

#include "platform/codec.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray encoded(const Text& ansiPath) { return QFile::encodeName(nativePath(ansiPath)); }

FileResult failure(FileResult::Status status, int err) { return {status, systemErrorText(err)}; }

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    data += n;
    size -= size_t(n);
  }
  return true;
}

}  // namespace

FileResult readWholeFile(const Text& ansiPath, Text& out) {
  const QByteArray path = encoded(ansiPath);
  // Non-blocking, so that opening a named pipe does not wait for a writer; whatever is
  // not a regular file is refused right after the open, before any read.
  int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return failure(FileResult::OpenFailed, errno);
  auto refuse = [fd](FileResult result) {
    ::close(fd);
    return result;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) return refuse(failure(FileResult::OpenFailed, errno));
  if (S_ISDIR(st.st_mode)) return refuse(failure(FileResult::OpenFailed, EISDIR));
  if (!S_ISREG(st.st_mode)) return refuse({FileResult::OpenFailed, notReadReason(kNotRegularFile)});
  if (st.st_size > kMaxReadBytes) return refuse({FileResult::OpenFailed, notReadReason(kFileTooLarge)});

  // One byte more than the file holds, so the read that finds its end needs no growing.
  // A file that grows meanwhile is read on, up to the limit.
  Text buffer;
  buffer.resize(size_t(st.st_size > 0 ? st.st_size : 0) + 1);
  size_t got = 0;
  for (;;) {
    if (got == buffer.size()) {
      if (std::int64_t(got) > kMaxReadBytes) return refuse({FileResult::OpenFailed, notReadReason(kFileTooLarge)});
      buffer.resize(size_t(std::min<std::int64_t>(std::int64_t(got) * 2 + 65536, kMaxReadBytes + 1)));
    }
    ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return refuse(failure(FileResult::ShortRead, errno));
    }
    if (n == 0) break;
    got += size_t(n);
  }
  ::close(fd);
  buffer.resize(got);
  out.swap(buffer);
  return {};
}

// A file that is a symbolic link is written where the link points (followed to the end of
// a chain, also when the last target does not exist yet), so the link stays a link.
QByteArray followLinks(QByteArray path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    QByteArray target(size_t(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
    const ssize_t n = ::readlink(path.constData(), target.data(), size_t(target.size()));
    if (n <= 0 || n >= target.size()) return path;
    target.truncate(n);
    if (!target.startsWith('/')) {
      const int slash = int(path.lastIndexOf('/'));
      target = (slash >= 0 ? path.left(slash + 1) : QByteArray()) + target;
    }
    path = target;
  }
  return path;  // a loop: the open fails with the system's own reason
}

// In place, for a folder where the file may be written but no new file created (shared
// folders are set up that way), so the temporary file of the atomic save cannot exist.
// The room for the new content is taken before a byte changes, so a full disk leaves the
// old file as it was; a crash in the middle of the write can still leave it mixed.
FileResult writeInPlace(const QByteArray& target, const Text& bytes) {
  int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return failure(FileResult::CreateFailed, errno);
  auto fail = [&](FileResult::Status status, int err) {
    ::close(fd);
    return failure(status, err);
  };
  if (!bytes.empty()) {
    const int err = ::posix_fallocate(fd, 0, off_t(bytes.size()));
    if (err != 0 && err != EOPNOTSUPP && err != EINVAL) return fail(FileResult::ShortWrite, err);
  }
  if (!writeAll(fd, bytes.data(), bytes.size())) return fail(FileResult::ShortWrite, errno);
  if (::ftruncate(fd, off_t(bytes.size())) != 0) return fail(FileResult::ShortWrite, errno);
  if (::fsync(fd) != 0) return fail(FileResult::ShortWrite, errno);
  if (::close(fd) != 0) return failure(FileResult::ShortWrite, errno);
  return {};
}

// Not QSaveFile, although its main path is the same (a temporary file beside the target,
// renamed over it, symbolic links followed): its direct-write fallback for a folder that
// takes no new file comes only on EACCES (an immutable folder gives EPERM) and truncates
// the old file before writing, with no room taken first, so a full disk leaves it cut
// short; it ignores a failed fsync and does not sync the folder after the rename; it
// writes to a file without write bits when the system lets the user (root) do so; and it
// reports Qt's own error texts, where the program's messages carry the system's text of
// the failing call and tell a failed create from a short write.
FileResult writeWholeFileAtomic(const Text& ansiPath, const Text& bytes) {
  const QByteArray target = followLinks(encoded(ansiPath));
  mode_t mode = 0666;
  bool exists = false;
  {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  struct stat st {};
  if (::stat(target.constData(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return failure(FileResult::CreateFailed, EISDIR);
    // A named pipe, a device or a socket (itself or at the end of a link) is never replaced.
    if (!S_ISREG(st.st_mode)) return {FileResult::CreateFailed, kNotRegularFile};
    // A read-only file stays read-only, also for a user whom the system would let write.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return failure(FileResult::CreateFailed, EACCES);
    if (::access(target.constData(), W_OK) != 0) return failure(FileResult::CreateFailed, errno);
    mode = st.st_mode & 07777;
    exists = S_ISREG(st.st_mode);
  }

  QByteArray temp = target + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    const int err = errno;
    if (exists && (err == EACCES || err == EPERM)) return writeInPlace(target, bytes);
    return failure(FileResult::CreateFailed, err);
  }
  ::fchmod(fd, mode);

  auto abandon = [&](FileResult::Status status, int err) {
    ::close(fd);
    ::unlink(temp.constData());
    return failure(status, err);
  };
  if (!writeAll(fd, bytes.data(), bytes.size())) return abandon(FileResult::ShortWrite, errno);
  if (::fsync(fd) != 0) return abandon(FileResult::ShortWrite, errno);
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.constData());
    return failure(FileResult::ShortWrite, err);
  }
  if (::rename(temp.constData(), target.constData()) != 0) {
    int err = errno;
    ::unlink(temp.constData());
    return failure(FileResult::CreateFailed, err);
  }
  // Make the rename itself durable.
  QByteArray dir = QFile::encodeName(QFileInfo(QFile::decodeName(target)).absolutePath());
  int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return {};
}

}  // namespace platform
