#include "app/layout.h"

#include "app/design.h"

#include <QPoint>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The boxes of the design (app/design.cpp) that docking and the anchors start from, looked
// up once: each member of the layout takes the box of the component of its own name.
const FormLayout& designBoxes() {
  static const FormLayout boxes = [] {
#define DESIGN_BOX(member) .member = design::component(#member).rect
    return FormLayout{DESIGN_BOX(Panel8),      DESIGN_BOX(StatusBar1),  DESIGN_BOX(Panel18),
                      DESIGN_BOX(cxGroupBox2), DESIGN_BOX(cxGroupBox3), DESIGN_BOX(Image1),
                      DESIGN_BOX(cxGroupBox1), DESIGN_BOX(Panel4),      DESIGN_BOX(ListBox1),
                      DESIGN_BOX(StaticText1)};
#undef DESIGN_BOX
  }();
  return boxes;
}

// FormResize's own numbers, which the design tables do not hold.
constexpr int kPoolBelowList = 35;           // cxGroupBox2's height minus Panel4's
constexpr int kStageRightOfHeadline = 210;   // Panel18's width minus StaticText1's
constexpr int kStageBelowHeadline = 160;     // Panel18's height minus StaticText1's
constexpr int kButtonsFromBottom = 150;      // cxGroupBox1's top above Panel18's bottom
constexpr int kImageAboveBottom = 50;        // Image1's bottom above Panel18's bottom
constexpr int kSmallDisplayWidth = 800;      // on a primary display this wide...
constexpr int kSmallDisplayImageLeft = 0;    // ...Image1's left
constexpr int kSmallDisplayGroupLeft = 490;  // ...and cxGroupBox3's left
// A pick too long for the headline in its design type shrinks down to this size before it
// is cut: still legible, and at the design size about 600 names of two characters.
constexpr int kHeadlineSmallestPx = 12;
// A window up to 5 % larger than the design (either way) keeps the design's sizes, so
// that dragging the frame a little moves nothing; from 25 % larger the stage grows with
// the window; in between the growth blends in, so it never jumps.
constexpr double kScaleFrom = 1.05;
constexpr double kScaleFully = 1.25;

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

double stageScale(QSize client) {
  const QSize design = design::window().clientSize;
  const double r = std::min(double(client.width()) / design.width(), double(client.height()) / design.height());
  if (r <= kScaleFrom) return 1.0;
  if (r >= kScaleFully) return r;
  return 1.0 + (r - 1.0) * (r - kScaleFrom) / (kScaleFully - kScaleFrom);
}

int scaledPixels(int designPixels, double scale) { return int(std::lround(designPixels * scale)); }

QRect openingFrame(QRect desktop, const std::vector<QRect>& areas, QSize outer) {
  QRect frame(centredOn(desktop.size(), outer), outer);
  if (areas.empty()) return frame;
  // With more than one display (a projector beside the laptop) the window opens centred on
  // the primary display, never across two: the audience's screen is not the operator's.
  if (areas.size() > 1) frame.moveTopLeft(areas.front().topLeft() + centredOn(areas.front().size(), outer));
  QRegion free;
  for (const QRect& a : areas) free += a;
  if (QRegion(frame).subtracted(free).isEmpty()) return frame;

  const QRect* best = &areas.front();
  qint64 bestShare = 0;
  for (const QRect& a : areas) {
    const QRect common = a.intersected(frame);
    const qint64 share = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
    if (share > bestShare) {
      best = &a;
      bestShare = share;
    }
  }
  const QRect& area = *best;
  frame.setSize(outer.boundedTo(area.size()));
  frame.moveLeft(std::clamp(frame.left(), area.left(), area.left() + area.width() - frame.width()));
  frame.moveTop(std::clamp(frame.top(), area.top(), area.top() + area.height() - frame.height()));
  return frame;
}

