#pragma once
// How the window's components follow the size of its client area: docking, anchors and
// the resize handler FormResize, in that order. Pure arithmetic on the design table's
// boxes, so the worked values can be checked without a window; TForm1 applies the result
// to its widgets.
#include <QRect>
#include <QSize>

#include <vector>

struct FormLayout {
  // Stage 1: docking.
  QRect Panel8, StatusBar1, Panel18, cxGroupBox2;
  // Stages 2 and 3: anchors and FormResize.
  QRect cxGroupBox3, Image1, cxGroupBox1, Panel4, ListBox1, StaticText1;
  // The headline's type: the largest size, and the smallest before a pick is cut with "…".
  int headlinePx = 0, headlineSmallestPx = 0;
};

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
