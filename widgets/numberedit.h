#pragma once
// A one-line number field with an up/down button pair at its right end.
//
// It holds a text and a value. The text is what the field shows and may be anything of
// ASCII digits, or empty: an empty text gives no value, a number gives that number
// brought into the range. Leaving the field writes its text afresh from the value. The
// up/down buttons and the Up and Down keys step the value by 1 within the range.
//
// Two hooks let the window guard the field: onKeyPress sees every typed character
// before the field inserts it and may take it away, and onMouseDown is told of every
// mouse press on the edit area.
#include <QAbstractSpinBox>
#include <QChar>

#include <functional>

class NumberEdit : public QAbstractSpinBox {
  Q_OBJECT
  Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)
  Q_PROPERTY(int minimum READ minimum)
  Q_PROPERTY(int maximum READ maximum)

 public:
  explicit NumberEdit(QWidget* parent = nullptr);

  int minimum() const { return min_; }
  int maximum() const { return max_; }
  // The value is worked out again from the text; while the field does not hold the
  // focus its text is then rewritten from the value.
  void setRange(int minimum, int maximum);

  bool hasValue() const { return hasValue_; }
  // The value; without one (hasValue() false) this is 0.
  int value() const { return hasValue_ ? value_ : 0; }
  // Brought into the range; the text becomes the value's decimal digits.
  void setValue(int value);

  // text() (from QAbstractSpinBox) is the text exactly as the field shows it.

  // Called for every key press that produces a character (Backspace, Enter, Escape and
  // the control characters of Ctrl+letter included), before the field acts on it. Set
  // the character to QChar() to take it away: then nothing is inserted and the key has
  // no effect at all. Keys without a character (Delete, arrows, Home, End...) do not
  // come here and keep their usual effect.
  std::function<void(QChar&)> onKeyPress;
  // Called on every mouse press (any button) on the edit area, before the field
  // handles it.
  std::function<void()> onMouseDown;

  void stepBy(int steps) override;
  // Accepts ASCII digits and the empty text, nothing else; so a paste that would leave
  // anything else is refused as a whole.
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 signals:
  // The value or whether there is one changed; `value` is value().
  void valueChanged(int value);

 protected:
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void textToValue(const QString& text);
  void assign(bool has, int value);
  QString valueText() const;
  void insetEditor();

  int min_ = 0;
  int max_ = 99;
  bool hasValue_ = false;
  int value_ = 0;
};
