// Which screen the audience's view goes to: told apart by name and place, never by order;
// never the operator's screen; the remembered one when it is there.
#include "app/screenchoice.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

const ScreenId kLaptop{"eDP-1", {0, 0, 1366, 768}};
const ScreenId kProjector{"HDMI-1", {1366, 0, 1920, 1080}};
const ScreenId kProjectorLeft{"HDMI-1", {-1920, 0, 1920, 1080}};  // placed left of the laptop
const ScreenId kWall{"DP-2", {3286, 0, 3840, 2160}};
const ScreenId kSmall{"DP-3", {0, 768, 800, 600}};
const QRect kOnLaptop{100, 50, 940, 700};
const QRect kOnProjector{1500, 100, 940, 700};

struct Case {
  const char* name;
  std::vector<ScreenId> screens;
  QRect operatorWindow;
  std::optional<ScreenId> remembered;
  std::optional<ScreenId> expected;  // nothing: no screen for the audience
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class ChooseScreen : public ::testing::TestWithParam<Case> {};

TEST_P(ChooseScreen, ByNameAndPlaceNeverTheOperatorsScreen) {
  const Case& c = GetParam();
  const int chosen = choosePresenterScreen(c.screens, c.operatorWindow, c.remembered);
  if (!c.expected) {
    EXPECT_EQ(chosen, -1);
    return;
  }
  ASSERT_GE(chosen, 0);
  EXPECT_EQ(c.screens[size_t(chosen)], *c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ChooseScreen,
    ::testing::Values(
        Case{"NoScreen", {}, kOnLaptop, std::nullopt, std::nullopt},
        Case{"OneScreen", {kLaptop}, kOnLaptop, std::nullopt, std::nullopt},
        Case{"OneScreenRemembered", {kLaptop}, kOnLaptop, kLaptop, std::nullopt},
        Case{"TheOtherScreen", {kLaptop, kProjector}, kOnLaptop, std::nullopt, kProjector},
        // Qt's order differs between systems: the same answer whatever the order.
        Case{"TheOtherScreenInAnyOrder", {kProjector, kLaptop}, kOnLaptop, std::nullopt, kProjector},
        Case{"TheOperatorOnTheProjector", {kLaptop, kProjector}, kOnProjector, std::nullopt, kLaptop},
        // Mostly on the laptop, a little over the projector: the laptop holds it.
        Case{"AWindowAcrossTwoScreens", {kLaptop, kProjector}, QRect(800, 0, 940, 700), std::nullopt, kProjector},
        Case{"TheRememberedOne", {kLaptop, kProjector, kWall}, kOnLaptop, kProjector, kProjector},
        Case{"TheRememberedOneInAnotherOrder", {kWall, kProjector, kLaptop}, kOnLaptop, kProjector, kProjector},
        // The projector was moved to the laptop's other side: still known by its name.
        Case{"TheRememberedNameElsewhere", {kLaptop, kWall, kProjectorLeft}, kOnLaptop, kProjector,
             kProjectorLeft},
        // Windows renumbered the outputs: known by its place.
        Case{"TheRememberedPlaceUnderAnotherName", {kLaptop, ScreenId{"DISPLAY7", kProjector.geometry}, kWall},
             kOnLaptop, kProjector, ScreenId{"DISPLAY7", kProjector.geometry}},
        // The remembered screen now holds the operator's window: another one.
        Case{"TheRememberedOneHoldsTheOperator", {kLaptop, kProjector}, kOnProjector, kProjector, kLaptop},
        Case{"TheRememberedOneIsGone", {kLaptop, kWall}, kOnLaptop, kProjector, kWall},
        // Nothing remembered: the largest of the others.
        Case{"TheLargestOfTheOthers", {kSmall, kLaptop, kProjector, kWall}, kOnLaptop, std::nullopt, kWall},
        Case{"EqualScreensTheLeftmost", {kLaptop, kProjector, ScreenId{"HDMI-2", {3286, 0, 1920, 1080}}},
             kOnLaptop, std::nullopt, kProjector},
        // A window off every screen holds none: any screen can take the view.
        Case{"AWindowOffEveryScreen", {kLaptop, kProjector}, QRect(-5000, -5000, 100, 100), std::nullopt,
             kProjector}));

TEST(ScreenHolding, TheScreenCoveredMost) {
  EXPECT_EQ(screenHolding({kLaptop, kProjector}, kOnLaptop), 0);
  EXPECT_EQ(screenHolding({kLaptop, kProjector}, QRect(1200, 0, 940, 700)), 1);
  EXPECT_EQ(screenHolding({kLaptop, kProjector}, QRect(-5000, 0, 10, 10)), -1);
}

}  // namespace

// Where a rehearsal window goes on the operator's screen.
struct Rehearsal {
  const char* name;
  QRect area, operatorWindow;
  QRect expected;
};
void PrintTo(const Rehearsal& c, std::ostream* os) { *os << c.name; }

class RehearsalPlace : public ::testing::TestWithParam<Rehearsal> {};

TEST_P(RehearsalPlace, ClearOfTheOperatorWhereACornerHasRoom) {
  const Rehearsal& c = GetParam();
  const QRect place = rehearsalPlace(c.area, c.operatorWindow);
  EXPECT_EQ(place, c.expected);
  EXPECT_TRUE(c.area.contains(place));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, RehearsalPlace,
    ::testing::Values(
        // The window centred on a full HD screen leaves 494 px on either side.
        Rehearsal{"CentredOnFullHd", {0, 0, 1920, 1040}, {494, 183, 932, 673}, {0, 0, 480, 270}},
        // Moved to the left: a large window fits on the right.
        Rehearsal{"OperatorOnTheLeft", {0, 0, 1920, 1040}, {0, 0, 932, 673}, {960, 0, 960, 540}},
        // A task bar on the left: the area starts right of it, and 960 px no longer fit.
        Rehearsal{"TaskBarLeft", {60, 0, 1860, 1080}, {60, 0, 932, 673}, {1040, 0, 880, 495}},
        // A laptop's screen the window nearly fills: no corner is clear; the smallest size
        // in the corner that covers least of the window.
        Rehearsal{"WindowFillsTheScreen", {0, 0, 1366, 728}, {100, 0, 1000, 728}, {886, 0, 480, 270}},
        // A screen smaller than the smallest size: the area itself.
        Rehearsal{"TinyScreen", {0, 0, 400, 200}, {0, 0, 400, 200}, {0, 0, 400, 200}}),
    [](const auto& info) { return std::string(info.param.name); });
