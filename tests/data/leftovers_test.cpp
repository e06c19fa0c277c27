// Temporary files of saves that a killed run left in the draw folder: which names are
// such leftovers, and their removal when the program claims the folder at start.
#include "data/leftovers.h"
#include "helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace testdata;

namespace {

struct NameCase {
  const char* name;  // UTF-8
  bool leftover;
};

class LeftoverName : public ::testing::TestWithParam<NameCase> {};

TEST_P(LeftoverName, OnlyTheExactFormASaveMakes) {
  EXPECT_EQ(IsSaveLeftover(A(GetParam().name)), GetParam().leftover) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, LeftoverName,
    ::testing::Values(
        // Made by a save: the target's name, ".", six letters or digits.
        NameCase{"获奖记录.txt.a1B2c3", true}, NameCase{"获奖记录.txt.XXXXXX", true},
        NameCase{"获奖记录.txt.000000", true}, NameCase{"获奖记录-20240203-193000.txt.Zz09aB", true},
        NameCase{"获奖记录-20240203-193000-2.txt.qwErty", true},
        NameCase{"获奖记录-20240203-193000-17.txt.abc123", true},
        // The program's own files themselves.
        NameCase{"获奖记录.txt", false}, NameCase{"获奖记录-20240203-193000.txt", false},
        // Named alike by someone else: other suffixes.
        NameCase{"获奖记录.txt.bak", false}, NameCase{"获奖记录.txt.abcde", false},
        NameCase{"获奖记录.txt.abcdefg", false}, NameCase{"获奖记录.txt.abc-ef", false},
        NameCase{"获奖记录.txt.ab cd1", false}, NameCase{"获奖记录.txt..abcde", false},
        NameCase{"获奖记录.txt.中文字", false}, NameCase{"获奖记录.txt~", false},
        NameCase{"获奖记录.txt.abcdef.txt", false}, NameCase{"获奖记录.txtabcdef1", false},
        NameCase{"获奖记录.TXT.abcdef", false}, NameCase{"我的获奖记录.txt.abcdef", false},
        NameCase{".abcdef", false},
        // Other targets: files the program never saves, backups of another form.
        NameCase{"基础配置.ini.abcdef", false},
        NameCase{"奖项设置.ini.abcdef", false}, NameCase{"获奖记录-2024-193000.txt.abcdef", false},
        NameCase{"获奖记录-20240203-19300.txt.abcdef", false},
        NameCase{"获奖记录-20240203-193000-.txt.abcdef", false},
        NameCase{"获奖记录-20240203-193000-x.txt.abcdef", false},
        NameCase{"获奖记录-20240203_193000.txt.abcdef", false},
        // The candidate list, which an import of a staff list writes, and its kept copies.
        NameCase{"抽奖名单.txt.abcdef", true}, NameCase{"抽奖名单-20240203-193000.txt.Zz09aB", true},
        NameCase{"抽奖名单-20240203-193000-3.txt.qwErty", true}, NameCase{"抽奖名单.txt", false},
        NameCase{"抽奖名单-20240203-193000.txt", false}, NameCase{"抽奖名单-20240203-193000.csv.abcdef", false},
        // The winners detail and its kept copies.
        NameCase{"获奖明细.csv.a1B2c3", true}, NameCase{"获奖明细-20240203-193000.csv.Zz09aB", true},
        NameCase{"获奖明细-20240203-193000-2.csv.qwErty", true}, NameCase{"获奖明细.csv", false},
        NameCase{"获奖明细.csv.bak", false}, NameCase{"获奖明细-20240203-193000.txt.abcdef", false},
        NameCase{"获奖记录-20240203-193000.csv.abcdef", false}, NameCase{"获奖明细.txt.abcdef", false}));

// A draw folder with the program's files, leftovers of killed saves and look-alikes.
class ClaimFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cwd_.ok());
    std::filesystem::create_directory(u8path("抽奖名单"));
    for (const char* name : kKept) writeBytes(std::string("抽奖名单/") + name, "kept\r\n");
    std::filesystem::create_directory(u8path("抽奖名单/获奖记录.txt.dIr123"));  // a folder, not a file
    if (kLinks) std::filesystem::create_symlink(u8path("获奖记录.txt"), u8path("抽奖名单/获奖记录.txt.LiNk12"));
  }
  // Windows gives symbolic links only to administrators; there the folder has none.
#ifdef _WIN32
  static constexpr bool kLinks = false;
