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
