#pragma once
// An image: draws its picture at the picture's own size (or at a scale of it) from the
// top-left corner, clipped to the widget, neither stretched nor centred. It is transparent: every pixel
// with the colour of the picture's bottom-left pixel is left out and the parent shows
// through.
#include <QImage>
#include <QLabel>

class ColorKeyImage : public QLabel {
  Q_OBJECT

 public:
  explicit ColorKeyImage(QWidget* parent = nullptr);

  // A null image empties the picture; then nothing is drawn.
  void setPicture(const QImage& picture);
  QImage picture() const { return picture_; }
  // The picture drawn `scale` times its own size (1 at the design size), its proportions
  // kept; the scaled copy is made once per scale.
  void setScale(qreal scale);
  qreal scale() const { return scale_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;  // as given
  QImage keyed_;    // prepared once per picture: the key colour made transparent
  QImage shown_;    // keyed_ at the scale
  qreal scale_ = 1.0;
  void prepareShown();
};