#else
  static constexpr bool kLinks = true;
#endif
  void leaveLeftovers() {
    for (const char* name : kLeftovers) writeBytes(std::string("抽奖名单/") + name, "[特等奖]\r\n张");
  }
  static std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
  }
  // What the folder holds besides the lock file.
  static std::vector<std::string> listing() {
    std::vector<std::string> names = listDir("抽奖名单");
    std::erase(names, ".luckydraw.lock");
    return names;
  }
  static std::vector<std::string> keptOnly() {
    std::vector<std::string> names(std::begin(kKept), std::end(kKept));
    names.push_back("获奖记录.txt.dIr123");
    if (kLinks) names.push_back("获奖记录.txt.LiNk12");
    return sorted(names);
  }
  static std::vector<std::string> keptAndLeftovers() {
    std::vector<std::string> names = keptOnly();
    names.insert(names.end(), std::begin(kLeftovers), std::end(kLeftovers));
    return sorted(names);
  }

  static constexpr const char* kKept[] = {
      "获奖记录.txt", "抽奖名单.txt", "基础配置.ini", "获奖记录-20240203-193000.txt",
      "获奖记录.txt.bak", "获奖记录.txt.abcdefg", "基础配置.ini.a1B2c3", "获奖记录.txt.12345"};
  static constexpr const char* kLeftovers[] = {"获奖记录.txt.a1B2c3", "获奖记录.txt.ZZZZZZ",
                                               "获奖记录-20240203-193000.txt.Q9w8E7",
                                               "获奖记录-20240203-193000-2.txt.mkstmp",
                                               "抽奖名单.txt.a1B2c3"};

  TempCwd cwd_;
};

TEST_F(ClaimFolder, RemovesLeftoversOfKilledSavesAndNothingElse) {
  leaveLeftovers();
  ASSERT_EQ(listing(), keptAndLeftovers());
  platform::FolderLock claim = ClaimDrawFolder();
  EXPECT_TRUE(claim.held());
  EXPECT_EQ(listing(), keptOnly());
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), Text("kept\r\n"));  // the link's target too
  EXPECT_TRUE(std::filesystem::is_directory(u8path("抽奖名单/获奖记录.txt.dIr123")));
}

TEST_F(ClaimFolder, NoDrawFolderNoClaimAndNoError) {
  std::filesystem::remove_all(u8path("抽奖名单"));
  platform::FolderLock claim = ClaimDrawFolder();
  EXPECT_FALSE(claim.held());
  EXPECT_FALSE(std::filesystem::exists(u8path("抽奖名单")));
}

TEST_F(ClaimFolder, ASecondClaimInTheSameFolderFailsAndRemovesNothing) {
  platform::FolderLock first = ClaimDrawFolder();
  ASSERT_TRUE(first.held());
  leaveLeftovers();  // the first holder's saves in progress, as far as anyone can tell
  platform::FolderLock second = ClaimDrawFolder();
  EXPECT_FALSE(second.held());
  EXPECT_EQ(listing(), keptAndLeftovers());
  first = platform::FolderLock();  // the first run ends and lets go
  platform::FolderLock third = ClaimDrawFolder();
  EXPECT_TRUE(third.held());
  EXPECT_EQ(listing(), keptOnly());
}

#ifndef _WIN32
// Another process of the program holds the folder: its claim stands while it runs; once it
// is killed (its lock file stays behind), the next claim takes over and tidies up.
TEST_F(ClaimFolder, AClaimOfAnotherRunningProcessStandsUntilThatProcessIsKilled) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(ready[0]);
    platform::FolderLock claim = ClaimDrawFolder();
    const char held = claim.held() ? '1' : '0';
    (void)!::write(ready[1], &held, 1);
    for (;;) ::pause();  // runs until killed; the lock file is never released
  }
  ::close(ready[1]);
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  ::close(ready[0]);
  EXPECT_EQ(held, '1');

  leaveLeftovers();
  platform::FolderLock whileRunning = ClaimDrawFolder();
  EXPECT_FALSE(whileRunning.held());
  EXPECT_EQ(listing(), keptAndLeftovers());

  ::kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(std::filesystem::exists(u8path("抽奖名单/.luckydraw.lock")));  // left behind
  platform::FolderLock afterKill = ClaimDrawFolder();
  EXPECT_TRUE(afterKill.held());
  EXPECT_EQ(listing(), keptOnly());
}
#endif

}  // namespace
