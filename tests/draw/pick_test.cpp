// One pick (the tick of Timer1): what ends up selected and in the headline.
#include "helpers.h"

#include "data/errors.h"
#include "data/random.h"
#include "draw/pick.h"

#include <gtest/gtest.h>

#include <set>

using namespace drawtest;

namespace {

std::vector<Text> ansiNames(const std::vector<const char*>& utf8) {
  std::vector<Text> out;
  for (const char* n : utf8) out.push_back(A(n));
  return out;
}

// Leaves a previous pick behind: every entry selected and some text in the headline.
void leaveOldPick(FakeWindow& w) {
  for (auto& e : w.pool) e.selected = true;
  w.headlineText = A("上一轮");
}

// ---------------------------------------------------------------------------------------
// Picks that involve no chance: an empty pool, a draw size of 0 or below, and a pool not
// larger than the draw size (every entry, in pool order).

struct FixedCase {
  const char* name;
  std::vector<const char*> pool;
  const char* drawSize;
  const char* headline;
  std::vector<int> rows;
};

class FixedPick : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedPick, SelectsAndWritesWithoutTouchingTheRandomSource) {
  const FixedCase& c = GetParam();
  FakeWindow w;
  w.setPool(ansiNames(c.pool));
  w.drawSize = c.drawSize;
  leaveOldPick(w);
  ScriptedRandom random;

  int picked = -1;
  ASSERT_NO_THROW(picked = Timer1Timer(w, random));

  EXPECT_EQ(w.headlineText, A(c.headline));
  EXPECT_EQ(w.selectedRows(), c.rows);
  EXPECT_EQ(picked, int(c.rows.size()));
  EXPECT_EQ(w.names(), ansiNames(c.pool)) << "a pick never changes the pool's entries";
  EXPECT_EQ(random.calls, 0) << "no random number is needed here";
}

