#pragma once
// A panel: a rectangle filled with its colour, with an optional outer and inner bevel
// of one pixel each. A raised bevel has light lines at the top and left and dark lines
// at the bottom and right; a lowered bevel the reverse. The inner bevel lies inside the
// outer one, or at the edge when there is no outer bevel. No caption is drawn.
#include <QColor>
#include <QFrame>

class BevelPanel : public QFrame {
  Q_OBJECT

 public:
  enum class Bevel { None, Raised, Lowered };

  explicit BevelPanel(QWidget* parent = nullptr);

  void setFillColor(const QColor& color);
  void setBevels(Bevel outer, Bevel inner);
  Bevel outerBevel() const { return outer_; }
  Bevel innerBevel() const { return inner_; }
  // Pixels taken by the bevels on each side (0, 1 or 2).
  int bevelWidth() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fill_;
  Bevel outer_ = Bevel::None;
  Bevel inner_ = Bevel::None;
};
