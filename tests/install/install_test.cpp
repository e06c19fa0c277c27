// The installed program: `cmake --install` into a fresh prefix lays out the program beside
// its sounds, the launcher, the menu entry, the metadata, the icons and the demo event;
// the launcher makes the operator's event folder from the demo once and starts the
// program in it.
#include "support/process.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using testprocess::linesOf;

namespace {

std::string readText(const fs::path& p) { return testkit::readBytes(p.string()).value_or(""); }

// One installation for all the tests of this file.
class Installed : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    prefix_ = new QTemporaryDir;
    ASSERT_TRUE(prefix_->isValid());
    const auto r = testprocess::run(
        {LUCKYDRAW_CMAKE, "--install", LUCKYDRAW_BUILD_DIR, "--prefix", prefix_->path().toStdString()},
        {{"PATH", "/usr/bin:/bin"}, {"LANG", "C.UTF-8"}});
    installStatus_ = r.status;
    installOutput_ = r.out + r.err;
  }
  static void TearDownTestSuite() {
    delete prefix_;
    prefix_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(installStatus_, 0) << installOutput_; }

  static fs::path prefix() { return prefix_->path().toStdString(); }
  static fs::path source() { return LUCKYDRAW_SOURCE_DIR; }

  // The launcher, run as the menu entry runs it (no arguments unless given), for a user
  // whose home is `home`. Without a display the program it starts says so and ends.
  static testprocess::Outcome launch(const fs::path& home, std::vector<std::string> args = {}) {
    args.insert(args.begin(), (prefix() / "bin" / "luckydraw").string());
    return testprocess::run(args, {{"PATH", "/usr/bin:/bin"}, {"HOME", home.string()}, {"QT_QPA_PLATFORM", "xcb"}});
  }

 private:
  static QTemporaryDir* prefix_;
  static int installStatus_;
  static std::string installOutput_;
};

QTemporaryDir* Installed::prefix_ = nullptr;
int Installed::installStatus_ = -1;
std::string Installed::installOutput_;

TEST_F(Installed, ProgramSitsBesideItsSounds) {
  const fs::path dir = prefix() / "lib" / "luckydraw";
  EXPECT_EQ(fs::status(dir / "luckydraw").permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
  for (const char* sound : {"drum.wav", "gong.wav"}) {
    const std::string bytes = readText(dir / sound);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF") << sound;
    EXPECT_EQ(bytes, readText(fs::path(LUCKYDRAW_BUILD_DIR) / "bin" / sound)) << sound;
  }
}

TEST_F(Installed, IconsInEveryHicolorSize) {
  for (int size : {16, 24, 32, 48, 128, 256}) {
    const auto path = prefix() / "share/icons/hicolor" / (std::to_string(size) + "x" + std::to_string(size)) /
                      "apps/luckydraw.png";
    const QImage icon(QString::fromStdString(path.string()));
    ASSERT_FALSE(icon.isNull()) << path;
    EXPECT_EQ(icon.size(), QSize(size, size)) << path;
  }
}

TEST_F(Installed, MenuEntryAndMetadataNameTheLauncherAndIcon) {
  const auto entry = linesOf(readText(prefix() / "share/applications/luckydraw.desktop"));
  auto has = [&](const std::string& line) { return std::find(entry.begin(), entry.end(), line) != entry.end(); };
  EXPECT_TRUE(has("[Desktop Entry]"));
  EXPECT_TRUE(has("Exec=luckydraw"));
  EXPECT_TRUE(has("Icon=luckydraw"));
  EXPECT_TRUE(has("Name=Lucky Draw"));
  EXPECT_TRUE(has("Name[zh_CN]=澄曜晚会抽奖系统"));
  EXPECT_TRUE(has("Categories=Office;"));
  const std::string meta = readText(prefix() / "share/metainfo/luckydraw.metainfo.xml");
  EXPECT_NE(meta.find("<launchable type=\"desktop-id\">luckydraw.desktop</launchable>"), std::string::npos);
  EXPECT_NE(meta.find("<binary>luckydraw</binary>"), std::string::npos);
}

TEST_F(Installed, LauncherAnswersVersionThroughTheProgram) {
  const auto r = testprocess::run({(prefix() / "bin" / "luckydraw").string(), "--version"}, {{"PATH", "/usr/bin:/bin"}});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "luckydraw 3.7\n");
}

// First start from the menu: ~/抽奖 is made from the demo event; the program is then
// started there (here without a display, so it says so in one line and ends).
TEST_F(Installed, FirstStartMakesTheEventFolderFromTheDemo) {
  QTemporaryDir home;
  const fs::path homeDir = home.path().toStdString();
  const auto r = launch(homeDir);
  EXPECT_EQ(r.status, 1) << r.err;
  ASSERT_EQ(linesOf(r.err).size(), 1u) << r.err;
  EXPECT_EQ(linesOf(r.err)[0].rfind("luckydraw: ", 0), 0u) << r.err;

  const fs::path made = homeDir / "抽奖" / "抽奖名单";
  const fs::path demo = source() / "examples/demo/抽奖名单";
  int files = 0;
  for (const auto& e : fs::directory_iterator(demo)) {
    ++files;
    EXPECT_EQ(readText(made / e.path().filename()), readText(e.path())) << e.path().filename();
    // The copy is the operator's own: it can be edited and rewritten.
    EXPECT_EQ(fs::status(made / e.path().filename()).permissions() & fs::perms::owner_write, fs::perms::owner_write);
  }
  EXPECT_GE(files, 5);
}

// Later starts leave the operator's event as it is; a folder named on the command line is
// used instead of ~/抽奖.
TEST_F(Installed, LaterStartsKeepTheOperatorsFiles) {
  QTemporaryDir home;
  const fs::path homeDir = home.path().toStdString();
  launch(homeDir);
  const fs::path list = homeDir / "抽奖" / "抽奖名单" / "抽奖名单.txt";
  { std::ofstream(list, std::ios::binary | std::ios::trunc) << "A\r\nB\r\n"; }
  launch(homeDir);
  EXPECT_EQ(readText(list), "A\r\nB\r\n");

  const fs::path other = homeDir / "另一场";
  launch(homeDir, {other.string()});
  EXPECT_TRUE(fs::is_regular_file(other / "抽奖名单" / "基础配置.ini"));
}

// The program runs with the event folder as its current directory, so it reads and writes
// the draw folder there. Seen from outside: the running process's working directory.
TEST_F(Installed, ProgramRunsInTheEventFolder) {
  QTemporaryDir home, runtime;
  const fs::path homeDir = home.path().toStdString();
  testprocess::Child child({(prefix() / "bin" / "luckydraw").string()},
                           {{"PATH", "/usr/bin:/bin"}, {"HOME", homeDir.string()}, {"QT_QPA_PLATFORM", "offscreen"},
                            {"XDG_RUNTIME_DIR", runtime.path().toStdString()}});
  ASSERT_GT(child.pid(), 0);
  const fs::path proc = fs::path("/proc") / std::to_string(child.pid());
  const fs::path program = fs::canonical(prefix() / "lib/luckydraw/luckydraw");
  // The launcher replaces itself by the program; wait for that (the program then waits at
  // its first question, so it stays until it is killed).
  std::error_code ec;
  for (int i = 0; i < 600 && fs::read_symlink(proc / "exe", ec) != program; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_EQ(fs::read_symlink(proc / "exe", ec), program);
  EXPECT_EQ(fs::read_symlink(proc / "cwd", ec), fs::canonical(homeDir / "抽奖"));
}

}  // namespace
