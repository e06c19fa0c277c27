#pragma once
// Runs a program as a child process with exactly the environment given, its output caught
// in files; for tests of the built program and its launcher.
#include "support/files.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace testprocess {

struct Outcome {
  int status = -1;  // exit status, 128 + signal number, or -1 when it could not start
  std::string out, err;
};

inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

// A child started with `argv` (argv[0] is the program's path) and exactly `env`; its
// standard input is /dev/null, its output goes to files in a folder of its own.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env) {
    char dir[] = "/tmp/luckydraw-child-XXXXXX";
    if (!mkdtemp(dir)) return;
    dir_ = dir;
    std::vector<std::string> envStrings;
    for (const auto& [k, v] : env) envStrings.push_back(k + "=" + v);
    std::vector<std::string> args = argv;
    std::vector<char*> av, ev;
    for (auto& a : args) av.push_back(a.data());
    for (auto& e : envStrings) ev.push_back(e.data());
    av.push_back(nullptr);
    ev.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, (dir_ + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, (dir_ + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, av[0], &actions, nullptr, av.data(), ev.data()) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Child() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (!dir_.empty()) {
      std::remove((dir_ + "/out").c_str());
      std::remove((dir_ + "/err").c_str());
      rmdir(dir_.c_str());
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }

  // Waits for the child to end and collects what it printed.
  Outcome wait() {
    Outcome run;
    if (pid_ > 0) {
      int ws = 0;
      if (waitpid(pid_, &ws, 0) == pid_)
        run.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : WIFSIGNALED(ws) ? 128 + WTERMSIG(ws) : -1;
      pid_ = 0;
    }
    run.out = testkit::readBytes(dir_ + "/out").value_or("");
    run.err = testkit::readBytes(dir_ + "/err").value_or("");
    return run;
  }

 private:
  std::string dir_;
  pid_t pid_ = 0;
};

inline Outcome run(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env) {
  return Child(argv, env).wait();
}

}  // namespace testprocess
