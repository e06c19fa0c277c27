// The flat panel's caption keeps clear of the button that lies on it: a longer caption is
// drawn narrower or smaller, and cut short only when nothing else fits.
#include "helpers.h"
#include "widgets/flatpanel.h"
#include "widgets/fonts.h"
#include "widgets/speedbutton.h"

#include <ostream>
#include <string>

using widgettest::Stage;

namespace {

// The rightmost column that the caption inks inside the border, the widgets lying on the
// panel left out; -1 when it inks none.
int rightmostInk(FlatPanel& panel) {
  return testkit::rightmostInk(panel, panel.fillColor(), panel.rect().adjusted(1, 1, -2, -2));
}

// The pool caption's panel as the window has it: 174 x 27, the window font, and the
// candidate list button at 88, 3.
struct PoolCaption {
  Stage stage;
  FlatPanel panel{&stage};
  SpeedButton button{&panel};

  PoolCaption() {
    stage.resize(200, 40);
    stage.setFont(designFont("MS Sans Serif", 11, false));
    panel.setGeometry(11, 5, 174, 27);
    button.setGeometry(88, 3, 82, 20);
    button.setText(QString::fromUtf8("批量编辑名单"));
  }
};

QString caption(const std::string& count) {
  return QString::fromUtf8("抽奖名单[") + QString::fromStdString(count) + QString::fromUtf8("]人");
}

class PoolCaptionDigits : public ::testing::TestWithParam<std::string> {};

TEST_P(PoolCaptionDigits, ShowsTheWholeCountLeftOfTheButton) {
  PoolCaption pool;
  pool.panel.setText(caption(GetParam()));
  ASSERT_TRUE(pool.stage.showActive());

  EXPECT_EQ(pool.panel.captionRoom(), 88 - FlatPanel::kCaptionGap - FlatPanel::kCaptionLeft);
  EXPECT_EQ(pool.panel.shownCaption(), caption(GetParam()));
  const int ink = rightmostInk(pool.panel);
  EXPECT_GT(ink, 40);  // the caption is there
  EXPECT_LT(ink, pool.button.x() - 1) << "the caption runs into the button";
  EXPECT_GE(pool.panel.captionFont().pixelSize(), 8);
}

INSTANTIATE_TEST_SUITE_P(Counts, PoolCaptionDigits,
                         ::testing::Values("0", "8", "100", "1000", "10000", "100000", "1000000", "8888888"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return "Count" + info.param;
                         });

TEST(FlatPanelCaption, AShortCaptionIsDrawnInThePanelsOwnFont) {
  PoolCaption pool;
  pool.panel.setText(caption("8"));
  ASSERT_TRUE(pool.stage.showActive());
  EXPECT_EQ(pool.panel.captionFont(), pool.panel.font());
}

TEST(FlatPanelCaption, ALongerCaptionIsNarrowerButKeepsItsHeight) {
  PoolCaption pool;
  pool.panel.setText(caption("1000000"));
  ASSERT_TRUE(pool.stage.showActive());
  const QFont font = pool.panel.captionFont();
  ASSERT_NE(font, pool.panel.font());
  EXPECT_EQ(font.pixelSize(), pool.panel.font().pixelSize());
  EXPECT_LT(font.stretch(), 100);
  EXPECT_GE(font.stretch(), 70);
}

TEST(FlatPanelCaption, WhatFitsNowhereIsCutShortBeforeTheButton) {
  PoolCaption pool;
  const QString text = QString::fromUtf8("抽奖名单 这是一个远远放不下的很长很长的标题文字");
  pool.panel.setText(text);
  ASSERT_TRUE(pool.stage.showActive());
  const QString shown = pool.panel.shownCaption();
  EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
  EXPECT_TRUE(text.startsWith(shown.chopped(1))) << shown.toStdString();
  EXPECT_LT(rightmostInk(pool.panel), pool.button.x() - 1);
}

TEST(FlatPanelCaption, WithoutAWidgetOnItTheCaptionTakesThePanelsWidth) {
  Stage stage;
  stage.setFont(designFont("MS Sans Serif", 11, false));
  FlatPanel panel(&stage);
  panel.setGeometry(5, 5, 174, 27);
  panel.setText(caption("1000000"));
  ASSERT_TRUE(stage.showActive());
  EXPECT_EQ(panel.captionRoom(), 174 - 1 - FlatPanel::kCaptionLeft);
  EXPECT_EQ(panel.captionFont(), panel.font());
  EXPECT_EQ(panel.shownCaption(), caption("1000000"));
}

TEST(FlatPanelCaption, FollowsTheButtonWhenItMoves) {
  PoolCaption pool;
  pool.panel.setText(caption("1000000"));
  ASSERT_TRUE(pool.stage.showActive());
  const QFont squeezed = pool.panel.captionFont();
  pool.button.move(140, 3);
  EXPECT_EQ(pool.panel.captionFont(), pool.panel.font());
  pool.button.move(88, 3);
  EXPECT_EQ(pool.panel.captionFont(), squeezed);
}

}  // namespace
