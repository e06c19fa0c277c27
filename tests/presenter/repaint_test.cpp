// The view repaints only where the names were and where they go. What is on its screen
// after a run of such partial paints must be what one whole paint of it shows: nothing of
// an earlier pick left behind when the pick shrinks, moves, changes its type or ends.
#include "helpers.h"

#include "platform/codec.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>

namespace {

using namespace presentertest;

// A picture whose every pixel differs from its neighbours', so that a piece of background
// put back in the wrong place shows.
QImage stripes() {
  QImage picture(640, 360, QImage::Format_RGB32);
  QPainter p(&picture);
  QLinearGradient g(0, 0, 640, 360);
  g.setColorAt(0, QColor(0x20, 0x80, 0xF0));
  g.setColorAt(1, QColor(0xF0, 0x60, 0x20));
  p.fillRect(picture.rect(), g);
  for (int x = 0; x < 640; x += 23) p.fillRect(x, 0, 7, 360, QColor(0xFF, 0xFF, 0xFF, 90));
  return picture;
}

// `count` names cut from one source text, as the operator's window gives them: `first` is
// where the names start in a list of long and short ones.
struct Pick {
  Text source;
  std::vector<Text> names;
};
Pick pickOf(int count, int first) {
  static const char* const kNames[] = {"欧阳晓明", "王芳", "司马建国", "李", "诸葛雨桐", "赵子涵", "刘伟", "陈海峰"};
  Pick pick;
  for (int i = 0; i < count; ++i) {
    pick.names.push_back(platform::ansi(kNames[(first + i) % 8]));
    pick.source += (i ? platform::ansi("，") : Text()) + pick.names.back();
  }
  return pick;
}

class Repaint : public ::testing::TestWithParam<QSize> {
 protected:
  void SetUp() override {
    view_.setTitle(QStringLiteral("年会抽奖"));
    view_.setPrize(QStringLiteral("特等奖 MacBook Pro"));
    view_.setCount(QStringLiteral("已抽出 0 人"));
    view_.setPicture(stripes());
    view_.resize(GetParam());
    view_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
  }

  // What the screen holds now (the window's backing store after the pending paints), and
  // what one whole paint of the view gives.
  QImage onScreen() {
    QApplication::processEvents();
    return view_.screen()->grabWindow(view_.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  }
  QImage wholePaint() { return view_.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  void show(const Pick& pick, bool drawing) { view_.setNames(pick.source, pick.names, drawing); }

  // The screen and a whole paint agree, pixel for pixel; where not, the first pixel apart.
  void expectWhole(const char* step) {
    const QImage screen = onScreen();
    const QImage whole = wholePaint();
    ASSERT_EQ(screen.size(), whole.size()) << step;
    const QString dir = qEnvironmentVariable("LUCKYDRAW_SHOTS");
    if (!dir.isEmpty())
      screen.save(QDir(dir).filePath(QStringLiteral("repaint-%1-%2.png").arg(GetParam().width()).arg(QLatin1String(step))));
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x)
        if (reinterpret_cast<const QRgb*>(screen.constScanLine(y))[x] !=
            reinterpret_cast<const QRgb*>(whole.constScanLine(y))[x]) {
          ADD_FAILURE() << step << ": the screen keeps a stale pixel at " << x << "," << y;
          if (!dir.isEmpty())
            whole.save(QDir(dir).filePath(QStringLiteral("repaint-%1-%2-whole.png").arg(GetParam().width()).arg(QLatin1String(step))));
          return;
        }
  }

  PresenterView view_;
};

TEST_P(Repaint, PartialPaintsLeaveWhatAWholePaintShows) {
  show(pickOf(5, 0), true);
  expectWhole("draw-5");
  show(pickOf(5, 3), true);  // the same number of names, other lengths
  expectWhole("draw-5-again");
  show(pickOf(2, 3), true);  // fewer names: fewer lines, shorter ones
  expectWhole("draw-2");
  show(pickOf(999, 1), true);  // many: the type shrinks and stays small
  expectWhole("draw-999");
  show(pickOf(4, 1), true);
  expectWhole("draw-4-small");
  show(pickOf(4, 1), false);  // Stop: the same names as winners, in their own colour
  expectWhole("stop-4");
  show(pickOf(30, 2), true);  // the next draw starts at the largest type again
  expectWhole("draw-30");
  show(pickOf(1, 2), true);
  expectWhole("draw-1");
  show(Pick{}, true);  // nothing to show
  expectWhole("empty");
}

INSTANTIATE_TEST_SUITE_P(Sizes, Repaint, ::testing::Values(QSize(960, 540), QSize(1920, 1080), QSize(3840, 2160)));

}  // namespace
