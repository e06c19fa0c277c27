// The operator's language: under a Chinese locale Qt's buttons and menus and the program's
// own messages are Chinese, under an English one English; the window's design texts and
// the design's own error messages stay as they are under both.
#include "app/language.h"

#include "data/errors.h"
#include "data/filetext.h"
#include "data/guard.h"
#include "data/texts.h"
#include "platform/codec.h"
#include "platform/files.h"
#include "platform/gui.h"

#include "support/fake_platform.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <ostream>

namespace {

struct Lang {
  const char* name;
  QLocale::Language language;
  QLocale::Territory territory;
  bool chinese;
};
void PrintTo(const Lang& l, std::ostream* os) { *os << l.name; }

const Lang kLanguages[] = {{"zh_CN", QLocale::Chinese, QLocale::China, true},
                           {"en_US", QLocale::English, QLocale::UnitedStates, false}};

class Language : public testing::TestWithParam<Lang> {
 protected:
  void SetUp() override { language::install(QLocale(GetParam().language, GetParam().territory)); }
  // The other tests see the untranslated texts, as before.
  void TearDown() override { language::install(QLocale::c()); }
  bool chinese() const { return GetParam().chinese; }
};

// A message of the program's own: its Chinese holds `zh`, its English is `en` exactly.
struct OwnMessage {
  const char* name;
  std::function<Text()> make;
  const char* en;
  const char* zh;
};

Text thrownMessage(const std::function<void()>& f) {
  try {
    f();
  } catch (const EError& e) {
    return e.message();
  }
  return "nothing thrown";
}

Text reported(const std::function<void()>& f) {
  FakeDialogs dialogs;
  ErrorReporter reporter(dialogs, "caption");
  Guarded(reporter, f);
  return dialogs.errors.empty() ? Text("nothing reported") : dialogs.errors.front().text;
}

const OwnMessage kOwnMessages[] = {
    {"noOpener", [] { return thrownMessage([] { errors::throwNoOpener("a.txt"); }); },
     "Cannot open file \"{a.txt}\" in an editor: no program to open it was found", "无法用编辑器打开文件“{a.txt}”"},
    {"notUtf8", [] { return NotConvertedMessage("x.txt", {FileText::Refusal::NotUtf8, {2, 5, 6}}); },
     "Cannot convert file \"{x.txt}\": it begins with a UTF-8 mark, but these lines hold bytes that are not "
     "UTF-8: 2, 5-6. The file is read as it stands",
     "以下各行含有不属于 UTF-8 的字节：2, 5-6"},
    {"notUtf16", [] { return NotConvertedMessage("x.txt", {FileText::Refusal::NotUtf16, {7}}); },
     "Cannot convert file \"{x.txt}\": it begins with a UTF-16 mark, but these lines hold units that are not "
     "UTF-16: 7. The file is read as it stands",
     "以下各行含有不属于 UTF-16 的编码单元：7"},
    {"notRegular", [] { return platform::notReadReason(platform::kNotRegularFile); }, "Not a regular file",
     "不是普通文件"},
    {"tooLarge", [] { return platform::notReadReason(platform::kFileTooLarge); }, "File is larger than 64 MB",
     "文件大于 64 MB"},
    {"outOfMemory", [] { return reported([] { throw std::bad_alloc(); }); }, "Out of memory.", "内存不足"},
    {"unknown", [] { return reported([] { throw 42; }); }, "Unknown error.", "未知错误"},
};

// "{x.txt}" in an expected text stands for the full path of x.txt, as the message shows it.
QString withFullPaths(QString text) {
  for (const char* name : {"a.txt", "x.txt"}) {
    text.replace(QStringLiteral("{%1}").arg(QLatin1String(name)), platform::fromAnsi(platform::fullPath(name)));
  }
  return text;
}

TEST_P(Language, ProgramMessagesFollowTheLocale) {
  for (const OwnMessage& m : kOwnMessages) {
    SCOPED_TRACE(m.name);
    const QString shown = platform::fromAnsi(m.make());
    if (chinese()) {
      EXPECT_TRUE(shown.contains(withFullPaths(QString::fromUtf8(m.zh)))) << shown.toStdString();
      EXPECT_FALSE(shown.contains(QLatin1String("Cannot"))) << shown.toStdString();
    } else {
      EXPECT_EQ(shown, withFullPaths(QString::fromUtf8(m.en)));
    }
  }
}

TEST_P(Language, DesignMessagesStayAsTheyAre) {
  EXPECT_EQ(errors::indexMessage(-3), "List index out of bounds (-3)");
  EXPECT_EQ(thrownMessage([] { errors::throwCannotFocus(); }), "Cannot focus a disabled or invisible window");
  EXPECT_EQ(errors::failureMessage("x.txt", {platform::FileResult::ShortWrite, {}}), "Stream write error");
  EXPECT_EQ(errors::failureMessage("x.txt", {platform::FileResult::OpenFailed, "Why"}),
            "Cannot open file \"" + platform::fullPath("x.txt") + "\". Why");
  EXPECT_EQ(T().continueQuestion, platform::ansi("是否继续上次的获奖记录？"));
}

// Answers the next modal box with `button` after handing it to `look`.
void answerNextBox(QMessageBox::StandardButton button, std::function<void(QMessageBox&)> look) {
  QTimer::singleShot(0, qApp, [button, look = std::move(look)] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    look(*box);
    box->button(button)->click();
  });
}

