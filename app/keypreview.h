#pragma once
// Key preview: every key release in the window reaches the window's handler before the
// control that has the focus handles it. Qt has no such thing, so an application event
// filter watches for key releases whose first receiver lies in the window.
//
// Left alone: releases while a flat button holds the focus (the button takes its keys
// itself), auto-repeat releases, and key events of other windows (a message box, the popup
// menu).
//
// A held key on X11 sends a release and a press again and again, both with the same time
// stamp. Qt flags the pair as auto-repeat only when the press is already queued when it
// handles the release, which on a loaded machine it sometimes is not: a held Space would
// then start a draw and, two seconds later, stop it. So a release counts only after a
// short grace period in which no press of the same key with the same time stamp followed.
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class QWidget;

// The keys of the audience's view (app/presenter.h), as Windows virtual-key codes: F5 shows
// it, Escape hides it, B or "." blacks it out and back, as a presenter's clicker sends them.
enum : int {
  VK_ESCAPE_KEY = 0x1B,
  VK_B_KEY = 0x42,
  VK_F5_KEY = 0x74,
  VK_PERIOD_KEY = 0xBE,
};

// The Windows virtual-key code of the keys the window's key handler looks at, Space and
// PageDown (the codes of draw/keys.h) and the audience view's keys above; 0 for every other
// key, which the handler passes over.
int virtualKey(int qtKey);

class KeyPreview : public QObject {
 public:
  KeyPreview(QWidget* window, std::function<void(int virtualKey)> onKeyUp);
  ~KeyPreview() override;

  // How long a release waits for a press that would make it part of an auto-repeat pair.
  static constexpr int kGraceMs = 40;

  // Hands a waiting release on at once, as the end of the grace period would.
  void settle();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Release {
    int qtKey;
    quint64 timestamp;
  };

  QWidget* window_;
  std::function<void(int)> onKeyUp_;
  QTimer grace_;
  std::optional<Release> waiting_;
};
