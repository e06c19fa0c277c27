#include "app/layout.h"

#include <QPoint>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kDesignWidth = 932;  // the client width the anchors were designed at
constexpr int kTopBar = 46;        // Panel8, docked to the top
constexpr int kStatusBar = 22;     // StatusBar1, docked to the bottom
constexpr int kPoolArea = 193;     // cxGroupBox2, docked right inside Panel18's bevel

// A rectangle as a widget holds it: a negative extent counts as 0.
QRect box(int left, int top, int width, int height) {
  return QRect(left, top, std::max(width, 0), std::max(height, 0));
}

}  // namespace

int proportionalCentre(int c, int width, int designWidth) {
  const std::int64_t num = std::int64_t(c) * width;
  const std::int64_t den = designWidth;
  const std::int64_t mag = ((num < 0 ? -num : num) * 2 + den) / (2 * den);
  return int(num < 0 ? -mag : mag);
}

QPoint centredOn(QSize desktop, QSize outer) {
  return QPoint(std::max((desktop.width() - outer.width()) / 2, 0),
                std::max((desktop.height() - outer.height()) / 2, 0));
}

FormLayout layoutFor(QSize client, int primaryWidth) {
  const int W = client.width();
  const int H = client.height();
  FormLayout l;

  // Stage 1: docking.
  l.Panel8 = box(0, 0, W, kTopBar);
  l.StatusBar1 = box(0, H - kStatusBar, W, kStatusBar);
  l.Panel18 = box(0, kTopBar, W, H - kTopBar - kStatusBar);
  const int Pw = l.Panel18.width();
  const int Ph = l.Panel18.height();
  l.cxGroupBox2 = box(Pw - 1 - kPoolArea, 1, kPoolArea, Ph - 2);

  // Stage 2: anchors. cxGroupBox3 keeps its distance from Panel8's right edge; Image1 and
  // cxGroupBox1 keep their centres at the design's fraction of Panel18's width.
  l.cxGroupBox3 = box(W - (kDesignWidth - 618), 0, 313, 46);
  l.Image1 = box(proportionalCentre(352, Pw, kDesignWidth) - 296, 64, 593, 489);
  l.cxGroupBox1 = box(proportionalCentre(360, Pw, kDesignWidth) - 292, 450, 585, 137);
  l.Panel4 = box(11, 29, 175, 503);
  l.ListBox1 = box(1, 1, 173, 501);
  l.StaticText1 = box(9, 17, 608, 328);

  // Stage 3: FormResize.
  const int poolHeight = l.cxGroupBox2.height();
  l.Panel4.setHeight(std::max(poolHeight - 35, 0));
  l.ListBox1.setHeight(l.Panel4.height());
  l.StaticText1.setWidth(std::max(Pw - 210, 0));
  l.StaticText1.setHeight(std::max(Ph - 160, 0));
  l.cxGroupBox1.moveTop(Ph - 150);
  l.Image1.moveTop(Ph - l.Image1.height() - 50);
  if (primaryWidth == 800) {
    l.Image1.moveLeft(0);
    l.cxGroupBox3.moveLeft(490);
  }
  return l;
}
