// The Windows face names of the window's design map to installed faces of the right
// kind, at the design's pixel height.
#include "helpers.h"
#include "widgets/fonts.h"

#include <QFontInfo>

#include <ostream>
#include <string>

namespace {

struct FaceCase {
  std::string name;
  const char* face;  // UTF-8
  int pixels;
  bool bold;
  const char* family;  // the installed family expected
};

void PrintTo(const FaceCase& c, std::ostream* os) { *os << c.name; }

class FontTable : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FontTable, MapsToTheNearestInstalledFace) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has the design's own faces; the table maps them to the faces other systems install";
#endif
  const FaceCase& c = GetParam();
  const QFont font = designFont(QString::fromUtf8(c.face), c.pixels, c.bold);
  const QFontInfo info(font);
  EXPECT_EQ(info.family(), QString::fromUtf8(c.family));
  EXPECT_EQ(info.pixelSize(), c.pixels);
  EXPECT_EQ(info.bold(), c.bold);
}

INSTANTIATE_TEST_SUITE_P(
    DesignFaces, FontTable,
    ::testing::Values(FaceCase{"MsSansSerif", "MS Sans Serif", 11, false, "Noto Sans CJK SC"},
                      FaceCase{"NSimSun", "新宋体", 16, true, "Noto Serif CJK SC"},
                      FaceCase{"SimSun", "宋体", 16, true, "Noto Serif CJK SC"},
                      FaceCase{"SimHei", "黑体", 24, false, "Noto Sans CJK SC"},
                      FaceCase{"KaiTi", "楷体_GB2312", 29, true, "AR PL UKai CN"},
                      FaceCase{"LiSu", "隶书", 56, true, "AR PL UKai CN"}),
    [](const ::testing::TestParamInfo<FaceCase>& info) { return info.param.name; });

}  // namespace
