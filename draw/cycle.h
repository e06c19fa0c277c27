#pragma once
// The draw cycle: Start, Stop, Cancel, the lock-out, the keys and the page-key lock.
#include "draw/keys.h"
#include "platform/text.h"

class Window;
struct Session;
namespace platform { class Clock; class Sound; }

// The focus step: the draw-size field takes the keyboard focus when the prize bar is
// enabled, so that no flat button keeps it and Space and PageDown reach the window.
void FocusStep(Window& w);

class DrawCycle {
 public:
  // `exeDir` is the executable's folder (GBK, ending in a backslash); the sounds are
  // "drum.wav" and "gong.wav" in it. The clock gives the time of each Stop for the
  // winners detail.
  DrawCycle(Window& w, Session& s, platform::Sound& sound, platform::Clock& clock, Text exeDir);

  void Button1Click();      // Start/Stop press
  void Timer2Timer();       // end of a lock-out
  void FlatButton1Click();  // Cancel
  void FormKeyUp(int key);  // Space, PageDown
  void Label13Click();      // page-key lock switch

 private:
  bool idle() const;
  void start();
  void stop();

  Window& w_;
  Session& s_;
  platform::Sound& sound_;
  platform::Clock& clock_;
  Text exeDir_;
};