TEST_P(Language, ContinueQuestionAnswersInTheLocale) {
  platform::QtDialogs dialogs;
  QString yes, no;
  answerNextBox(QMessageBox::No, [&](QMessageBox& box) {
    yes = box.button(QMessageBox::Yes)->text();
    no = box.button(QMessageBox::No)->text();
    // LUCKYDRAW_SHOTS=<folder> keeps a picture of the box, to look at.
    const QString shots = qEnvironmentVariable("LUCKYDRAW_SHOTS");
    if (!shots.isEmpty()) {
      box.adjustSize();
      box.grab().save(QDir(shots).filePath(QStringLiteral("continue-question-%1.png").arg(GetParam().name)));
    }
  });
  EXPECT_EQ(dialogs.askYesNo(T().questionCaption, T().continueQuestion), platform::Dialogs::Answer::No);
  EXPECT_EQ(yes, chinese() ? QStringLiteral("是(&Y)") : QStringLiteral("&Yes"));
  EXPECT_EQ(no, chinese() ? QStringLiteral("否(&N)") : QStringLiteral("&No"));
}

TEST_P(Language, ErrorReportButtonAndTextMenuFollowTheLocale) {
  platform::QtDialogs dialogs;
  QString ok;
  answerNextBox(QMessageBox::Ok, [&](QMessageBox& box) { ok = box.button(QMessageBox::Ok)->text(); });
  dialogs.errorBox(T().appTitle, "Stream read error");
  EXPECT_EQ(ok, chinese() ? QStringLiteral("确定") : QStringLiteral("OK"));

  QLineEdit edit;
  edit.setText(QStringLiteral("x"));
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << action->text().section(QLatin1Char('\t'), 0, 0);
  for (const QString& expected : chinese() ? QStringList{QStringLiteral("复制(&C)"), QStringLiteral("粘贴(&P)")}
                                           : QStringList{QStringLiteral("&Copy"), QStringLiteral("&Paste")})
    EXPECT_TRUE(texts.contains(expected)) << texts.join(QLatin1Char('|')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Locales, Language, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<Lang>& info) { return std::string(info.param.name); });

TEST(LanguageFiles, AnyChineseLocaleGetsTheProgramsChinese) {
  EXPECT_TRUE(language::install(QLocale(QLocale::Chinese, QLocale::Taiwan)));
  EXPECT_EQ(platform::fromAnsi(platform::notReadReason(platform::kNotRegularFile)), QStringLiteral("不是普通文件"));
  EXPECT_FALSE(language::install(QLocale::c()));
  EXPECT_EQ(platform::notReadReason(platform::kNotRegularFile), "Not a regular file");
}

}  // namespace
