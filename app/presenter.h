#pragma once
// The audience's view and when it is on screen. It goes to a screen that does not hold the
// operator's window, the one remembered from the last evening when it is there; it comes up
// at start and when a projector is plugged in, and goes when its screen is pulled out,
// leaving the draw as it is. With one screen it opens only when the operator asks, as a
// normal window for a rehearsal. The keys: F5 shows it, Escape hides it, B or "." blacks
// it out and back (a presenter's clicker sends these).
//
// It reads what it shows from the operator's window once per frame of its screen while it
// is on screen, never one paint per pick. A running draw's pick changes on it every other
// frame (30 times a second on a 60 Hz projector): to the hall still a rush of names, each
// whole on the screen for two frames, at half the cost of a wall of large type redrawn at
// every frame. The first pick and the winners at Stop come at the next frame.
#include "app/screenchoice.h"
#include "platform/text.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QScreen;
class QWidget;
class KeyPreview;
class PresenterView;
class TForm1;

// Where the screen chosen for the view is kept between runs.
class ScreenMemory {
 public:
  virtual ~ScreenMemory() = default;
  virtual std::optional<ScreenId> recall() const = 0;
  virtual void remember(const ScreenId& screen) = 0;
};

// The user's settings file of the program (QSettings, written whole into a new file that
// then takes the old one's place).
ScreenMemory& settingsScreenMemory();

class Presenter : public QObject {
  Q_OBJECT

 public:
  // `onKeyUp` is the operator's window's key handler: keys released on the view go there.
  Presenter(TForm1& form, std::function<void(int virtualKey)> onKeyUp);
  ~Presenter() override;

  void useMemory(ScreenMemory& memory) { memory_ = &memory; }
  // The event's title: the headline as the draw folder set it at start.
  void setTitle(const Text& title);

  // At start: the view comes up when there is a screen for it.
  void start();
  // F5, Escape, B and "." (the virtual-key codes of app/keypreview.h); true when the key
  // was one of them.
  bool keyUp(int virtualKey);
  void show();    // on the chosen screen; with none, a normal window on the operator's
  void hide();
  void toggle();  // the operator's button
  void toggleBlackout();
  bool shown() const;

  PresenterView* view() const { return view_.get(); }
  // The screens as the choice sees them, and the one chosen now (-1: none).
  static std::vector<ScreenId> screenIds();
  QScreen* chosenScreen() const;

  // Reads the operator's window into the view now, as the next frame would.
  void refresh();
  // One frame of the view's screen: a refresh, but for every other frame of a running draw.
  void frame();

 signals:
  void shownChanged(bool shown);
  void blackoutChanged(bool on);

 protected:
  // The view closed by its own close box (a rehearsal window) or the system's close key is
  // hidden as by the operator's switch.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void screenAdded(QScreen* screen);
  void screenRemoved(QScreen* screen);
  void screenResized();
  void showOn(QScreen* screen);
  // The view off its screen, a blackout kept for when it comes back (a projector's input
  // switched or its cable jiggled is no reason to show the hall what the operator hid).
  void takeAway();

  TForm1& form_;
  std::unique_ptr<PresenterView> view_;
  KeyPreview* keys_ = nullptr;
  ScreenMemory* memory_;
  QTimer frame_;  // one read of the operator's window per frame while the view is on screen
  QString title_;
  Text titleBytes_;
  Text shownHeadline_;  // the headline last handed to the view, and whether a draw ran
  bool shownDrawing_ = false;
  size_t shownLastDraw_ = 0;  // the last draw's names when the view was given its names
  bool heldFrame_ = false;  // the pick now on the view has stayed up for a second frame
  QPointer<QScreen> on_;  // the screen the view is full screen on; none for a rehearsal window
};
