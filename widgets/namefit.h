#pragma once
// Laying out a draw's names to fill a box: the largest type at which every name fits, one
// name never split across lines, lines broken only between names. Pure arithmetic on the
// names' widths, so it runs the same with or without a screen.
#include <span>
#include <vector>

struct NameFitBox {
  double width = 0;       // the box, in pixels
  double height = 0;
  double gap = 1.0;       // the room between two names on a line, in em (font sizes)
  double lineHeight = 1.3;  // one line's height, in em
  int floor = 12;         // the smallest type, in pixels; below it names are cut with "…"
  int ceiling = 400;      // the largest type, in pixels, however few the names
  double ellipsisWidth = 1.0;  // the width of "…" in em
};

struct NameFit {
  int size = 0;                 // the type's size in pixels (its em)
  std::vector<int> lineStarts;  // the index of the first name of every line shown
  int shown = 0;                // how many names are shown: lines cover names [0, shown)
  // Not every name fits even at the floor: names from `shown` on are left out and an "…"
  // follows the last line; a name wider than the box on its own is cut at the box's edge.
  bool cut = false;
};

// `widths` are the names' advances at a type of 1 pixel (a name's width at size s is
// width * s). Every name on a line, gaps included, fits the box's width and every line fits
// its height, at the largest whole size from floor to ceiling at which all names do; when
// none does, the floor with as many whole lines as fit, and room for "…" on the last one
// when names are left out.
NameFit fitNames(std::span<const double> widths, const NameFitBox& box);

// The names [lineStarts[i], end of that line) of line i of a fit.
inline int lineEnd(const NameFit& fit, size_t line) {
  return line + 1 < fit.lineStarts.size() ? fit.lineStarts[line + 1] : fit.shown;
}
