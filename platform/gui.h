#pragma once
// The real seams that need a screen or a device: message and input boxes, sound, starting
// an editor, and the screens' sizes.
#include "platform/seams.h"

#include <QRect>
#include <memory>
#include <vector>

class QWidget;

namespace platform {

// QMessageBox / a small input dialog. Modal boxes run their own event loop, so the
// window's timers keep ticking while one is open.
class QtDialogs final : public Dialogs {
 public:
  void errorBox(const Text& caption, const Text& text) override;
  Answer askYesNo(const Text& caption, const Text& text) override;
  Answer confirm(const Text& caption, const Text& text) override;
  Text inputBox(const Text& caption, const Text& prompt, const Text& deflt) override;
};

// The machine's sound: PlaySound on Windows, Qt Multimedia elsewhere (one effect per file,
// created on first use). A missing file or a machine without an audio device plays nothing
// and reports nothing.
class SystemSound final : public Sound {
 public:
  SystemSound();
  ~SystemSound() override;
  void play(const Text& ansiPath) override;
  void prepare(const Text& ansiPath) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> d_;
};

// Notepad on Windows, the desktop's default application for the file elsewhere; always an
// argument list, never a shell command line.
class DesktopLauncher final : public Launcher {
 public:
  bool openInEditor(const Text& ansiPath) override;
};

// The primary display's width and the whole desktop (all displays together).
class Screens {
 public:
  virtual ~Screens() = default;
  virtual int primaryWidth() const = 0;
  virtual QRect desktop() const = 0;
  // What each display leaves to windows (without task bars and docks), the primary
  // display's first; in the same units as the window's own size, whatever the display's
  // scale.
  virtual std::vector<QRect> availableAreas() const = 0;
};

Screens& systemScreens();

}  // namespace platform
