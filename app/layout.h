#pragma once
// How the window's components follow the size of its client area: docking, anchors and
// the resize handler FormResize, in that order. Pure arithmetic on the design table's
// boxes, so the worked values can be checked without a window; TForm1 applies the result
// to its widgets.
#include <QRect>
#include <QSize>

#include "data/window.h"

#include <array>
#include <vector>

struct FormLayout {
  // Stage 1: docking.
  QRect Panel8, StatusBar1, Panel18, cxGroupBox2;
  // Stages 2 and 3: anchors and FormResize.
  QRect cxGroupBox3, Image1, cxGroupBox1, Panel4, ListBox1, StaticText1;
  // The headline's type: the largest size, and the smallest before a pick is cut with "…".
  int headlinePx = 0, headlineSmallestPx = 0;
  // The stage's scale (stageScale), and the buttons in cxGroupBox1 at that scale.
  double scale = 1.0;
  QRect Button1, FlatButton1, FlatButton2, FlatButton3;
};

// How much larger than the design the stage's picture, headline type and buttons are
// for a client area of `client`: 1 up to 5 % over the design size, then blending in to
// the window's own ratio to the design (the smaller of width and height) from 25 % over
// it. Never less than 1, and never smaller for a larger window.
double stageScale(QSize client);
// A design size in pixels at that scale, to the nearest pixel.
int scaledPixels(int designPixels, double scale);

// The layout for a client area of `client` on a primary display `primaryWidth` pixels
// wide. Every width and height is at least 0.
FormLayout layoutFor(QSize client, int primaryWidth);

// A centre that keeps its fraction of the width: c * width / designWidth to the nearest
// whole pixel, halves away from zero.
int proportionalCentre(int c, int width, int designWidth);

// The top-left corner of a window of `outer` size centred on a desktop of `desktop` size:
// each half dropping its fraction and raised to 0 when negative.
QPoint centredOn(QSize desktop, QSize outer);

// Where the window's frame goes at its first show, and its outer size: `outer` centred on
// the desktop as centredOn() places it, where that lies within the displays' available
// areas (straddling two of them is fine). Otherwise, as on a display scaled to 200 %
// whose 960 x 540 leave no room for the design's 940 x 700, or beside a task bar, the
// area that holds most of it takes it (the first, the primary display's, when none holds
// any): the size cut to the area and the frame moved the least way inside it.
QRect openingFrame(QRect desktop, const std::vector<QRect>& areas, QSize outer);

// Where a prize slot's radio button and counter label go in the prize bar.
struct SlotPlace {
  QRect button;
  QPoint counter;
};
// The prize slots at their design places while each caption fits its radio button's
// design width. A slot whose caption needs more (`captionWidths`, 0 for a slot not shown)
// takes it as far as the room before `roomRight` goes (cxGroupBox3's left), its counter
// (`counterWidths` wide) moving with it, and the slots after it move right by as much; a
// button never gets narrower than in the design.
std::array<SlotPlace, kSlotCount> prizeSlotPlaces(int roomRight, const std::array<int, kSlotCount>& captionWidths,
                                                  const std::array<int, kSlotCount>& counterWidths);
