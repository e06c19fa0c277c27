// The view as the audience sees it during a draw and after Stops of 1, 30 and 999 names:
// every winner whole on the screen, in type that grows as the names get fewer. The pictures
// are written to the folder $LUCKYDRAW_SHOTS names, when it names one, to be looked at.
#include "helpers.h"

#include "data/texts.h"

#include <QDir>

namespace {

using namespace presentertest;
using apptest::fire;
using apptest::releaseKey;
using testkit::A;

void keep(const QImage& shot, const char* name) {
  const QString dir = qEnvironmentVariable("LUCKYDRAW_SHOTS");
  if (!dir.isEmpty()) {
    EXPECT_TRUE(shot.save(QDir(dir).filePath(QString::fromLatin1(name)))) << name;
  }
}

TEST_F(TwoScreens, TheWinnersOfEachDrawFillTheScreenWhole) {
  startOn(staffNames(1200));
  ASSERT_TRUE(presenter().shown());
  keep(shot(), "presenter-idle.png");

  int previousSize = 0;
  for (int count : {999, 30, 1}) {
    form().setDrawSizeValue(count);
    releaseKey(form(), Qt::Key_Space);
    ASSERT_EQ(form().buttonCaption(), T().stop);
    fire(form().Timer1);
    if (count == 30) keep(shot(), "presenter-draw-30.png");
    if (count == 999) keep(shot(), "presenter-draw-999.png");
    fire(form().Timer2);
    releaseKey(form(), Qt::Key_Space);
    ASSERT_EQ(form().buttonCaption(), T().start);
    const QImage after = shot();
    const NameFit& fit = view().namesFit();
    EXPECT_EQ(fit.shown, count);
    EXPECT_FALSE(fit.cut) << count << " names";
    EXPECT_GT(fit.size, previousSize) << "fewer names, larger type";
    previousSize = fit.size;
    keep(after, count == 1 ? "presenter-stop-1.png" : count == 30 ? "presenter-stop-30.png" : "presenter-stop-999.png");
    fire(form().Timer2);
  }
  EXPECT_EQ(form().counter(1), A("1030"));
}

}  // namespace
