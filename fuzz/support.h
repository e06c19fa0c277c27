#pragma once
// Shared by the fuzz targets: a scratch folder to be the current directory, plain file
// writes, and the check that stops a run on a broken rule. A target that reads the draw
// folder defines FUZZ_IN_DRAW_FOLDER before including this: libFuzzer then starts it in a
// scratch folder that holds an empty draw folder.
#include "platform/text.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace fuzzing {

// A fresh folder as the current directory, in memory where the system offers it, so
// that the files written for every input cost no disk time. Call once.
inline void enterScratchFolder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string pattern = (base / "luckydraw-fuzz-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  fs::current_path(pattern);
}

// Writes (or, with `present` false, removes) a file by native path.
inline void putFile(const char* nativePath, const Text& bytes, bool present = true) {
  ::unlink(nativePath);
  if (!present) return;
  int fd = ::open(nativePath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::perror(nativePath);
    std::abort();
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      std::perror(nativePath);
      std::abort();
    }
    done += size_t(n);
  }
  ::close(fd);
}

// A broken rule is a finding: report it and stop, so libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                      \
  do {                                                                        \
    if (!(cond)) {                                                            \
      std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                           \
    }                                                                         \
  } while (0)

}  // namespace fuzzing

#ifdef FUZZ_IN_DRAW_FOLDER
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::enterScratchFolder();
  std::filesystem::create_directory("抽奖名单");
  return 0;
}
#endif
