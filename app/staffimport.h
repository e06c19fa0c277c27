#pragma once
// The import of a staff list from the window: the pool's menu item "导入名单…" and a file
// dropped anywhere on the window. The file is read (data/stafflist.h), the operator
// chooses the columns (importdialog.h), the candidate list file is written with the
// previous one kept beside it, the pool is loaded from it, and one report says what
// happened. Not while a draw runs.
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class ErrorReporter;
class Window;
struct Session;
namespace platform {
class Clock;
}

class StaffImport : public QObject {
  Q_OBJECT

 public:
  // Adds the menu item after `after` in `menu` and accepts files dropped on `window`.
  StaffImport(QWidget& window, Window& w, Session& s, ErrorReporter& reporter, platform::Clock& clock,
              QMenu& menu, QAction* after);

  QAction* action() const { return action_; }

  // The whole import of one file, under the guard. Returns when the report was closed
  // (or the operator cancelled).
  void importFile(const QString& path);
  // The menu item: asks for the file first.
  void chooseFile();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool drawRunning() const;
  void importGuarded(const QString& path);

  QWidget& window_;
  Window& w_;
  Session& s_;
  ErrorReporter& reporter_;
  platform::Clock& clock_;
  QAction* action_ = nullptr;
};
