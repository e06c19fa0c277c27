#pragma once
// A flat panel: a rectangle in its colour with a one-pixel border and a one-line
// plain-text caption, vertically centred and left-aligned 3 px inside the border.
// Emits clicked() when the left mouse button is pressed and released over it.
//
// The caption keeps clear of the widgets that lie on the panel (the pool caption's
// button): a caption too long for the room before them is drawn in narrower
// characters, then in smaller ones, and cut short with "…" only when even those do not
// fit.
#include "widgets/flatlook.h"

#include <QColor>
#include <QFont>
#include <QLabel>

class FlatPanel : public QLabel {
  Q_OBJECT

 public:
  explicit FlatPanel(QWidget* parent = nullptr);

  void setFillColor(const QColor& color);
  void setBorderColor(const QColor& color);
  // The face colour behind the caption (the tests tell the caption's ink from it).
  QColor fillColor() const { return fill_; }

  // Left edge of the caption, counted from the panel's left edge.
  static constexpr int kCaptionLeft = 1 + 3;
  // Space kept free between the caption and a widget lying on the panel.
  static constexpr int kCaptionGap = 2;

  // The width the caption may take: up to the first widget on the panel, or to the border.
  int captionRoom() const;
  // The font the caption is drawn in, and what it shows of the text.
  QFont captionFont() const;
  QString shownCaption() const;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Fitted {
    QString text;
    QFont font;
    int room = -1;
    QFont captionFont;
  };
  const Fitted& fitted() const;

  QColor fill_ = QColor::fromRgb(flatlook::kFace);
  QColor border_ = QColor::fromRgb(flatlook::kBorder);
  bool pressed_ = false;
  mutable Fitted fitted_;  // the last caption fitted, kept for the next paint
};
