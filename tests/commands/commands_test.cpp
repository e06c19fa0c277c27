// The side commands against a plain window: adding and deleting pool names, the
// draw-size field's guard and the file shortcuts.
#include "app/commands.h"
#include "data/errors.h"
#include "data/random.h"
#include "data/record.h"
#include "data/session.h"
#include "data/texts.h"
#include "draw/cycle.h"
#include "draw/pick.h"
#include "platform/codec.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>

using platform::ansi;

namespace {

class SideCommandsTest : public ::testing::Test {
 protected:
  FakeWindow w;
  FakeDialogs dialogs;
  FakeLauncher launcher;
  SideCommands commands{w, dialogs, launcher};

  void SetUp() override { w.setPool({ansi("甲"), ansi("乙"), ansi("丙")}); }
};

// ---- Adding a name -------------------------------------------------------------------

struct AddCase {
  const char* label;
  bool cancel;
  const char* reply;  // UTF-8
};

class AddNothing : public SideCommandsTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddNothing, LeavesThePoolUnchanged) {
  dialogs.inputCancels = GetParam().cancel;
  dialogs.inputReply = ansi(GetParam().reply);
  const auto before = w.names();
  commands.N1Click();
  EXPECT_EQ(w.names(), before);
  ASSERT_EQ(dialogs.inputs.size(), 1u);
  EXPECT_EQ(dialogs.inputs[0].caption, ansi("提示"));
  EXPECT_EQ(dialogs.inputs[0].text, ansi("请输入加入名单的名字"));
}

