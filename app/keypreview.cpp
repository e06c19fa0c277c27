#include "app/keypreview.h"

#include "draw/keys.h"
#include "widgets/flatbutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

int virtualKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 0x30 + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 0x41 + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return VK_SPACE_KEY;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return VK_NEXT_KEY;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Menu: return 0x5D;
    default: return 0;
  }
}

KeyPreview::KeyPreview(QWidget* window, std::function<void(int)> onKeyUp)
    : QObject(window), window_(window), onKeyUp_(std::move(onKeyUp)) {
  grace_.setSingleShot(true);
  grace_.setInterval(kGraceMs);
  QObject::connect(&grace_, &QTimer::timeout, this, [this] { settle(); });
  qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() { qApp->removeEventFilter(this); }

void KeyPreview::settle() {
  grace_.stop();
  if (!waiting_) return;
  const int key = waiting_->qtKey;
  waiting_.reset();
  onKeyUp_(virtualKey(key));
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  const bool release = event->type() == QEvent::KeyRelease;
  if ((!release && event->type() != QEvent::KeyPress) || !watched->isWidgetType()) return false;
  // A key event goes first to the window's focus widget (or the window itself) and then,
  // when ignored, on to its parents: only the first delivery counts.
  QWidget* first = window_->focusWidget() ? window_->focusWidget() : window_;
  if (watched != first || first->window() != window_) return false;
  auto* key = static_cast<QKeyEvent*>(event);

  if (!release) {
    // The press of an auto-repeat pair: the release before it was no release at all.
    if (waiting_ && waiting_->qtKey == key->key() &&
        (key->isAutoRepeat() || key->timestamp() == waiting_->timestamp)) {
      waiting_.reset();
      grace_.stop();
    }
    return false;
  }
  if (key->isAutoRepeat() || FlatButton::isFlatButton(first)) return false;
  settle();  // a release of another key still waiting goes first
  waiting_ = Release{key->key(), key->timestamp()};
  grace_.start();
  return false;  // the control then handles the release as usual
}
