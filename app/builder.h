#pragma once
// Turns the design tables into widgets: one widget per component, of its kind, with its
// place, caption, font, colours, visibility, focus policy, hint and accessible name; then
// the tab order of the tables, the timers and the popup menu. No handler is bound here.
#include <QHash>
#include <QString>

class QLabel;
class QObject;
class QRect;
class QWidget;

// A label sizes itself to its text. Where the platform's face is taller than the design's
// line, the label grows about the middle of its design box, so that the glyphs stay where
// the design put them and are not cut off.
void fitLabelToText(QLabel* label, const QRect& designRect);

class BuiltDesign {
 public:
  // Builds every component under `window` (the window's own caption, size and font are
  // set too), the timers (off) and the popup menu with its items.
  explicit BuiltDesign(QWidget* window);

  // Points `member` at the component called `name`, as the member's own type; aborts when
  // the design has no such component or it is of another type.
  template <class T>
  void take(T*& member, const char* name) const {
    member = dynamic_cast<T*>(object(name));
    if (!member) missing(name);
  }

 private:
  QObject* object(const char* name) const;
  QWidget* widget(const char* name) const;
  void add(const char* name, QObject* object);
  [[noreturn]] static void missing(const char* name);
  QHash<QString, QObject*> objects_;
};
