// Laying out a draw's names: the largest type at which all of them fit the box, lines broken
// only between names, and at the floor as many whole names as fit with "…" after them.
#include "widgets/namefit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What a fit shows, checked against the box: the lines in order from the first name, each
// line no wider than the box at the fit's size (a line of one name excepted when the fit is
// cut), all lines together no higher than the box.
void expectLinesFit(const std::vector<double>& widths, const NameFitBox& box, const NameFit& fit) {
  ASSERT_FALSE(fit.lineStarts.empty());
  EXPECT_EQ(fit.lineStarts.front(), 0);
  EXPECT_LE(double(fit.lineStarts.size()) * box.lineHeight * fit.size, box.height);
  for (size_t line = 0; line < fit.lineStarts.size(); ++line) {
    const int begin = fit.lineStarts[line], end = lineEnd(fit, line);
    ASSERT_LT(begin, end) << "line " << line << " is empty";
    double used = -box.gap * fit.size;
    for (int i = begin; i < end; ++i) used += (widths[size_t(i)] + box.gap) * fit.size;
    const bool last = line + 1 == fit.lineStarts.size();
    if (last && fit.cut && fit.shown < int(widths.size())) used += (box.gap + box.ellipsisWidth) * fit.size;
    if (end - begin > 1 || !fit.cut) {
      EXPECT_LE(used, box.width + 1e-9) << "line " << line;
    }
    // A line ends only where its next name would not have fitted on it.
    if (!last) {
      EXPECT_GT(used + (box.gap + widths[size_t(end)]) * fit.size, box.width) << "line " << line;
    }
  }
}

// Whether all names fit at size s, worked out line by line as a reader would.
bool allFitAt(const std::vector<double>& widths, const NameFitBox& box, int s) {
  int lines = 1;
  double used = 0;
  for (size_t i = 0; i < widths.size(); ++i) {
    const double w = widths[i] * s;
    if (w > box.width) return false;
    if (i > 0 && used + box.gap * s + w <= box.width) {
      used += box.gap * s + w;
    } else {
      if (i > 0) ++lines;
      used = w;
    }
  }
  return lines * box.lineHeight * s <= box.height;
}

struct Case {
  const char* name;
  std::vector<double> widths;  // at a size of 1 px
  NameFitBox box;
  int size;                    // the size expected, or 0: the largest one that fits
  bool cut;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::vector<double> names(int count, double width) { return std::vector<double>(size_t(count), width); }
std::vector<double> mixed(int count) {
  std::vector<double> w;
  for (int i = 0; i < count; ++i) w.push_back(2.0 + (i * 7 % 5) * 0.5);  // 2 to 4 characters
  return w;
}
NameFitBox screen(double w, double h) { return NameFitBox{.width = w, .height = h}; }

class FitNames : public ::testing::TestWithParam<Case> {};

TEST_P(FitNames, LargestTypeAtWhichEveryNameFitsWholeOrTheFloorWithACut) {
  const Case& c = GetParam();
  const NameFit fit = fitNames(c.widths, c.box);
  EXPECT_EQ(fit.cut, c.cut);
  if (c.size) {
    EXPECT_EQ(fit.size, c.size);
  }
  expectLinesFit(c.widths, c.box, fit);
  if (!c.cut) {
    EXPECT_EQ(fit.shown, int(c.widths.size()));
    EXPECT_TRUE(allFitAt(c.widths, c.box, fit.size));
    if (fit.size < c.box.ceiling) {
      EXPECT_FALSE(allFitAt(c.widths, c.box, fit.size + 1)) << "one size larger fits too";
    }
  } else {
    EXPECT_EQ(fit.size, c.box.floor);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, FitNames,
    ::testing::Values(
        // One name of two characters: as large as the ceiling allows.
        Case{"OneNameAtTheCeiling", names(1, 2), screen(1000, 800), 400, false},
        // One name limited by the box's height: 300 / 1.3 = 230.7.
        Case{"OneNameByHeight", names(1, 2), screen(1000, 300), 230, false},
        // Three names on one line: 2 + 1 + 2 + 1 + 2 = 8 em in 1000 px, 1.3 em in 100 px.
        Case{"ThreeNamesOneLine", names(3, 2), screen(1000, 100), 76, false},
        Case{"FiveMixedNamesOnAProjector", mixed(5), screen(1800, 700), 0, false},
        Case{"ThirtyNames", mixed(30), screen(1800, 700), 0, false},
        Case{"NineHundredNinetyNineNamesFullHd", mixed(999), screen(1800, 760), 0, false},
        Case{"NineHundredNinetyNineNamesUhd", mixed(999), screen(3600, 1520), 0, false},
        // A long name among short ones decides the size: 40 em in 800 px.
        Case{"ALongNameDecides", {2, 3, 40, 2, 3}, screen(800, 600), 20, false},
        // Too many for the floor: whole lines of names at the floor, "…" after the last.
        Case{"TooManyForTheBox", mixed(999), screen(300, 200), 12, true},
        // One name wider than the box even at the floor: shown, cut at the edge.
        Case{"ANameWiderThanTheBoxAtTheFloor", {30}, screen(200, 100), 12, true},
        Case{"AWideNameAmongOthersAtTheFloor", {2, 30, 2}, screen(200, 100), 12, true}));

TEST(FitNames, TheCutLeavesRoomForTheEllipsisOnTheLastLine) {
  const std::vector<double> widths = names(999, 3);
  const NameFitBox box = screen(290, 200);
  const NameFit fit = fitNames(widths, box);
  ASSERT_TRUE(fit.cut);
  // 290 px at 12 px: lines of 6 names (6 x 3 em + 5 gaps of 1 em = 23 em = 276 px);
  // 200 / 15.6 = 12 lines.
  EXPECT_EQ(fit.lineStarts.size(), 12u);
  // The last line gives up one name for the "…" (6 names, a gap and "…" are 25 em = 300 px):
  // 5 names and the ellipsis, 19 em = 228 px.
  EXPECT_EQ(fit.shown, 11 * 6 + 5);
}

TEST(FitNames, NoNamesNothingToShow) {
  const NameFit fit = fitNames({}, screen(100, 100));
  EXPECT_EQ(fit.shown, 0);
  EXPECT_TRUE(fit.lineStarts.empty());
  EXPECT_FALSE(fit.cut);
}

TEST(FitNames, ABoxTooLowForOneLineShowsNothingButTheCut) {
  const NameFit fit = fitNames(names(3, 2), screen(500, 5));
  EXPECT_TRUE(fit.cut);
  EXPECT_EQ(fit.shown, 0);
}

// Fewer names never need a smaller type.
TEST(FitNames, MoreNamesNeverGetALargerType) {
  const NameFitBox box = screen(1800, 760);
  int previous = box.ceiling;
  for (int count : {1, 2, 5, 10, 30, 100, 300, 999}) {
    const int size = fitNames(mixed(count), box).size;
    EXPECT_LE(size, previous) << count << " names";
    previous = size;
  }
}

}  // namespace
