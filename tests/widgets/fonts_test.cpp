// The Windows face names of the window's design map to installed faces of the right
// kind, at the design's pixel height: on this system, and on each kind of system by the
// families it lists.
#include "helpers.h"
#include "widgets/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

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

// Every face of the design is drawn in a family the system has, never in Qt's box font
// (which it takes when it finds no font at all, as a test run whose font folder is lost).
TEST(DesignFont, DrawsEveryFaceInAnInstalledFamily) {
  const QStringList installed = QFontDatabase::families();
  ASSERT_FALSE(installed.isEmpty()) << "no fonts: text would be measured in boxes";
  for (const char* face : {"MS Sans Serif", "新宋体", "宋体", "黑体", "楷体_GB2312", "隶书"}) {
    const QFontInfo info(designFont(QString::fromUtf8(face), 16, false));
    EXPECT_TRUE(installed.contains(info.family())) << face << " is drawn in '" << info.family().toStdString() << "'";
  }
}

namespace {

// The families each kind of system lists (QFontDatabase::families()), cut down to those
// that matter here and a few others. Windows lists a face with a Chinese name by that name
// on a Chinese system and by its English name on others.
const QStringList kWindowsLatin{"Arial", "Calibri", "Consolas", "Courier New", "Microsoft Sans Serif",
                                "MS Sans Serif", "Segoe UI", "Tahoma", "Times New Roman"};
const QStringList kChineseWindows11 =
    kWindowsLatin + QStringList{"Microsoft YaHei UI", "SimSun-ExtB", "仿宋", "黑体", "楷体",
                                "宋体", "微软雅黑", "新宋体", "等线"};
// Every Windows 10 and 11 has SimSun, NSimSun and Microsoft YaHei; DengXian, FangSong,
// KaiTi and SimHei are the Chinese supplemental fonts, an optional feature.
const QStringList kEnglishWindows =
    kWindowsLatin + QStringList{"Microsoft YaHei", "Microsoft YaHei UI", "NSimSun", "SimSun", "SimSun-ExtB"};
const QStringList kEnglishWindowsSupplemental =
    kEnglishWindows + QStringList{"DengXian", "FangSong", "KaiTi", "SimHei"};
const QStringList kChineseWindowsOffice =
    kChineseWindows11 + QStringList{"隶书", "幼圆", "华文楷体", "华文隶书", "华文宋体", "华文细黑",
                                    "华文行楷", "方正舒体", "方正姚体"};
const QStringList kEnglishWindowsOffice =
    kEnglishWindows + QStringList{"LiSu", "YouYuan", "STKaiti", "STLiti", "STSong", "STXihei",
                                  "STXingkai", "FZShuTi", "FZYaoTi"};
const QStringList kChineseWindowsXp{"Arial", "MS Sans Serif", "Tahoma", "宋体", "新宋体", "黑体",
                                    "楷体_GB2312", "仿宋_GB2312"};
const QStringList kDebianBase{"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Monospace",
                              "Sans Serif", "Serif"};
const QStringList kDebianNoto =  // fonts-noto-cjk
    kDebianBase + QStringList{"Noto Sans CJK JP", "Noto Sans CJK SC", "Noto Sans CJK TC",
                              "Noto Sans Mono CJK SC", "Noto Serif CJK JP", "Noto Serif CJK SC",
                              "Noto Serif CJK TC"};
const QStringList kDebianCjk =  // fonts-noto-cjk and fonts-arphic-ukai
    kDebianNoto + QStringList{"AR PL UKai CN", "AR PL UKai HK", "AR PL UKai TW", "AR PL UKai TW MBE"};

struct ChoiceCase {
  std::string name;
  const QStringList* installed;
  const char* face;  // UTF-8
  QStringList chosen;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class FaceChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(FaceChoice, TakesTheNearestInstalledFacesInOrder) {
  const ChoiceCase& c = GetParam();
  EXPECT_EQ(designFaceFamilies(QString::fromUtf8(c.face), *c.installed), c.chosen);
}

const QStringList kLowerCase{"kaiti", "simsun"};

INSTANTIATE_TEST_SUITE_P(
    Systems, FaceChoice,
    ::testing::Values(
        // A stock Chinese Windows 10 or 11.
        ChoiceCase{"ChineseWindows_Headline", &kChineseWindows11, "楷体_GB2312", {"楷体", "宋体"}},
        ChoiceCase{"ChineseWindows_Start", &kChineseWindows11, "隶书", {"楷体", "宋体"}},
        ChoiceCase{"ChineseWindows_Prizes", &kChineseWindows11, "黑体", {"黑体", "微软雅黑"}},
        ChoiceCase{"ChineseWindows_Counters", &kChineseWindows11, "新宋体", {"新宋体", "宋体"}},
        ChoiceCase{"ChineseWindows_WindowFont", &kChineseWindows11, "MS Sans Serif", {"MS Sans Serif"}},
        // An English Windows with the Chinese supplemental fonts.
        ChoiceCase{"EnglishSupplemental_Headline", &kEnglishWindowsSupplemental, "楷体_GB2312", {"KaiTi", "SimSun"}},
        ChoiceCase{"EnglishSupplemental_Start", &kEnglishWindowsSupplemental, "隶书", {"KaiTi", "SimSun"}},
        ChoiceCase{"EnglishSupplemental_Prizes", &kEnglishWindowsSupplemental, "黑体", {"SimHei", "Microsoft YaHei"}},
        ChoiceCase{"EnglishSupplemental_Counters", &kEnglishWindowsSupplemental, "新宋体", {"NSimSun", "SimSun"}},
        ChoiceCase{"EnglishSupplemental_Buttons", &kEnglishWindowsSupplemental, "宋体", {"SimSun"}},
        // An English Windows without them: the Song face is all there is of the brush faces.
        ChoiceCase{"English_Headline", &kEnglishWindows, "楷体_GB2312", {"SimSun"}},
        ChoiceCase{"English_Start", &kEnglishWindows, "隶书", {"SimSun"}},
        ChoiceCase{"English_Prizes", &kEnglishWindows, "黑体", {"Microsoft YaHei"}},
        // Windows with Office, which brings 隶书 and the STxxx faces.
        ChoiceCase{"ChineseOffice_Headline", &kChineseWindowsOffice, "楷体_GB2312", {"楷体", "华文楷体", "宋体"}},
        ChoiceCase{"ChineseOffice_Start", &kChineseWindowsOffice, "隶书",
                   {"隶书", "华文隶书", "楷体", "华文楷体", "宋体"}},
        ChoiceCase{"EnglishOffice_Headline", &kEnglishWindowsOffice, "楷体_GB2312", {"STKaiti", "SimSun"}},
        ChoiceCase{"EnglishOffice_Start", &kEnglishWindowsOffice, "隶书", {"LiSu", "STLiti", "STKaiti", "SimSun"}},
        // Windows XP still had the face by the design's own name.
        ChoiceCase{"ChineseXp_Headline", &kChineseWindowsXp, "楷体_GB2312", {"楷体_GB2312", "宋体"}},
        ChoiceCase{"ChineseXp_Start", &kChineseWindowsXp, "隶书", {"楷体_GB2312", "宋体"}},
        // Debian with fonts-noto-cjk and fonts-arphic-ukai, as the package depends.
        ChoiceCase{"DebianCjk_Headline", &kDebianCjk, "楷体_GB2312", {"AR PL UKai CN", "Noto Serif CJK SC"}},
        ChoiceCase{"DebianCjk_Start", &kDebianCjk, "隶书", {"AR PL UKai CN", "Noto Serif CJK SC"}},
        ChoiceCase{"DebianCjk_Prizes", &kDebianCjk, "黑体", {"Noto Sans CJK SC", "DejaVu Sans"}},
        ChoiceCase{"DebianCjk_Buttons", &kDebianCjk, "宋体", {"Noto Serif CJK SC", "Noto Sans CJK SC"}},
        ChoiceCase{"DebianCjk_Counters", &kDebianCjk, "新宋体", {"Noto Serif CJK SC", "Noto Sans CJK SC"}},
        ChoiceCase{"DebianCjk_WindowFont", &kDebianCjk, "MS Sans Serif", {"Noto Sans CJK SC", "DejaVu Sans"}},
        ChoiceCase{"DebianNotoOnly_Headline", &kDebianNoto, "楷体_GB2312", {"Noto Serif CJK SC"}},
        // Debian without the CJK packages: nothing of the kind, Qt's own fallback decides.
        ChoiceCase{"DebianBase_Headline", &kDebianBase, "楷体_GB2312", {}},
        ChoiceCase{"DebianBase_Start", &kDebianBase, "隶书", {}},
        ChoiceCase{"DebianBase_Buttons", &kDebianBase, "宋体", {}},
        ChoiceCase{"DebianBase_WindowFont", &kDebianBase, "MS Sans Serif", {"DejaVu Sans"}},
        // Names match whatever their case; the system's spelling is kept.
        ChoiceCase{"LowerCaseNames", &kLowerCase, "楷体_GB2312", {"kaiti", "simsun"}},
        // A face the design does not name is taken only as itself.
        ChoiceCase{"OtherFaceInstalled", &kEnglishWindows, "Tahoma", {"Tahoma"}},
        ChoiceCase{"OtherFaceMissing", &kDebianCjk, "Tahoma", {}}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

}  // namespace
