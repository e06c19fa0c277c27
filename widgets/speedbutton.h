#pragma once
// A speed button: flat, never takes the keyboard focus (so clicking it leaves the focus
// where it was), and shows its border only while the mouse is over it.
#include <QToolButton>

class SpeedButton : public QToolButton {
  Q_OBJECT

 public:
  explicit SpeedButton(QWidget* parent = nullptr);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
};
