// The guard around handlers and the error report it shows.
#include "data/errors.h"
#include "data/guard.h"
#include "data/texts.h"
#include "helpers.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace testdata;

namespace {

// ---------------------------------------------------------------------------------------
// The full-stop rule.

struct ReportCase {
  const char* name;
  Text message, shown;
};
void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }

const ReportCase kReports[] = {
    {"IndexErrorEndsInParenthesis", "List index out of bounds (5)", "List index out of bounds (5)"},
    {"ConversionErrorGetsStop", "'' is not a valid integer value", "'' is not a valid integer value."},
    {"WriteErrorGetsStop", "Stream write error", "Stream write error."},
    {"Empty", "", ""},
    {"AlreadyFullStop", "Done.", "Done."},
    {"Comma", "a,", "a,"},
    {"Hyphen", "a-", "a-"},
    {"Blank", "a ", "a "},
    {"Exclamation", "a!", "a!"},
    {"Apostrophe", "'a'", "'a'"},
    {"Slash", "a/", "a/."},  // 0x2F is just above the full stop
    {"Digit", "a0", "a0."},
    {"ChineseFullStop", "\xCF\xB5\xCD\xB3\xA1\xA3", "\xCF\xB5\xCD\xB3\xA1\xA3."},  // 系统。
    {"ChineseCharacter", "\xD5\xC5\xC8\xFD", "\xD5\xC5\xC8\xFD."},                  // 张三
    {"SecondByteBackslash", "x\x81\x5C", "x\x81\x5C."},                            // x乗
};

class ReportTextTable : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportTextTable, AppendsFullStopByLastCharacter) {
  EXPECT_EQ(ReportText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Table, ReportTextTable, ::testing::ValuesIn(kReports),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Guarded.

TEST(Guard, PassesWhenNothingIsRaised) {
  FakeDialogs dialogs;
  ErrorReporter reporter(dialogs, T().appTitle);
  int steps = 0;
  EXPECT_TRUE(Guarded(reporter, [&] { ++steps; }));
  EXPECT_EQ(steps, 1);
  EXPECT_TRUE(dialogs.errors.empty());
  EXPECT_EQ(reporter.shown(), 0);
}

TEST(Guard, EndsHandlerAtFailingStepAndShowsReport) {
  FakeDialogs dialogs;
  ErrorReporter reporter(dialogs, T().appTitle);
  int steps = 0;
  const bool ok = Guarded(reporter, [&] {
    ++steps;
    throw EConvertError("'x' is not a valid integer value");
    ++steps;
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(steps, 1);
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].caption, A("澄曜晚会抽奖系统 霁岩版"));
  EXPECT_EQ(dialogs.errors[0].text, "'x' is not a valid integer value.");
  EXPECT_EQ(reporter.shown(), 1);
  EXPECT_FALSE(reporter.showing());
}

TEST(Guard, IndexReportHasNoFullStop) {
  FakeDialogs dialogs;
  ErrorReporter reporter(dialogs, T().appTitle);
  Guarded(reporter, [] { errors::throwIndex(-1); });
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].text, "List index out of bounds (-1)");
}

// Dialogs whose error box runs another failing handler while it is open, the way a timer
// tick is handled inside the message box's own loop.
class ReenteringDialogs : public FakeDialogs {
 public:
  ErrorReporter* reporter = nullptr;
  int nested = 0;
  bool nestedResult = true;
  bool showingInside = false;

  void errorBox(const Text& caption, const Text& text) override {
    FakeDialogs::errorBox(caption, text);
    showingInside = reporter->showing();
    if (nested < 3) {
      ++nested;
      nestedResult = Guarded(*reporter, [] { errors::throwIndex(9); });
    }
  }
};

TEST(Guard, ShowsOneReportAtATime) {
  ReenteringDialogs dialogs;
  ErrorReporter reporter(dialogs, T().appTitle);
  dialogs.reporter = &reporter;

  EXPECT_FALSE(Guarded(reporter, [] { throw EWriteError("Stream write error"); }));
  EXPECT_EQ(dialogs.nested, 1);
  EXPECT_FALSE(dialogs.nestedResult) << "the nested handler failed, so its guard returns false";
  EXPECT_TRUE(dialogs.showingInside);
  ASSERT_EQ(dialogs.errors.size(), 1u) << "a report raised while one is open must be dropped";
  EXPECT_EQ(dialogs.errors[0].text, "Stream write error.");
  EXPECT_EQ(reporter.shown(), 1);
  EXPECT_FALSE(reporter.showing());

  // Once the box is closed the next error is reported again.
  dialogs.nested = 3;
  EXPECT_FALSE(Guarded(reporter, [] { errors::throwIndex(2); }));
  ASSERT_EQ(dialogs.errors.size(), 2u);
  EXPECT_EQ(dialogs.errors[1].text, "List index out of bounds (2)");
  EXPECT_EQ(reporter.shown(), 2);
}

}  // namespace
