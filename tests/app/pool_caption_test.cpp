// The pool caption of a large pool: "抽奖名单[n]人" with up to seven digits stays whole and
// clear of the candidate list button at the design size and at larger sizes.
#include "helpers.h"

#include "app/poolview.h"
#include "widgets/flatpanel.h"
#include "widgets/speedbutton.h"

#include <ostream>
#include <string>
#include <vector>

using namespace apptest;

namespace {

struct CaptionCase {
  int pool;
  QSize client;
};

void PrintTo(const CaptionCase& c, std::ostream* os) {
  *os << c.pool << " names, " << c.client.width() << "x" << c.client.height();
}

class PoolCaptionOfALargePool : public StartedWindow, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(PoolCaptionOfALargePool, ShowsTheWholeCountBesideTheButton) {
  const CaptionCase& c = GetParam();
  std::vector<std::string> names;
  names.reserve(c.pool);
  for (int i = 0; i < c.pool; ++i) names.push_back("名" + std::to_string(i));
  ASSERT_NO_FATAL_FAILURE(startOn(std::move(names)));
  form().resize(c.client);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form().size() == c.client; }));

  const QString caption = U("抽奖名单[") + QString::number(c.pool) + U("]人");
  ASSERT_EQ(form().Label13->text(), caption);
  EXPECT_EQ(form().Label13->geometry(), QRect(11, 5, 174, 27));  // the design's place
  EXPECT_EQ(form().SpeedButton1->geometry(), QRect(88, 3, 82, 20));
  EXPECT_EQ(form().Label13->shownCaption(), caption);
  const int ink = testkit::rightmostInk(*form().Label13, form().Label13->fillColor(),
                                        form().Label13->rect().adjusted(1, 1, -2, -2));
  EXPECT_GT(ink, 40);
  EXPECT_LT(ink, form().SpeedButton1->x() - 1) << "the caption runs into 批量编辑名单";
}

INSTANTIATE_TEST_SUITE_P(Sizes, PoolCaptionOfALargePool,
                         ::testing::Values(CaptionCase{10000, {932, 673}}, CaptionCase{10000, {1920, 1080}},
                                           CaptionCase{1000000, {932, 673}},
                                           CaptionCase{1000000, {1280, 1024}}),
                         [](const ::testing::TestParamInfo<CaptionCase>& info) {
                           return "Names" + std::to_string(info.param.pool) + "_" +
                                  std::to_string(info.param.client.width());
                         });

}  // namespace
