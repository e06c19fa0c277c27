#pragma once
// The draw folder as a whole: a lock file that tells running copies of the program apart
// from ones that were killed, the names of the files in the folder, and removing one.
#include "platform/text.h"

#include <memory>
#include <vector>

class QLockFile;

namespace platform {

// A lock file held for as long as this object lives. While another running process holds
// the same lock file, a claim fails at once (it never waits). A lock file left behind by a
// process that was killed, crashed or lost its machine's power is stale: the next claim
// takes it over.
class FolderLock {
 public:
  FolderLock();
  ~FolderLock();
  FolderLock(FolderLock&&) noexcept;
  FolderLock& operator=(FolderLock&&) noexcept;

  // False when another running process holds the lock, or when the lock file cannot be
  // written (no such folder, no permission); this object then holds nothing.
  bool tryClaim(const Text& ansiLockPath);
  bool held() const;
  // The last claim failed because another running process holds the lock (not because the
  // lock file could not be written).
  bool heldElsewhere() const { return heldElsewhere_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool heldElsewhere_ = false;
};

// The names (GBK) of the regular files directly inside the folder. Folders, symbolic links
// and other special files are left out, and so are names that GBK cannot spell exactly.
// Empty when the folder cannot be read.
std::vector<Text> regularFileNames(const Text& ansiFolder);

// Removes one file; false when it could not be removed.
bool removeFile(const Text& ansiPath);

}  // namespace platform
