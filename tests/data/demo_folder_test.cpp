// The demo event folder shipped in examples/ starts up without an error.
#include "data/record.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/texts.h"
#include "data/window.h"
#include "helpers.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace testdata;

namespace {

// The file's lines, every one ended by CR LF (how the demo files are written).
std::vector<Text> crlfLines(const Text& bytes) {
  std::vector<Text> out;
  std::size_t from = 0;
  for (std::size_t at; (at = bytes.find("\r\n", from)) != Text::npos; from = at + 2)
    out.push_back(bytes.substr(from, at - from));
  return out;
}

// The demo's draw folder copied into a fresh current directory.
class DemoFolder : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef LUCKYDRAW_SOURCE_DIR
    GTEST_SKIP() << "LUCKYDRAW_SOURCE_DIR is not defined for this test binary, so the demo "
                    "folder cannot be found";
#else
    const std::filesystem::path demo =
        u8path(LUCKYDRAW_SOURCE_DIR) / "examples" / "demo" / u8path("抽奖名单");
    if (!std::filesystem::is_directory(demo)) GTEST_SKIP() << "no demo folder at " << demo;
    ASSERT_TRUE(cwd_.ok());
    std::filesystem::copy(demo, u8path("抽奖名单"), std::filesystem::copy_options::recursive);
#endif
  }
  TempCwd cwd_;
};

TEST_F(DemoFolder, StartsUpCleanly) {
  const auto candidates = readBytes("抽奖名单/抽奖名单.txt");
  const auto settings = readBytes("抽奖名单/基础配置.ini");
  const auto prizes = readBytes("抽奖名单/奖项设置.ini");
  ASSERT_TRUE(candidates && settings && prizes);
  const auto names = crlfLines(*candidates);
  const auto settingLines = crlfLines(*settings);
  const auto prizeNames = crlfLines(*prizes);
  Text rejoined;
  for (const auto& l : names) rejoined += l + "\r\n";
  ASSERT_EQ(rejoined, *candidates) << "the demo list is not ended by CR LF throughout";
  ASSERT_GE(settingLines.size(), 6u);
  ASSERT_GE(prizeNames.size(), 4u);

  FakeWindow w;
  Session s;
  const auto r = raisedBy([&] { FormCreate(w, s); });
  EXPECT_FALSE(r.has_value()) << r->kind << ": " << r->message;

  EXPECT_GE(w.poolCount(), 60);
  EXPECT_EQ(w.names(), names);
  EXPECT_EQ(w.poolCaption, PoolCaption(int(names.size())));
  EXPECT_EQ(s.prizeCount, 4);
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(w.shown[k - 1], k <= 4) << "slot " << k;
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(w.captions[k - 1], prizeNames[k - 1]) << "slot " << k;
  EXPECT_EQ(w.headlineText, settingLines[3]);
  EXPECT_TRUE(w.pictureSet);
  EXPECT_FALSE(w.picture.isNull());
}

// The demo ships the record of an event before its first draw, so that the first
// "continue the previous record?" answered with Yes (the default) continues it cleanly.
TEST_F(DemoFolder, ContinuesItsEmptyWinnersRecord) {
  const auto shipped = readBytes("抽奖名单/获奖记录.txt");
  ASSERT_TRUE(shipped) << "the demo has no winners record";

  FakeWindow w;
  Session s;
  ASSERT_FALSE(raisedBy([&] { FormCreate(w, s); }).has_value());
  const auto pool = w.names();
  FakeDialogs dialogs;
  FakeClock clock;
  dialogs.answer = platform::Dialogs::Answer::Yes;
  const auto r = raisedBy([&] { FormShow(w, s, dialogs, clock); });
  EXPECT_FALSE(r.has_value()) << r->kind << ": " << r->message;
  EXPECT_TRUE(dialogs.errors.empty());
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(w.counters[k - 1], k <= 4 ? "0" : "00") << "slot " << k;
    EXPECT_EQ(s.winners[k - 1], "") << "slot " << k;
  }
  EXPECT_EQ(w.names(), pool) << "the empty record took names out of the pool";
  EXPECT_EQ(w.poolCaption, PoolCaption(int(pool.size())));

  // It is exactly the record the program writes for this event before any draw.
  ASSERT_FALSE(raisedBy([&] { SaveHuman(w, s); }).has_value());
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), shipped);
  EXPECT_EQ(*shipped, crlf({"[特等奖]", "", "[一等奖]", "", "[二等奖]", "", "[幸运奖]", ""}));
}

}  // namespace
