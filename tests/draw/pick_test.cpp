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

std::vector<Text> splitHeadline(const Text& h) {
  std::vector<Text> out;
  size_t from = 0;
  for (;;) {
    size_t at = h.find(kSep, from);
    if (at == Text::npos) break;
    out.push_back(h.substr(from, at - from));
    from = at + kSep.size();
  }
  out.push_back(h.substr(from));
  return out;
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
  FakeClock clock;
  RandomSource random(clock);

  int picked = -1;
  ASSERT_NO_THROW(picked = Timer1Timer(w, random));

  EXPECT_EQ(w.headlineText, A(c.headline));
  EXPECT_EQ(w.selectedRows(), c.rows);
  EXPECT_EQ(picked, int(c.rows.size()));
  EXPECT_EQ(w.names(), ansiNames(c.pool)) << "a pick never changes the pool's entries";
  EXPECT_EQ(clock.counterReads, 0) << "no random number is needed here";
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
  FakeClock clock;
  RandomSource random(clock);

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
// Random picks steered by the counter: the clock's counter start is searched for one whose
// draws come out in the wanted order, so the expected headline follows from the pool alone.

struct OrderCase {
  const char* name;
  std::vector<const char*> pool;
  std::vector<int> order;  // indices in the order drawn
  int minRefused;          // at least this many draws hit an index already chosen
  const char* headline;
};

class SteeredPick : public ::testing::TestWithParam<OrderCase> {};

TEST_P(SteeredPick, HeadlineFollowsTheDrawOrder) {
  const OrderCase& c = GetParam();
  FakeClock clock;
  const int count = int(c.pool.size());
  const int n = int(c.order.size());
  auto start = findCounter(c.order, clock.step, count, c.minRefused);
  ASSERT_TRUE(start) << "no counter start gives this order";
  const Predicted p = predictPick(*start, clock.step, count, n);
  clock.counter = *start;

  FakeWindow w;
  w.setPool(ansiNames(c.pool));
  w.drawSize = std::to_string(n);
  leaveOldPick(w);
  RandomSource random(clock);

  EXPECT_EQ(Timer1Timer(w, random), n);

  EXPECT_EQ(w.headlineText, A(c.headline));
  std::vector<int> rows = c.order;
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(w.selectedRows(), rows);
  EXPECT_EQ(clock.counterReads, p.draws) << "one reseed before every draw, refused ones too";
}

INSTANTIATE_TEST_SUITE_P(
    Table, SteeredPick,
    ::testing::Values(
        OrderCase{"ThreeOfFourInDrawOrder", {"甲", "乙", "丙", "丁"}, {2, 0, 3}, 0, "丙，甲，丁"},
        OrderCase{"RefusedDrawsAreDrawnAgain", {"甲", "乙", "丙", "丁"}, {3, 1, 0}, 2, "丁，乙，甲"},
        OrderCase{"EmptyNameDrawnFirst", {"", "乙", "丙"}, {0, 1}, 0, "乙"},
        OrderCase{"EmptyNameDrawnSecond", {"", "乙", "丙"}, {1, 0}, 0, "乙，"},
        OrderCase{"EqualNamesBothDrawn", {"甲", "甲", "乙"}, {1, 0}, 0, "甲，甲"}),
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
  FakeClock clock;
  ASSERT_NE(clock.step, 0u);
  RandomSource random(clock);

  for (int t = 0; t < c.ticks; ++t) {
    const int readsBefore = clock.counterReads;
    ASSERT_EQ(Timer1Timer(w, random), c.drawSize) << "tick " << t;
    ASSERT_EQ(w.poolSelectedCount(), c.drawSize) << "tick " << t;
    ASSERT_GE(clock.counterReads - readsBefore, c.drawSize) << "tick " << t;

    std::vector<Text> inHeadline = splitHeadline(w.headlineText);
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
  FakeClock clock;
  RandomSource random(clock);
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

TEST(Pick, SameCounterSequenceGivesSamePicks) {
  const std::vector<Text> names =
      ansiNames({"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"});
  FakeWindow w1, w2;
  w1.setPool(names);
  w2.setPool(names);
  w1.drawSize = w2.drawSize = "4";
  FakeClock c1, c2;
  c1.counter = c2.counter = 0x1234'5678'9ABCull;
  RandomSource r1(c1), r2(c2);

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
  FakeClock clock;
  RandomSource random(clock);
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
