#pragma once
// Which screen the audience's view goes to. Screens are told apart by their name and their
// place on the desktop, never by their order: the order differs between systems and can
// change when a screen comes or goes.
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

struct ScreenId {
  QString name;
  QRect geometry;
  friend bool operator==(const ScreenId&, const ScreenId&) = default;
};

// The screen that holds the operator's window: the one the window covers most, or the one
// under its centre when it covers none. -1 when there is no such screen.
int screenHolding(const std::vector<ScreenId>& screens, const QRect& operatorWindow);

// The screen for the audience's view, as an index into `screens`, or -1 for none. Never the
// screen that holds the operator's window, so with one screen there is none. Among the
// others: the remembered screen (the same name and place; else the same name; else the same
// place), otherwise the largest, then the leftmost, then the topmost, then by name.
int choosePresenterScreen(const std::vector<ScreenId>& screens, const QRect& operatorWindow,
                          const std::optional<ScreenId>& remembered);

// Where a rehearsal window of the audience's view goes on a screen whose free area is `area`
// while the operator's window takes `operatorWindow`: 16:9, as large as it can be from
// 960 x 540 down to 480 x 270 in a corner of the area clear of the operator's window;
// where no corner is clear, 480 x 270 (or the area, when smaller) in the corner that
// covers least of it.
QRect rehearsalPlace(const QRect& area, const QRect& operatorWindow);
