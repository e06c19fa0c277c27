// What the program does before it makes a window: --help, --version and a missing
// display, checked both on the functions and on the built program run as a process.
#include "app/cli.h"

#include "data/texts.h"

#include "support/process.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

// An environment made of exactly the given variables.
cli::Environment envOf(std::map<std::string, std::string> vars) {
  return [vars = std::move(vars)](const char* name) -> const char* {
    const auto it = vars.find(name);
    return it == vars.end() ? nullptr : it->second.c_str();
  };
}

// The answers in English, whatever the language of the machine running the tests (the
// program follows the default locale, which is the system's unless set).
std::string captured(const std::vector<std::string>& args, int* status) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::FILE* out = std::tmpfile();
  *status = cli::answerCommandLine(int(args.size()), argv.data(), out).value_or(-1);
  std::rewind(out);
  std::string text;
  for (int c; (c = std::fgetc(out)) != EOF;) text += char(c);
  std::fclose(out);
  return text;
}

TEST(CommandLine, HelpAndVersionAnswerAndEnd) {
  int status = -1;
  const std::string help = captured({"luckydraw", "--help"}, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(help.rfind("Usage: luckydraw", 0), 0u) << help;
  EXPECT_NE(help.find("抽奖名单/获奖记录.txt"), std::string::npos) << help;
  EXPECT_EQ(captured({"luckydraw", "-h"}, &status), help);
  EXPECT_EQ(status, 0);

  const std::string version = captured({"luckydraw", "--version"}, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(version, "luckydraw 3.7\n");
}

// The files come from the program's own table of them: a file added there is named here.
TEST(CommandLine, HelpNamesEveryFileOfTheDrawFolder) {
  int status = -1;
  const std::string help = captured({"luckydraw", "--help"}, &status);
  ASSERT_GE(DrawFolderFiles().size(), 5u);
  for (const DrawFolderFile& file : DrawFolderFiles()) {
    std::string path = file.path;
    std::replace(path.begin(), path.end(), '\\', '/');
    EXPECT_NE(help.find("  " + path + "   " + file.holds + "\n"), std::string::npos) << path << "\n" << help;
  }
  EXPECT_NE(help.find("抽奖名单/获奖明细.csv"), std::string::npos) << help;
  EXPECT_NE(help.find("UTF-8"), std::string::npos) << "files saved as UTF-8 are read too\n" << help;
}

TEST(CommandLine, OtherArgumentsAreLeftToQt) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"luckydraw"}, {"luckydraw", "-platform", "offscreen"}, {"luckydraw", "--helpless"}}) {
    int status = -1;
    EXPECT_EQ(captured(args, &status), "");
    EXPECT_EQ(status, -1) << args.back();
  }
}

struct DisplayCase {
  const char* name;
  std::map<std::string, std::string> env;
  bool missing;
  const char* mentions;  // part of the reason when missing
};
void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.name; }

class Display : public testing::TestWithParam<DisplayCase> {};

