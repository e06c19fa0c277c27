// What the widgets draw: the keyed image, the bevels, the transparent group box and the
// flat button's face, border and glyph.
#include "helpers.h"
#include "widgets/bevelpanel.h"
#include "widgets/colorkeyimage.h"
#include "widgets/flatbutton.h"
#include "widgets/groupbox.h"

#include <ostream>
#include <string>

using widgettest::Stage;

namespace {

const QColor kStage(0x12, 0x34, 0x56);

// A picture whose pixels all differ, except that the bottom-left colour (the key) also
// appears at a few other places.
QImage testPicture(int w, int h, QRgb key) {
  QImage img(w, h, QImage::Format_RGB888);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 4, y * 6, 200));
  }
  img.setPixel(0, h - 1, key);
  img.setPixel(3, 2, key);
  img.setPixel(7, 5, key);
  return img;
}

QRgb rgb(const QImage& img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }

}  // namespace

TEST(ColorKeyImage, DrawsThePictureUnscaledFromTheCornerWithTheKeyColourLeftOut) {
  const QRgb key = qRgb(255, 0, 255);
  const QImage picture = testPicture(40, 30, key);
  Stage stage(kStage);
  ColorKeyImage image(&stage);
  image.setGeometry(10, 20, 30, 20);  // smaller than the picture: clipped
  image.setPicture(picture);
  ASSERT_TRUE(stage.showActive());
  const QImage shot = stage.snapshot();

  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) {
      const QRgb want = picture.pixel(x, y) == key ? kStage.rgb() : rgb(picture, x, y);
      ASSERT_EQ(rgb(shot, 10 + x, 20 + y), want) << "at " << x << "," << y;
    }
  }
  EXPECT_EQ(rgb(shot, 10 + 30, 20 + 5), kStage.rgb());  // right of the widget: clipped
  EXPECT_EQ(rgb(shot, 10 + 5, 20 + 20), kStage.rgb());  // below it
  EXPECT_EQ(image.picture(), picture);
}

TEST(ColorKeyImage, EmptyPictureDrawsNothing) {
  Stage stage(kStage);
  ColorKeyImage image(&stage);
  image.setGeometry(10, 20, 30, 20);
  image.setPicture(testPicture(40, 30, qRgb(1, 2, 3)));
  image.setPicture(QImage());
  ASSERT_TRUE(stage.showActive());
  const QImage shot = stage.snapshot();
  for (int y = 20; y < 40; ++y) {
    for (int x = 10; x < 40; ++x) ASSERT_EQ(rgb(shot, x, y), kStage.rgb());
  }
  EXPECT_TRUE(image.picture().isNull());
}

TEST(BorderlessGroupBox, LetsTheParentShowThrough) {
  Stage stage(kStage);
  BorderlessGroupBox box(&stage);
  box.setGeometry(5, 5, 100, 60);
  ASSERT_TRUE(stage.showActive());
  const QImage shot = stage.snapshot();
  for (int y = 5; y < 65; ++y) {
    for (int x = 5; x < 105; ++x) ASSERT_EQ(rgb(shot, x, y), kStage.rgb()) << x << "," << y;
  }
}

struct BevelCase {
  std::string name;
  BevelPanel::Bevel outer;
  BevelPanel::Bevel inner;
  // Expected colours at the middle of the left edge: column 0 and column 1.
  QPalette::ColorRole col0;  // NoRole: the fill colour
  QPalette::ColorRole col1;
};

void PrintTo(const BevelCase& c, std::ostream* os) { *os << c.name; }

class BevelTable : public ::testing::TestWithParam<BevelCase> {};

