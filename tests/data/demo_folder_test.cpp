// The demo event folder shipped in examples/ starts up without an error.
#include "data/startup.h"
#include "data/texts.h"
#include "data/window.h"
#include "support.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace testdata;

namespace {

// The file's lines, every one ended by CR LF (how the demo files are written).
[[maybe_unused]] std::vector<Text> crlfLines(const Text& bytes) {
  std::vector<Text> out;
  std::size_t from = 0;
  for (std::size_t at; (at = bytes.find("\r\n", from)) != Text::npos; from = at + 2)
    out.push_back(bytes.substr(from, at - from));
  return out;
}

TEST(DemoFolder, StartsUpCleanly) {
#ifndef LUCKYDRAW_SOURCE_DIR
  GTEST_SKIP() << "LUCKYDRAW_SOURCE_DIR is not defined for this test binary, so the demo "
                  "folder cannot be found";
#else
  const std::filesystem::path demo =
      u8path(LUCKYDRAW_SOURCE_DIR) / "examples" / "demo" / u8path("抽奖名单");
  if (!std::filesystem::is_directory(demo)) GTEST_SKIP() << "no demo folder at " << demo;

  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  std::filesystem::copy(demo, u8path("抽奖名单"), std::filesystem::copy_options::recursive);

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
#endif
}

}  // namespace