TEST_P(Display, IsJudgedFromTheEnvironment) {
  const auto& c = GetParam();
  const auto reason = cli::missingDisplay(envOf(c.env));
  ASSERT_EQ(reason.has_value(), c.missing) << (reason ? *reason : std::string("(none)"));
  if (reason) {
    EXPECT_NE(reason->find(c.mentions), std::string::npos) << *reason;
    EXPECT_EQ(reason->find('\n'), std::string::npos) << *reason;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Display,
    testing::Values(
        DisplayCase{"nothing", {}, true, "DISPLAY and WAYLAND_DISPLAY are not set"},
        DisplayCase{"emptyDisplay", {{"DISPLAY", ""}}, true, "DISPLAY"},
        DisplayCase{"x11", {{"DISPLAY", ":0"}}, false, ""},
        DisplayCase{"wayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, false, ""},
        DisplayCase{"xcbWithoutDisplay", {{"QT_QPA_PLATFORM", "xcb"}}, true, "DISPLAY is not set for QT_QPA_PLATFORM=xcb"},
        DisplayCase{"xcbOnWaylandOnly", {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}, true, "DISPLAY"},
        DisplayCase{"xcbWithOptions", {{"QT_QPA_PLATFORM", "xcb:nograb"}, {"DISPLAY", ":1"}}, false, ""},
        DisplayCase{"waylandWithoutServer", {{"QT_QPA_PLATFORM", "wayland-egl"}, {"DISPLAY", ":1"}}, true, "WAYLAND_DISPLAY"},
        DisplayCase{"fallbackList", {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, false, ""},
        DisplayCase{"offscreen", {{"QT_QPA_PLATFORM", "offscreen"}}, false, ""},
        DisplayCase{"vnc", {{"QT_QPA_PLATFORM", "vnc:size=800x600"}}, false, ""}),
    [](const testing::TestParamInfo<DisplayCase>& info) { return std::string(info.param.name); });

TEST(NoDisplayLine, IsOneLineNamingTheProgram) {
  EXPECT_EQ(cli::noDisplayLine("no display"), "luckydraw: no display\n");
}

// ---- The built program, run as a process -------------------------------------------------

#ifdef LUCKYDRAW_PROGRAM

using testprocess::linesOf;
using testprocess::Outcome;

// Runs the program with exactly `env` (plus PATH and HOME) and the given arguments.
Outcome runProgram(const std::vector<std::string>& args, std::map<std::string, std::string> env) {
  env.emplace("PATH", "/usr/bin:/bin");
  env.emplace("HOME", "/nonexistent");
  std::vector<std::string> argv{LUCKYDRAW_PROGRAM};
  argv.insert(argv.end(), args.begin(), args.end());
  return testprocess::run(argv, env);
}

TEST(Program, HelpAndVersionNeedNoDisplay) {
  // xcb without a DISPLAY: making the QApplication would end the process, so an answer
  // with status 0 shows that no window was started.
  const std::map<std::string, std::string> noDisplay{{"QT_QPA_PLATFORM", "xcb"}};
  const Outcome help = runProgram({"--help"}, noDisplay);
  EXPECT_EQ(help.status, 0) << help.err;
  EXPECT_EQ(help.out.rfind("Usage: luckydraw", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");

  const Outcome version = runProgram({"--version"}, noDisplay);
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_EQ(version.out, "luckydraw 3.7\n");
  EXPECT_EQ(version.err, "");
}

// Each language's help names every file of the draw folder, the encodings and the keys.
struct HelpCase {
  const char* name;
  const char* lang;
  const char* usage;
  std::vector<const char*> says;
  bool englishHolds;
};
void PrintTo(const HelpCase& c, std::ostream* os) { *os << c.name; }

class HelpInLanguage : public testing::TestWithParam<HelpCase> {};

TEST_P(HelpInLanguage, IsCompleteAndInTheSystemsLanguage) {
  const auto& c = GetParam();
  const Outcome help = runProgram({"--help"}, {{"LANG", c.lang}});
  EXPECT_EQ(help.status, 0) << help.err;
  EXPECT_EQ(help.out.rfind(c.usage, 0), 0u) << help.out;
  for (const DrawFolderFile& file : DrawFolderFiles()) {
    std::string path = file.path;
    std::replace(path.begin(), path.end(), '\\', '/');
    const size_t at = help.out.find("  " + path + "   ");
    ASSERT_NE(at, std::string::npos) << path << "\n" << help.out;
    const std::string line = help.out.substr(at, help.out.find('\n', at) - at);
    EXPECT_EQ(line.find(file.holds) != std::string::npos, c.englishHolds) << line;
  }
  for (const char* word : {"GBK", "UTF-8", "UTF-16", "PageDown", "抽奖名单[n]人", "获奖记录-", "--version"})
    EXPECT_NE(help.out.find(word), std::string::npos) << word << "\n" << help.out;
  for (const char* word : c.says) EXPECT_NE(help.out.find(word), std::string::npos) << word << "\n" << help.out;
}

INSTANTIATE_TEST_SUITE_P(
    Languages, HelpInLanguage,
    testing::Values(HelpCase{"english", "en_US.UTF-8", "Usage: luckydraw", {"Space", "page-key"}, true},
                    HelpCase{"chinese", "zh_CN.UTF-8", "用法：luckydraw", {"空格键", "锁定", "获奖明细.csv 为"}, false},
                    HelpCase{"cLocale", "C", "Usage: luckydraw", {"Space"}, true}),
    [](const testing::TestParamInfo<HelpCase>& info) { return std::string(info.param.name); });

TEST(Program, SaysWhyNoWindowInTheSystemsLanguage) {
  const Outcome run = runProgram({}, {{"LANG", "zh_CN.UTF-8"}, {"QT_QPA_PLATFORM", "xcb"}});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "luckydraw: 没有可以显示窗口的屏幕（QT_QPA_PLATFORM=xcb 所需的 DISPLAY 未设置）\n");
}

struct NoDisplayCase {
  const char* name;
  std::map<std::string, std::string> env;
  const char* says;
};
void PrintTo(const NoDisplayCase& c, std::ostream* os) { *os << c.name; }

class ProgramWithoutDisplay : public testing::TestWithParam<NoDisplayCase> {};

TEST_P(ProgramWithoutDisplay, PrintsOneLineAndExitsWithStatusOne) {
  const auto& c = GetParam();
  const Outcome run = runProgram({}, c.env);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out, "");
  const auto lines = linesOf(run.err);
  ASSERT_EQ(lines.size(), 1u) << run.err;
  EXPECT_EQ(lines[0].rfind("luckydraw: ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(c.says), std::string::npos) << lines[0];
  EXPECT_EQ(run.err.back(), '\n');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramWithoutDisplay,
    testing::Values(
        // Nothing names a display.
        NoDisplayCase{"unset", {{"QT_QPA_PLATFORM", "xcb"}}, "DISPLAY is not set"},
        NoDisplayCase{"nothingAtAll", {}, "no display"},
        // A display is named but no server answers there: Qt's platform plugin gives up.
        NoDisplayCase{"unreachable", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":987"}}, "cannot open a window"}),
    [](const testing::TestParamInfo<NoDisplayCase>& info) { return std::string(info.param.name); });

#endif  // LUCKYDRAW_PROGRAM

}  // namespace
