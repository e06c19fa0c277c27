#include "app/screenchoice.h"

#include <algorithm>

#include <tuple>

namespace {

qint64 area(const QRect& r) { return r.isValid() ? qint64(r.width()) * r.height() : 0; }

}  // namespace

int screenHolding(const std::vector<ScreenId>& screens, const QRect& operatorWindow) {
  int best = -1;
  qint64 bestArea = 0;
  for (size_t i = 0; i < screens.size(); ++i) {
    const qint64 covered = area(screens[i].geometry.intersected(operatorWindow));
    if (covered > bestArea) {
      best = int(i);
      bestArea = covered;
    }
  }
  if (best >= 0) return best;
  for (size_t i = 0; i < screens.size(); ++i)
    if (screens[i].geometry.contains(operatorWindow.center())) return int(i);
  return -1;
}

int choosePresenterScreen(const std::vector<ScreenId>& screens, const QRect& operatorWindow,
                          const std::optional<ScreenId>& remembered) {
  if (screens.size() < 2) return -1;
  const int operatorScreen = screenHolding(screens, operatorWindow);
  std::vector<int> free;
  for (size_t i = 0; i < screens.size(); ++i)
    if (int(i) != operatorScreen) free.push_back(int(i));
  if (free.empty()) return -1;

  if (remembered) {
    using Match = bool (*)(const ScreenId&, const ScreenId&);
    const Match matches[] = {
        [](const ScreenId& a, const ScreenId& b) { return a == b; },
        [](const ScreenId& a, const ScreenId& b) { return !a.name.isEmpty() && a.name == b.name; },
        [](const ScreenId& a, const ScreenId& b) { return a.geometry == b.geometry; },
    };
    for (Match match : matches)
      for (int i : free)
        if (match(screens[size_t(i)], *remembered)) return i;
  }

  int best = free.front();
  auto rank = [&](int i) {
    const ScreenId& s = screens[size_t(i)];
    return std::make_tuple(-area(s.geometry), s.geometry.x(), s.geometry.y(), s.name);
  };
  for (int i : free)
    if (rank(i) < rank(best)) best = i;
  return best;
}

QRect rehearsalPlace(const QRect& area, const QRect& operatorWindow) {
  const auto corners = [&area](QSize size) {
    size = size.boundedTo(area.size());
    return std::vector<QRect>{QRect(area.topLeft(), size),
                              QRect(QPoint(area.right() - size.width() + 1, area.top()), size),
                              QRect(QPoint(area.left(), area.bottom() - size.height() + 1), size),
                              QRect(QPoint(area.right() - size.width() + 1, area.bottom() - size.height() + 1), size)};
  };
  for (int width = 960; width >= 480; width -= 80)
    for (const QRect& r : corners(QSize(width, width * 9 / 16)))
      if (!r.intersects(operatorWindow)) return r;
  const auto covered = [&operatorWindow](const QRect& r) {
    const QRect both = r & operatorWindow;
    return qint64(both.width()) * both.height();
  };
  const std::vector<QRect> small = corners(QSize(480, 270));
  return *std::min_element(small.begin(), small.end(),
                           [&covered](const QRect& a, const QRect& b) { return covered(a) < covered(b); });
}
