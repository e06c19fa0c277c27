#pragma once
// A flat push button: a rectangle in the face colour with a one-pixel border, the
// caption centred on one line and an optional glyph left of it.
//
// It is a tab stop and takes the keyboard focus when clicked. While it holds the focus
// it keeps every key press and release to itself: releasing Space clicks it, and no key
// event travels on to its parents. The window's key preview must skip it as well
// (isFlatButton), so that a Space release meant for the button does not also start or
// stop a draw.
#include <QAbstractButton>
#include "widgets/flatlook.h"

#include <QColor>
#include <QImage>

class FlatButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit FlatButton(QWidget* parent = nullptr);

  void setFaceColor(const QColor& color);
  void setBorderColor(const QColor& color);

  // The glyph drawn left of the caption; pixels of the colour `transparent` are left
  // out. A null image removes the glyph.
  void setGlyph(const QImage& glyph, QColor transparent);
  QImage glyph() const { return glyph_; }

  // True for a flat button (and anything derived from one).
  static bool isFlatButton(const QObject* object);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  QColor face_ = QColor::fromRgb(flatlook::kFace);
  QColor border_ = QColor::fromRgb(flatlook::kBorder);
  QImage glyph_;   // as given
  QImage keyed_;   // the glyph with its transparent colour keyed out
};
