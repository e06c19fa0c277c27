#pragma once
// A plain container: no border, no title, no shadow, and transparent, so that the
// parent's colour and bevels show through. Children are placed with fixed geometry
// relative to its top-left corner.
#include <QGroupBox>

class BorderlessGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit BorderlessGroupBox(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
