#include "platform/folder.h"

#include "platform/codec.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace platform {

FolderLock::FolderLock() = default;
FolderLock::~FolderLock() = default;
FolderLock::FolderLock(FolderLock&&) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&&) noexcept = default;

bool FolderLock::tryClaim(const Text& ansiLockPath) {
  lock_.reset();
  heldElsewhere_ = false;
  auto lock = std::make_unique<QLockFile>(nativePath(ansiLockPath));
  // Held for the whole run, so its age says nothing: only a holder that no longer runs
  // (its process id gone, or taken by another program, or the machine restarted since)
  // makes the lock stale.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) {
    heldElsewhere_ = lock->error() == QLockFile::LockFailedError;
    return false;
  }
  lock_ = std::move(lock);
  return true;
}

bool FolderLock::held() const { return lock_ && lock_->isLocked(); }

std::vector<Text> regularFileNames(const Text& ansiFolder) {
  std::vector<Text> names;
  const QDir dir(nativePath(ansiFolder));
  // Links are left out; without QDir::System, sockets, pipes and devices are not listed.
  const QFileInfoList entries =
      dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Name);
  for (const QFileInfo& entry : entries) {
    if (!entry.isFile() || entry.isSymLink()) continue;
    const QString name = entry.fileName();
    Text bytes = toAnsi(name);
    if (fromAnsi(bytes) != name) continue;  // not spelled exactly in GBK
    names.push_back(std::move(bytes));
  }
  return names;
}

bool removeFile(const Text& ansiPath) { return QFile::remove(nativePath(ansiPath)); }

}  // namespace platform
