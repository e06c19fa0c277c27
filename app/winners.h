#pragma once
// The operator's corrections on the window: a right-click on the headline or the prize bar
// opens a menu with 撤销本次抽奖 (withdraw the last draw), 改为其他奖项 (move it to another
// prize) and 标记缺席… (a dialog listing a prize's winners to mark absent). It does not open
// while a draw runs or Start/Stop is locked out; each command asks before it acts.
#include "draw/corrections.h"

#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QMenu;
class QPoint;
class QWidget;
class Window;
struct Session;
namespace platform { class Dialogs; }

class WinnersMenu : public QObject {
 public:
  // `guard` runs a command under the window's error report.
  WinnersMenu(QWidget* owner, Window& w, Session& s, platform::Dialogs& dialogs,
              std::function<void(const std::function<void()>&)> guard);

  // The menu, its entries set for the present state, at a point of the screen; nothing
  // while a draw runs or during the lock-out.
  void popup(const QPoint& global);
  QMenu* menu() const { return menu_; }

  // The absentee dialog: the winners of one prize, ticked ones marked absent after the
  // question. Returns the chosen winners, nothing when it was cancelled.
  static std::optional<std::vector<RecordedWinner>> chooseAbsentees(QWidget* parent, const Window& w,
                                                                    const Session& s);

 private:
  void refresh();

  QWidget* owner_;
  Window& w_;
  Session& s_;
  platform::Dialogs& dialogs_;
  std::function<void(const std::function<void()>&)> guard_;
  QMenu* menu_;
};
