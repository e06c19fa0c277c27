#pragma once
// Key preview: every key release in the window reaches the window's handler before the
// control that has the focus handles it. Qt has no such thing, so an application event
// filter watches for key releases whose first receiver lies in the window.
//
// Left alone: releases while a flat button holds the focus (the button takes its keys
// itself), auto-repeat releases (on X11 a held key sends release/press pairs), and key
// events of other windows (a message box, the popup menu).
#include <QObject>

#include <functional>

class QWidget;

// The Windows virtual-key code of a Qt key, or 0 for keys the program has no use for.
// Space is 32 and PageDown 34.
int virtualKey(int qtKey);

class KeyPreview : public QObject {
 public:
  KeyPreview(QWidget* window, std::function<void(int virtualKey)> onKeyUp);
  ~KeyPreview() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<void(int)> onKeyUp_;
};