FormLayout layoutFor(QSize client, int primaryWidth) {
  const FormLayout& d = designBoxes();
  const int W = client.width();
  const int H = client.height();
  FormLayout l;

  // Stage 1: docking. Panel8 takes the top, StatusBar1 the bottom, Panel18 the rest, each
  // at its design height; cxGroupBox2 keeps its design margins to Panel18's right, top and
  // bottom edges (its bevel) and its design width.
  const int barHeight = d.Panel8.height();
  const int statusHeight = d.StatusBar1.height();
  l.Panel8 = box(0, 0, W, barHeight);
  l.StatusBar1 = box(0, H - statusHeight, W, statusHeight);
  l.Panel18 = box(0, barHeight, W, H - barHeight - statusHeight);
  const int Pw = l.Panel18.width();
  const int Ph = l.Panel18.height();
  const QRect& pool = d.cxGroupBox2;
  const int poolRight = d.Panel18.width() - (pool.x() + pool.width());
  const int poolBottom = d.Panel18.height() - (pool.y() + pool.height());
  l.cxGroupBox2 = box(Pw - poolRight - pool.width(), pool.y(), pool.width(), Ph - pool.y() - poolBottom);

  // Stage 2: anchors. cxGroupBox3 keeps its distance from Panel8's right edge; Image1 and
  // cxGroupBox1 keep their centres (left plus half the width, halves dropped) at the
  // design's fraction of Panel18's width; the rest keep their design boxes.
  const QRect& group3 = d.cxGroupBox3;
  l.cxGroupBox3 = box(W - (d.Panel8.width() - group3.x()), group3.y(), group3.width(), group3.height());
  // On a stage larger than the design's, the picture, the headline and the buttons under
  // it grow by the stage's scale (1 up to a little over the design size).
  l.scale = stageScale(client);
  auto scaled = [&](int designPixels) { return scaledPixels(designPixels, l.scale); };
  auto centred = [&](const QRect& r) {
    const int half = r.width() / 2;
    return box(proportionalCentre(r.x() + half, Pw, d.Panel18.width()) - scaled(half), r.y(), scaled(r.width()),
               scaled(r.height()));
  };
  l.Image1 = centred(d.Image1);
  l.cxGroupBox1 = centred(d.cxGroupBox1);
  l.Panel4 = d.Panel4;
  l.ListBox1 = d.ListBox1;
  l.StaticText1 = d.StaticText1;
  l.StaticText1.moveTo(scaled(d.StaticText1.x()), scaled(d.StaticText1.y()));
  auto button = [&](const char* name) {
    const QRect& r = design::component(name).rect;
    return box(scaled(r.x()), scaled(r.y()), scaled(r.width()), scaled(r.height()));
  };
  l.Button1 = button("Button1");
  l.FlatButton1 = button("FlatButton1");
  l.FlatButton2 = button("FlatButton2");
  l.FlatButton3 = button("FlatButton3");

  // Stage 3: FormResize. The headline's right edge keeps its distance from the pool.
  const int poolHeight = l.cxGroupBox2.height();
  l.Panel4.setHeight(std::max(poolHeight - kPoolBelowList, 0));
  l.ListBox1.setHeight(l.Panel4.height());
  const int headlineRightMargin = kStageRightOfHeadline - d.StaticText1.x();
  l.StaticText1.setWidth(std::max(Pw - headlineRightMargin - l.StaticText1.x(), 0));
  l.StaticText1.setHeight(std::max(Ph - scaled(kStageBelowHeadline), 0));
  l.cxGroupBox1.moveTop(Ph - scaled(kButtonsFromBottom));
  l.Image1.moveTop(Ph - l.Image1.height() - scaled(kImageAboveBottom));
  l.headlinePx = scaled(design::component("StaticText1").font.pixels);
  l.headlineSmallestPx = scaled(kHeadlineSmallestPx);
  if (primaryWidth == kSmallDisplayWidth) {
    l.Image1.moveLeft(kSmallDisplayImageLeft);
    l.cxGroupBox3.moveLeft(kSmallDisplayGroupLeft);
  }
  return l;
}

std::array<SlotPlace, kSlotCount> prizeSlotPlaces(int roomRight, const std::array<int, kSlotCount>& captionWidths,
                                                  const std::array<int, kSlotCount>& counterWidths) {
  std::array<SlotPlace, kSlotCount> places;
  int shift = 0;
  for (size_t k = 0; k < size_t(kSlotCount); ++k) {
    const design::PrizeSlot& slot = design::prizeSlots()[k];
    const QRect& button = design::component(slot.button).rect;
    const QRect& counter = design::component(slot.counter).rect;
    const int gap = counter.x() - (button.x() + button.width());  // button to counter
    const int left = button.x() + shift;
    const int room = roomRight - left - gap - counterWidths[k];
    const int width = std::max(button.width(), std::min(captionWidths[k], room));
    places[k].button = QRect(left, button.y(), width, button.height());
    places[k].counter = QPoint(counter.x() + shift + width - button.width(), counter.y());
    shift += width - button.width();
  }
  return places;
}
