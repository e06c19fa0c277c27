#pragma once
// Turns the design tables into widgets: one widget per component, of its kind, with its
// place, caption, font, colours, visibility, focus policy, hint and accessible name;
// then the tab order of the tables. The stacking order is the order of the rows. No handler is bound here.
#include <QHash>
#include <QString>

class QLabel;
class QRect;
class QWidget;

// A label sizes itself to its text. Where the platform's face is taller than the design's
// line, the label grows about the middle of its design box, so that the glyphs stay where
// the design put them and are not cut off.
void fitLabelToText(QLabel* label, const QRect& designRect);

class BuiltDesign {
 public:
  // Builds every component under `window` (the window's own caption, size and font are
  // set too).
  explicit BuiltDesign(QWidget* window);

  // The widget of a component; aborts when the design has no such component or the
  // widget is not of the asked type.
  template <class W>
  W* get(const char* name) const {
    W* w = dynamic_cast<W*>(widget(name));
    if (!w) missing(name);
    return w;
  }
  QWidget* widget(const char* name) const;

 private:
  [[noreturn]] static void missing(const char* name);
  QHash<QString, QWidget*> widgets_;
};
