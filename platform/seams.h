#pragma once
// The side effects the program has on the machine, each behind a small interface so that
// tests can put a fake in its place: the clock, message and input boxes, sound and
// starting an editor.
#include "platform/text.h"

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Local time as "YYYYMMDD-HHMMSS", GBK (digits and '-').
  virtual Text localStamp() = 0;
};

class Dialogs {
 public:
  enum class Answer { Yes, No, Failed };
  virtual ~Dialogs() = default;
  // Modal critical box with one OK button.
  virtual void errorBox(const Text& caption, const Text& text) = 0;
  // Modal Yes/No question with the question icon.
  virtual Answer askYesNo(const Text& caption, const Text& text) = 0;
  // The same question before a step that changes the record: No is the default button, and
  // Escape and the close box answer No.
  virtual Answer confirm(const Text& caption, const Text& text) { return askYesNo(caption, text); }
  // Modal input box: OK returns the entry's text, Cancel/Escape/close return `deflt`.
  virtual Text inputBox(const Text& caption, const Text& prompt, const Text& deflt) = 0;
};

class Sound {
 public:
  virtual ~Sound() = default;
  // Starts playing the file and returns at once. A missing file or no audio device plays
  // nothing and reports nothing.
  virtual void play(const Text& ansiPath) = 0;
  // Loads the file ahead of its first play, so that the first sound starts on time.
  virtual void prepare(const Text& ansiPath) { (void)ansiPath; }
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Opens the file in a text editor without waiting. True when an opener or an editor was
  // started (what it then does with the file is not watched); false when no program to
  // start was found, which the caller reports.
  virtual bool openInEditor(const Text& ansiPath) = 0;
};

// The real clock (on every platform).
Clock& systemClock();

// The folder of the running executable, GBK, ending in a backslash ("D:\抽奖\" or
// "\home\me\event\" on Linux; nativePath() turns it back).
Text executableDir();

}  // namespace platform
