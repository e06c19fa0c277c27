#include "app/keypreview.h"

#include "draw/keys.h"
#include "widgets/flatbutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

int virtualKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Space: return VK_SPACE_KEY;
    case Qt::Key_PageDown: return VK_NEXT_KEY;
    case Qt::Key_F5: return VK_F5_KEY;
    case Qt::Key_Escape: return VK_ESCAPE_KEY;
    case Qt::Key_B: return VK_B_KEY;
    case Qt::Key_Period: return VK_PERIOD_KEY;
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
