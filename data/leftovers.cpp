#include "data/leftovers.h"

#include "data/candidates.h"
#include "data/texts.h"

#include <cstddef>
#include <string_view>

namespace {

// The lock file inside the draw folder, held by the running program.
constexpr std::string_view kLockName = ".luckydraw.lock";

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetterOrDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// `at` moves past `count` digits when they are there.
bool skipDigits(std::string_view s, size_t& at, size_t count) {
  if (s.size() - at < count) return false;
  for (size_t i = 0; i < count; ++i)
    if (!isDigit(s[at + i])) return false;
  at += count;
  return true;
}

bool startsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

// A name inside the draw folder: what follows "抽奖名单\".
Text insideDrawFolder(const Text& path) { return path.substr(T().drawFolder.size() + 1); }

// A kept copy of the record or of the winners detail: head + yyyyMMdd-HHmmss, optionally
// "-" and a number, then the extension (".txt", ".csv").
bool isBackupName(std::string_view name, const Text& head, std::string_view extension) {
  if (!startsWith(name, head)) return false;
  size_t at = head.size();
  if (!skipDigits(name, at, 8) || at >= name.size() || name[at++] != '-' || !skipDigits(name, at, 6))
    return false;
  if (at < name.size() && name[at] == '-') {
    ++at;
    const size_t first = at;
    while (at < name.size() && isDigit(name[at])) ++at;
    if (at == first) return false;
  }
  return name.substr(at) == extension;
}

}  // namespace

bool IsSaveLeftover(const Text& name) {
  constexpr size_t kTail = 7;  // "." and six letters or digits, as mkstemp makes them
  if (name.size() <= kTail) return false;
  const std::string_view tail = std::string_view(name).substr(name.size() - kTail);
  if (tail[0] != '.') return false;
  for (char c : tail.substr(1))
    if (!isLetterOrDigit(c)) return false;
  const std::string_view target = std::string_view(name).substr(0, name.size() - kTail);
  static const Text record = insideDrawFolder(T().recordFile);
  static const Text detail = insideDrawFolder(T().detailFile);
  static const Text recordHead = insideDrawFolder(T().recordBackupHead);
  static const Text detailHead = insideDrawFolder(T().detailBackupHead);
  static const Text candidates = insideDrawFolder(T().candidateFile);
  static const Text candidatesHead = insideDrawFolder(CandidateBackupHead());
  return target == record || target == detail || isBackupName(target, recordHead, ".txt") ||
         isBackupName(target, detailHead, ".csv") || target == candidates ||
         isBackupName(target, candidatesHead, ".txt");
}

platform::FolderLock ClaimDrawFolder() {
  platform::FolderLock lock;
  const Text& folder = T().drawFolder;
  if (!lock.tryClaim(folder + "\\" + Text(kLockName))) return lock;
  for (const Text& name : platform::regularFileNames(folder))
    if (IsSaveLeftover(name)) platform::removeFile(folder + "\\" + name);
  return lock;
}