TEST_P(BevelTable, EdgesShowTheBevels) {
  using B = BevelPanel::Bevel;
  const BevelCase& c = GetParam();
  const QColor fill(0xD0, 0xE1, 0xFD);
  Stage stage(kStage);
  BevelPanel panel(&stage);
  panel.setGeometry(0, 0, 60, 40);
  panel.setFillColor(fill);
  panel.setBevels(c.outer, c.inner);
  ASSERT_TRUE(stage.showActive());
  const QImage shot = stage.snapshot();

  auto colour = [&](QPalette::ColorRole role) {
    return role == QPalette::NoRole ? fill.rgb() : panel.palette().color(role).rgb();
  };
  auto opposite = [](QPalette::ColorRole role) {
    return role == QPalette::Light ? QPalette::Dark : role == QPalette::Dark ? QPalette::Light : role;
  };
  // Left and top edges use one colour, right and bottom the opposite one.
  EXPECT_EQ(rgb(shot, 0, 20), colour(c.col0));
  EXPECT_EQ(rgb(shot, 30, 0), colour(c.col0));
  EXPECT_EQ(rgb(shot, 1, 20), colour(c.col1));
  EXPECT_EQ(rgb(shot, 30, 1), colour(c.col1));
  EXPECT_EQ(rgb(shot, 59, 20), colour(opposite(c.col0)));
  EXPECT_EQ(rgb(shot, 30, 39), colour(opposite(c.col0)));
  EXPECT_EQ(rgb(shot, 58, 20), colour(opposite(c.col1)));
  EXPECT_EQ(rgb(shot, 30, 38), colour(opposite(c.col1)));
  EXPECT_EQ(rgb(shot, 30, 20), fill.rgb());
  EXPECT_EQ(panel.bevelWidth(), (c.outer != B::None) + (c.inner != B::None));
}

INSTANTIATE_TEST_SUITE_P(
    Panels, BevelTable,
    ::testing::Values(
        BevelCase{"None", BevelPanel::Bevel::None, BevelPanel::Bevel::None, QPalette::NoRole, QPalette::NoRole},
        BevelCase{"OuterLoweredInnerRaised", BevelPanel::Bevel::Lowered, BevelPanel::Bevel::Raised,
                  QPalette::Dark, QPalette::Light},
        BevelCase{"InnerLoweredOnly", BevelPanel::Bevel::None, BevelPanel::Bevel::Lowered, QPalette::Dark,
                  QPalette::NoRole},
        BevelCase{"OuterRaisedOnly", BevelPanel::Bevel::Raised, BevelPanel::Bevel::None, QPalette::Light,
                  QPalette::NoRole}),
    [](const ::testing::TestParamInfo<BevelCase>& info) { return info.param.name; });

TEST(FlatButton, FaceBorderAndGlyphWithoutItsTransparentColour) {
  const QColor face(0xE7, 0xEF, 0xFE);
  const QColor border(0x80, 0x80, 0x80);
  // A 16 x 16 glyph: white background (the transparent colour) and a red figure.
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(Qt::white);
  int red = 0;
  for (int y = 3; y < 13; ++y) {
    for (int x = 6; x < 10; ++x, ++red) glyph.setPixel(x, y, qRgb(255, 0, 0));
  }
  Stage stage(kStage);
  FlatButton button(&stage);
  button.setGeometry(0, 0, 112, 28);
  button.setFaceColor(face);
  button.setBorderColor(border);
  button.setGlyph(glyph, Qt::white);
  ASSERT_TRUE(stage.showActive());
  const QImage shot = stage.snapshot();

  EXPECT_EQ(rgb(shot, 0, 0), border.rgb());
  EXPECT_EQ(rgb(shot, 111, 27), border.rgb());
  EXPECT_EQ(rgb(shot, 2, 14), face.rgb());
  int redSeen = 0;
  int whiteSeen = 0;
  for (int y = 0; y < 28; ++y) {
    for (int x = 0; x < 112; ++x) {
      redSeen += rgb(shot, x, y) == qRgb(255, 0, 0);
      whiteSeen += rgb(shot, x, y) == qRgb(255, 255, 255);
    }
  }
  EXPECT_EQ(redSeen, red);
  EXPECT_EQ(whiteSeen, 0);
}
