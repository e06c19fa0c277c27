#include "widgets/namefit.h"

#include <algorithm>
#include <cmath>

namespace {

// Names packed greedily into lines at size s: each line takes names while they fit the
// width. Returns the line starts; `tooWide` says a name alone is wider than the box.
// Greedy packing at a larger size never needs fewer lines, so the search below can halve.
std::vector<int> packLines(std::span<const double> widths, const NameFitBox& box, double s, bool& tooWide) {
  std::vector<int> starts;
  tooWide = false;
  const double gap = box.gap * s;
  double used = 0;
  for (size_t i = 0; i < widths.size(); ++i) {
    const double w = widths[i] * s;
    if (w > box.width) tooWide = true;
    if (starts.empty() || used + gap + w > box.width) {
      starts.push_back(int(i));
      used = w;
    } else {
      used += gap + w;
    }
  }
  return starts;
}

bool fitsAt(std::span<const double> widths, const NameFitBox& box, int s, std::vector<int>* starts) {
  bool tooWide = false;
  std::vector<int> lines = packLines(widths, box, double(s), tooWide);
  const bool fits = !tooWide && double(lines.size()) * box.lineHeight * s <= box.height;
  if (fits && starts) *starts = std::move(lines);
  return fits;
}

}  // namespace

NameFit fitNames(std::span<const double> widths, const NameFitBox& box) {
  NameFit fit;
  const int floor = std::max(1, box.floor);
  const int ceiling = std::max(floor, box.ceiling);
  if (widths.empty()) {
    fit.size = ceiling;
    return fit;
  }
  // The largest size that fits, by halving between the floor and the ceiling.
  if (fitsAt(widths, box, floor, &fit.lineStarts)) {
    int low = floor, high = ceiling;  // low fits; above high nothing is tried
    while (low < high) {
      const int mid = low + (high - low + 1) / 2;
      if (fitsAt(widths, box, mid, nullptr))
        low = mid;
      else
        high = mid - 1;
    }
    fitsAt(widths, box, low, &fit.lineStarts);
    fit.size = low;
    fit.shown = int(widths.size());
    return fit;
  }

  // Even the floor is too large: as many whole lines as the box holds, at the floor.
  const double s = floor;
  bool tooWide = false;
  std::vector<int> lines = packLines(widths, box, s, tooWide);
  const size_t room = size_t(std::max(0.0, std::floor(box.height / (box.lineHeight * s))));
  fit.size = floor;
  fit.cut = true;
  if (room == 0) return fit;  // not one line: nothing but the cut shows
  if (lines.size() <= room) {
    // Every name has a line; one of them is wider than the box and is cut at its edge.
    fit.lineStarts = std::move(lines);
    fit.shown = int(widths.size());
    return fit;
  }
  lines.resize(room);
  fit.lineStarts = lines;
  // The last line ends where the next line would have begun, less names until "…" fits
  // after it (a first name too wide stays, cut at the edge).
  const int first = lines.back();
  int end = first;
  double used = 0;
  const double gap = box.gap * s;
  const double ellipsis = box.ellipsisWidth * s;
  for (size_t i = size_t(first); i < widths.size(); ++i) {
    const double w = widths[i] * s;
    const double next = (end == first ? w : used + gap + w);
    if (end > first && next + gap + ellipsis > box.width) break;
    used = next;
    end = int(i) + 1;
  }
  fit.shown = std::max(end, first + 1);
  return fit;
}
