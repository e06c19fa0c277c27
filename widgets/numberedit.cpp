#include "widgets/numberedit.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace {

bool allDigits(const QString& text) {
  for (QChar c : text) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

// A key "produces a character" as a typed character is understood here: it has text.
// X11 gives Delete the text "\x7f", yet Delete is an editing key like the arrows, not a
// typed character.
bool typesCharacter(const QKeyEvent* event) {
  return !event->text().isEmpty() && event->key() != Qt::Key_Delete;
}

}  // namespace

NumberEdit::NumberEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  setFrame(false);
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  // Digits only: an input method would commit text past the key handling.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
  lineEdit()->installEventFilter(this);
  // QAbstractSpinBox without a value type leaves the text alone; the value is worked out
  // here every time the text changes, however it changed (typing, paste, undo, code).
  connect(lineEdit(), &QLineEdit::textChanged, this, &NumberEdit::textToValue);
}

void NumberEdit::setRange(int minimum, int maximum) {
  min_ = minimum;
  max_ = qMax(minimum, maximum);
  // The value follows the text under the new range. The text itself is rewritten only
  // where leaving the field would have rewritten it: while the field is not in use.
  textToValue(lineEdit()->text());
  if (!hasFocus() && lineEdit()->text() != valueText()) lineEdit()->setText(valueText());
  update();  // the step buttons' enabled look
}

void NumberEdit::setValue(int value) {
  assign(true, qBound(min_, value, max_));
  const QString digits = valueText();
  if (lineEdit()->text() != digits) lineEdit()->setText(digits);
}

QString NumberEdit::valueText() const {
  return hasValue_ ? QString::number(value_) : QString();
}

void NumberEdit::assign(bool has, int value) {
  if (has == hasValue_ && (!has || value == value_)) return;
  hasValue_ = has;
  value_ = has ? value : 0;
  update();
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent change(this, this->value());
    QAccessible::updateAccessibility(&change);
  }
  emit valueChanged(this->value());
}

void NumberEdit::textToValue(const QString& text) {
  if (text.isEmpty() || !allDigits(text)) {
    assign(false, 0);
    return;
  }
  // Any run of digits is a number; one too long for an int is above any range.
  qsizetype first = 0;
  while (first < text.size() - 1 && text.at(first) == u'0') ++first;
  const QStringView significant = QStringView(text).mid(first);
  bool ok = false;
  const int number = significant.size() <= 9 ? significant.toInt(&ok) : 0;
  assign(true, ok ? qBound(min_, number, max_) : max_);
}

QValidator::State NumberEdit::validate(QString& input, int&) const {
  return allDigits(input) ? QValidator::Acceptable : QValidator::Invalid;
}

// The text is never reformatted while it is edited.
void NumberEdit::fixup(QString&) const {}

QAbstractSpinBox::StepEnabled NumberEdit::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  if (!hasValue_) return StepUpEnabled | StepDownEnabled;
  // A text that is not the value's own digits ("1000", "007", "") steps in either
  // direction: the step at least writes the value back as it is.
  if (lineEdit()->text() != valueText()) return StepUpEnabled | StepDownEnabled;
  StepEnabled steps = StepNone;
  if (value_ < max_) steps |= StepUpEnabled;
  if (value_ > min_) steps |= StepDownEnabled;
  return steps;
}

// Without a value either direction starts at the minimum.
void NumberEdit::stepBy(int steps) {
  const qint64 next = hasValue_ ? qint64(value_) + steps : min_;
  setValue(int(std::clamp<qint64>(next, min_, max_)));
  selectAll();
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      // Only Up and Down step; the page keys are left to the window.
      event->ignore();
      return;
    default:
      break;
  }
  if (!onKeyPress || !typesCharacter(event)) {
    QAbstractSpinBox::keyPressEvent(event);
    return;
  }

  const QString typed = event->text();
  QString kept;
  for (QChar c : typed) {
    QChar ch = c;
    onKeyPress(ch);
    if (!ch.isNull()) kept += ch;
  }
  if (kept == typed) {
    QAbstractSpinBox::keyPressEvent(event);
  } else if (kept.isEmpty()) {
    event->accept();  // taken away: the key does nothing
  } else {
    // The hook put other characters in place: type those instead.
    QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, kept, event->isAutoRepeat());
    QAbstractSpinBox::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
  }
}

void NumberEdit::focusOutEvent(QFocusEvent* event) {
  // A popup (the context menu) or another window coming to the front leaves the field
  // the focus widget of this window; only a real move of the focus away rewrites it.
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
    const QString digits = valueText();
    if (lineEdit()->text() != digits) lineEdit()->setText(digits);
  }
  QAbstractSpinBox::focusOutEvent(event);
}

// The wheel does not change the draw size.
void NumberEdit::wheelEvent(QWheelEvent* event) { event->ignore(); }

// Flat look: no frame from the style, but a one-pixel line all round, which the edit
// area must leave free (the style gives it the whole height and the left edge).
void NumberEdit::paintEvent(QPaintEvent* event) {
  QAbstractSpinBox::paintEvent(event);
  QPainter p(this);
  p.setPen(palette().color(QPalette::Dark));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void NumberEdit::insetEditor() {
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  lineEdit()->setGeometry(lineEdit()->geometry().intersected(inner));
}

void NumberEdit::resizeEvent(QResizeEvent* event) {
  QAbstractSpinBox::resizeEvent(event);  // lays the edit area out afresh
  insetEditor();
}

void NumberEdit::changeEvent(QEvent* event) {
  QAbstractSpinBox::changeEvent(event);
  if (event->type() == QEvent::StyleChange || event->type() == QEvent::LayoutDirectionChange) insetEditor();
}

bool NumberEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && onMouseDown &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
    onMouseDown();
  }
  return QAbstractSpinBox::eventFilter(watched, event);
}