INSTANTIATE_TEST_SUITE_P(Answers, AddNothing,
                         ::testing::Values(AddCase{"Cancel", true, "ignored"},
                                           AddCase{"Empty", false, ""},
                                           AddCase{"Blanks", false, "   "},
                                           AddCase{"BlanksAndTabs", false, " \t \t "},
                                           AddCase{"ControlBytes", false, "\r\n\x01"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SideCommandsTest, PaddedNameIsAppendedTrimmedAndCaptionFollowsAtOnce) {
  w.poolCaption = PoolCaption(3);
  w.pool[1].selected = true;
  dialogs.inputReply = ansi("  \t张三 ");
  commands.N1Click();
  ASSERT_EQ(w.poolCount(), 4);
  EXPECT_EQ(w.pool.back().name, ansi("张三"));
  EXPECT_EQ(w.poolCaption, PoolCaption(4));
  EXPECT_EQ(w.selectedRows(), std::vector<int>{1});
}

TEST_F(SideCommandsTest, NameAlreadyInThePoolBecomesASecondEntry) {
  dialogs.inputReply = ansi("乙");
  commands.N1Click();
  EXPECT_EQ(w.names(), (std::vector<Text>{ansi("甲"), ansi("乙"), ansi("丙"), ansi("乙")}));
}

TEST_F(SideCommandsTest, RefusedEntryRaisesTheInsertErrorAndChangesNothing) {
  w.refuseAppend = true;
  dialogs.inputReply = ansi("丁");
  EXPECT_THROW(commands.N1Click(), EOutOfResources);
  EXPECT_EQ(w.poolCount(), 3);
}

// ---- Deleting the selected entries ---------------------------------------------------

TEST_F(SideCommandsTest, DeletesExactlyTheSelectedEntriesKeepingTheOrder) {
  w.setPool({ansi("甲"), ansi("乙"), ansi("甲"), ansi("丙"), ansi("丁")});
  w.pool[2].selected = w.pool[4].selected = true;
  w.poolCaption = PoolCaption(5);
  commands.N2Click();
  EXPECT_EQ(w.names(), (std::vector<Text>{ansi("甲"), ansi("乙"), ansi("丙")}));
  EXPECT_EQ(w.poolCaption, PoolCaption(3));
}

TEST_F(SideCommandsTest, DeletingWithNothingSelectedChangesNothing) {
  commands.N2Click();
  EXPECT_EQ(w.poolCount(), 3);
}

// ---- The draw-size guard -------------------------------------------------------------

struct KeyCase {
  const char* label;
  char key;
  const char* before;  // the field's text
  bool kept;
  const char* after;
};

class DrawSizeKey : public SideCommandsTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DrawSizeKey, OnlyDigitsPassAndAMissingOrTooSmallValueBecomesOne) {
  const KeyCase& c = GetParam();
  w.drawSize = c.before;
  char key = c.key;
  commands.SpinEdit1KeyPress(key);
  EXPECT_EQ(key, c.kept ? c.key : '\0');
  EXPECT_EQ(w.drawSize, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DrawSizeKey,
    ::testing::Values(KeyCase{"Digit", '7', "5", true, "5"},
                      KeyCase{"Zero", '0', "5", true, "5"},
                      KeyCase{"Letter", 'a', "5", false, "5"},
                      KeyCase{"Minus", '-', "5", false, "5"},
                      KeyCase{"FullStop", '.', "5", false, "5"},
                      KeyCase{"Blank", ' ', "5", false, "5"},
                      KeyCase{"Backspace", '\b', "5", false, "5"},
                      KeyCase{"Enter", '\r', "5", false, "5"},
                      KeyCase{"CtrlV", '\x16', "5", false, "5"},
                      KeyCase{"ChineseByte", '\xA3', "5", false, "5"},
                      KeyCase{"BlankIntoEmpty", ' ', "", false, "1"},
                      KeyCase{"DigitIntoEmpty", '3', "", true, "1"},
                      KeyCase{"DigitOverZero", '4', "0", true, "1"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(SideCommandsTest, MouseDownRaisesAMissingValueToOneAndLeavesOthers) {
  w.drawSize = "";
  commands.SpinEdit1MouseDown();
  EXPECT_EQ(w.drawSize, "1");
  w.drawSize = "12";
  commands.SpinEdit1MouseDown();
  EXPECT_EQ(w.drawSize, "12");
}

// ---- File shortcuts ------------------------------------------------------------------

struct ShortcutCase {
  const char* label;
  void (SideCommands::*handler)();
  const char* file;  // UTF-8, under the current directory
};

class Shortcut : public SideCommandsTest, public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(Shortcut, OpensTheFileTheProgramUsesByItsAbsolutePathAfterTheFocusStep) {
  testkit::TempCwd dir;
  ASSERT_TRUE(dir.ok());
  (commands.*GetParam().handler)();

  ASSERT_EQ(launcher.opened.size(), 1u);
  const QString expected = QDir::toNativeSeparators(dir.path() + "/" + QString::fromUtf8(GetParam().file));
  EXPECT_EQ(platform::fromAnsi(launcher.opened[0]), expected);
  EXPECT_TRUE(w.drawSizeFocused);
  EXPECT_EQ(w.focusCalls, 1);
}

TEST_P(Shortcut, DuringADrawOpensTheFileAndTheWindowTakesTheFocus) {
  w.prizeBarOn = false;
  EXPECT_NO_THROW((commands.*GetParam().handler)());
  EXPECT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(w.focusCalls, 0);
  EXPECT_EQ(w.windowFocusCalls, 1);
}

// No opener and no editor on the machine: the error names the file, by the same full path
// the editor would have been given, and the focus step has still been taken.
TEST_P(Shortcut, WithNothingToOpenTheFileRaisesAnErrorNamingIt) {
  launcher.finds = false;
  testkit::TempCwd dir;
  ASSERT_TRUE(dir.ok());
  try {
    (commands.*GetParam().handler)();
    ADD_FAILURE() << "no error raised";
  } catch (const ELaunchError& e) {
    const QString file = QDir::toNativeSeparators(dir.path() + "/" + QString::fromUtf8(GetParam().file));
    EXPECT_EQ(platform::fromAnsi(e.message()).toStdString(),
              ("Cannot open file \"" + file + "\" in an editor: no program to open it was found").toStdString());
  }
  EXPECT_EQ(launcher.opened.size(), 1u);
  EXPECT_TRUE(w.drawSizeFocused);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Shortcut,
    ::testing::Values(ShortcutCase{"WinnersRecord", &SideCommands::Button3Click, "抽奖名单/获奖记录.txt"},
                      ShortcutCase{"Settings", &SideCommands::FlatButton2Click, "抽奖名单/基础配置.ini"},
                      ShortcutCase{"Prizes", &SideCommands::FlatButton3Click, "抽奖名单/奖项设置.ini"},
                      ShortcutCase{"CandidateList", &SideCommands::SpeedButton1Click, "抽奖名单/抽奖名单.txt"}),
    [](const auto& info) { return std::string(info.param.label); });

// ---- Editing during a draw -----------------------------------------------------------

TEST_F(SideCommandsTest, NameAddedDuringADrawCanBePickedAndRecorded) {
  testkit::TempCwd dir;
  ASSERT_TRUE(dir.ok());
  ASSERT_TRUE(dir.makeDrawFolder());

  Session s;
  FakeSound sound;
  FairRandom random(4);
  FakeClock clock;
  DrawCycle cycle(w, s, sound, clock, "\\x\\");
  w.drawSize = "4";
  cycle.Button1Click();  // Start
  Timer1Timer(w, random);
  dialogs.inputReply = ansi("丁");
  commands.N1Click();
  Timer1Timer(w, random);  // four of four: every entry, the new one too
  EXPECT_EQ(w.headlineText, ansi("甲，乙，丙，丁"));
  cycle.Timer2Timer();
  cycle.Button1Click();  // Stop

  EXPECT_EQ(s.winners[0], ansi("甲，乙，丙，丁"));
  EXPECT_EQ(w.poolCount(), 0);
}

TEST_F(SideCommandsTest, DeletingDuringADrawRemovesThePickOnScreenAndTheNextTickPicksFromTheRest) {
  FairRandom random(5);
  w.setPool({ansi("甲"), ansi("乙"), ansi("丙"), ansi("丁"), ansi("戊")});
  w.drawSize = "2";
  Timer1Timer(w, random);
  const auto picked = w.selectedRows();
  ASSERT_EQ(picked.size(), 2u);
  std::vector<Text> left;
  for (int i = 0; i < 5; ++i)
    if (!w.pool[i].selected) left.push_back(w.pool[i].name);
  commands.N2Click();
  EXPECT_EQ(w.names(), left);
  Timer1Timer(w, random);
  EXPECT_EQ(w.selectedRows().size(), 2u);
}

}  // namespace