INSTANTIATE_TEST_SUITE_P(
    Table, FixedPick,
    ::testing::Values(
        // An empty pool ends the pick before the draw size is read, whatever the field holds.
        FixedCase{"EmptyPoolWithNoDrawSize", {}, "", "", {}},
        FixedCase{"EmptyPoolWithTextDrawSize", {}, "abc", "", {}},
        FixedCase{"EmptyPoolWithDrawSize5", {}, "5", "", {}},
        // Not more entries than the draw size: all of them, in pool order, every tick.
        FixedCase{"ThreeOfThree", {"甲", "乙", "丙"}, "3", "甲，乙，丙", {0, 1, 2}},
        FixedCase{"ThreeWithDrawSize5", {"甲", "乙", "丙"}, "5", "甲，乙，丙", {0, 1, 2}},
        FixedCase{"ThreeWithDrawSize999", {"甲", "乙", "丙"}, "999", "甲，乙，丙", {0, 1, 2}},
        FixedCase{"DrawSizeWithLeadingBlanks", {"甲", "乙", "丙"}, "  3", "甲，乙，丙", {0, 1, 2}},
        FixedCase{"EqualNamesBothTaken", {"甲", "甲"}, "2", "甲，甲", {0, 1}},
        // An empty name adds nothing, and no separator when the headline is still empty.
        FixedCase{"EmptyNameThenName", {"", "乙"}, "2", "乙", {0, 1}},
        FixedCase{"NameThenEmptyName", {"乙", ""}, "2", "乙，", {0, 1}},
        FixedCase{"OnlyEmptyNames", {"", ""}, "5", "", {0, 1}},
        // A draw size of 0 or below selects nothing (and clears the previous pick).
        FixedCase{"DrawSizeZero", {"甲", "乙", "丙"}, "0", "", {}},
        FixedCase{"DrawSizeNegative", {"甲", "乙", "丙"}, "-2", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// A draw size that is not an integer: the previous pick is cleared, then the conversion
// error names the field's text.

class BadDrawSize : public ::testing::TestWithParam<const char*> {};

TEST_P(BadDrawSize, RaisesAfterClearingHeadlineAndFlags) {
  FakeWindow w;
  w.setPool(ansiNames({"甲", "乙", "丙", "丁"}));
  w.drawSize = GetParam();
  leaveOldPick(w);
  ScriptedRandom random;

  try {
    Timer1Timer(w, random);
    FAIL() << "expected EConvertError";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.message(), "'" + Text(GetParam()) + "' is not a valid integer value");
  }
  EXPECT_EQ(w.headlineText, "");
  EXPECT_EQ(w.poolSelectedCount(), 0);
  EXPECT_EQ(w.poolCount(), 4);
}

INSTANTIATE_TEST_SUITE_P(Texts, BadDrawSize, ::testing::Values("", "abc", "5 ", "1,000", "2.0"));

// ---------------------------------------------------------------------------------------
// Random picks steered by a scripted random source, so the expected headline follows from
// the pool alone.

struct OrderCase {
  const char* name;
  std::vector<const char*> pool;
  std::vector<std::uint32_t> draws;  // the numbers the random source gives, refused ones too
  std::vector<int> order;            // the indices chosen, in the order drawn
  const char* headline;
};

class SteeredPick : public ::testing::TestWithParam<OrderCase> {};

TEST_P(SteeredPick, HeadlineFollowsTheDrawOrder) {
  const OrderCase& c = GetParam();
  const int n = int(c.order.size());
  FakeWindow w;
  w.setPool(ansiNames(c.pool));
  w.drawSize = std::to_string(n);
  leaveOldPick(w);
  ScriptedRandom random(c.draws);

  EXPECT_EQ(Timer1Timer(w, random), n);

  EXPECT_EQ(w.headlineText, A(c.headline));
  std::vector<int> rows = c.order;
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(w.selectedRows(), rows);
  EXPECT_EQ(random.calls, int(c.draws.size())) << "one number per draw, refused ones too";
}

INSTANTIATE_TEST_SUITE_P(
    Table, SteeredPick,
    ::testing::Values(
        OrderCase{"ThreeOfFourInDrawOrder", {"甲", "乙", "丙", "丁"}, {2, 0, 3}, {2, 0, 3}, "丙，甲，丁"},
        OrderCase{"RefusedDrawsAreDrawnAgain", {"甲", "乙", "丙", "丁"}, {3, 3, 1, 3, 1, 0}, {3, 1, 0},
                  "丁，乙，甲"},
        OrderCase{"EmptyNameDrawnFirst", {"", "乙", "丙"}, {0, 1}, {0, 1}, "乙"},
        OrderCase{"EmptyNameDrawnSecond", {"", "乙", "丙"}, {1, 0}, {1, 0}, "乙，"},
        OrderCase{"EqualNamesBothDrawn", {"甲", "甲", "乙"}, {1, 0}, {1, 0}, "甲，甲"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Many ticks: every pick selects exactly draw-size distinct entries and names exactly them.

struct ManyCase {
  int poolSize;
  int drawSize;
  int ticks;
};

class ManyTicks : public ::testing::TestWithParam<ManyCase> {};

TEST_P(ManyTicks, ExactlyDrawSizeDistinctEntriesEveryTick) {
  const ManyCase& c = GetParam();
  FakeWindow w;
  std::vector<Text> names;
  for (int i = 0; i < c.poolSize; ++i) names.push_back("N" + std::to_string(i));
  w.setPool(names);
  w.drawSize = std::to_string(c.drawSize);
  CountingRandom random(std::uint64_t(c.poolSize) * 1000 + std::uint64_t(c.drawSize));

  for (int t = 0; t < c.ticks; ++t) {
    const int drawsBefore = random.calls;
    ASSERT_EQ(Timer1Timer(w, random), c.drawSize) << "tick " << t;
    ASSERT_EQ(w.poolSelectedCount(), c.drawSize) << "tick " << t;
    ASSERT_GE(random.calls - drawsBefore, c.drawSize) << "tick " << t;

    std::vector<Text> inHeadline = splitNames(w.headlineText);
    ASSERT_EQ(int(inHeadline.size()), c.drawSize) << "tick " << t;
    std::set<Text> distinct(inHeadline.begin(), inHeadline.end());
    ASSERT_EQ(int(distinct.size()), c.drawSize) << "an index came twice, tick " << t;
    std::set<Text> selected;
    for (int i : w.selectedRows()) selected.insert(w.pool[i].name);
    ASSERT_EQ(distinct, selected) << "headline and flags disagree, tick " << t;
  }
  EXPECT_EQ(w.names(), names);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ManyTicks,
                         ::testing::Values(ManyCase{10, 5, 300}, ManyCase{1000, 999, 20},
                                           ManyCase{4, 3, 200}),
                         [](const auto& info) {
                           return std::to_string(info.param.drawSize) + "Of" +
                                  std::to_string(info.param.poolSize);
                         });

TEST(Pick, PoolOfTwoWithDrawSizeOneBringsUpBoth) {
  FakeWindow w;
  w.setPool(ansiNames({"甲", "乙"}));
  w.drawSize = "1";
  FairRandom random(2);
  std::set<int> seen;
  for (int t = 0; t < 200; ++t) {
    ASSERT_EQ(Timer1Timer(w, random), 1);
    ASSERT_EQ(w.selectedRows().size(), 1u);
    const int row = w.selectedRows()[0];
    ASSERT_EQ(w.headlineText, w.pool[row].name);
    seen.insert(row);
  }
  EXPECT_EQ(seen, (std::set<int>{0, 1}));
}

TEST(Pick, SameSeedGivesSamePicks) {
  const std::vector<Text> names =
      ansiNames({"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"});
  FakeWindow w1, w2;
  w1.setPool(names);
  w2.setPool(names);
  w1.drawSize = w2.drawSize = "4";
  FairRandom r1(0x1234'5678'9ABCull), r2(0x1234'5678'9ABCull);

  std::set<Text> headlines;
  for (int t = 0; t < 50; ++t) {
    Timer1Timer(w1, r1);
    Timer1Timer(w2, r2);
    ASSERT_EQ(w1.headlineText, w2.headlineText) << "tick " << t;
    ASSERT_EQ(w1.selectedRows(), w2.selectedRows()) << "tick " << t;
    headlines.insert(w1.headlineText);
  }
  EXPECT_GT(headlines.size(), 1u) << "picks should vary from tick to tick";
}

TEST(Pick, ReadsThePoolAfreshEveryTick) {
  FakeWindow w;
  w.setPool(ansiNames({"甲", "乙", "丙", "丁"}));
  w.drawSize = "3";
  FairRandom random(3);
  Timer1Timer(w, random);
  ASSERT_EQ(w.poolSelectedCount(), 3);

  w.poolDeleteRows({0, 3});  // the pool shrinks between ticks (a name deleted by hand)
  EXPECT_EQ(Timer1Timer(w, random), 2);
  EXPECT_EQ(w.headlineText, A("乙，丙"));

  w.poolClear();
  EXPECT_EQ(Timer1Timer(w, random), 0);
  EXPECT_EQ(w.headlineText, "");
}

}  // namespace
