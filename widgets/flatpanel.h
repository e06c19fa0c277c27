#pragma once
// A flat panel: a rectangle in its colour with a one-pixel border and a one-line
// plain-text caption, vertically centred and left-aligned 3 px inside the border.
// Emits clicked() when the left mouse button is pressed and released over it.
#include "widgets/flatlook.h"

#include <QColor>
#include <QLabel>

class FlatPanel : public QLabel {
  Q_OBJECT

 public:
  explicit FlatPanel(QWidget* parent = nullptr);

  void setFillColor(const QColor& color);
  void setBorderColor(const QColor& color);

  // Left edge of the caption, counted from the panel's left edge.
  static constexpr int kCaptionLeft = 1 + 3;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor fill_ = QColor::fromRgb(flatlook::kFace);
  QColor border_ = QColor::fromRgb(flatlook::kBorder);
  bool pressed_ = false;
};
