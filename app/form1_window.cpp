// TForm1: the window's operations that the loaders, the winners record, the draw engine
// and the side commands use. Texts the program reads back are kept as bytes beside the
// widgets; the widgets show a decoding of them.
#include "app/form1.h"

#include "app/builder.h"
#include "app/design.h"
#include "app/poolmodel.h"
#include "app/poolview.h"
#include "data/errors.h"
#include "platform/characters.h"
#include "platform/codec.h"
#include "widgets/bevelpanel.h"
#include "widgets/colorkeyimage.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/headline.h"
#include "widgets/numberedit.h"
#include "widgets/textfit.h"

#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

// A caption shown as typed: a button would take "&" as the mark of a shortcut key.
QString asButtonText(const Text& bytes) {
  return platform::fromAnsi(bytes).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

// ---- ListBox1, the pool ----

int TForm1::poolCount() const { return poolModel_->count(); }

Text TForm1::poolName(int i) const {
  if (i < 0 || i >= poolCount()) errors::throwIndex(i);
  return Text(poolModel_->name(i));
}

void TForm1::poolAppend(const Text& name) { poolModel_->append(name); }

void TForm1::poolAppendAll(const std::vector<Text>& names) { poolModel_->appendAll(names); }

void TForm1::poolAppendList(NameList&& names) { poolModel_->appendAll(std::move(names)); }

void TForm1::poolClear() { poolModel_->clear(); }

bool TForm1::poolSelected(int i) const {
  if (i < 0 || i >= poolCount()) errors::throwListIndex(i);
  return poolModel_->selected(i);
}

// A pick changes up to 999 flags per tick: the model changes them silently, and the view
// repaints, at its next paint, only the entries among them that are on screen.
void TForm1::setPoolSelected(int i, bool on) {
  if (i < 0 || i >= poolCount()) errors::throwListIndex(i);
  if (poolModel_->selected(i) == on) return;
  poolModel_->setSelected(i, on);
  ListBox1->repaintRow(i);
}

void TForm1::clearPoolSelection() {
  poolModel_->clearSelection([this](int row) {
    if (row < 0)
      repaintPool();
    else
      ListBox1->repaintRow(row);
  });
}

void TForm1::repaintPool() { ListBox1->requestRepaint(); }

int TForm1::poolSelectedCount() const { return poolModel_->selectedCount(); }

void TForm1::poolDeleteRows(const std::vector<int>& ascending) { poolModel_->deleteRows(ascending); }

void TForm1::poolDeleteSelected() { poolModel_->deleteSelected(); }

void TForm1::poolInsertRows(const std::vector<int>& rows, const std::vector<Text>& names) {
  poolModel_->insertRows(rows, names);
}

// ---- Label13, the pool caption ----

void TForm1::setPoolCaption(const Text& caption) {
  Label13->setText(platform::fromAnsi(caption));
}

bool TForm1::pageKeyLocked() const { return pageKeyLocked_; }

// The lock shows on the caption itself, in a warning colour, so that a stray click that
// switched the presenter's clicker off does not go unseen.
void TForm1::setPageKeyLocked(bool on) {
  if (!label13Face_.isValid()) label13Face_ = Label13->fillColor();
  pageKeyLocked_ = on;
  Label13->setFillColor(on ? QColor(0xFF, 0xC8, 0x64) : label13Face_);
}

void TForm1::setPoolCaptionHint(const Text& hint) { Label13->setToolTip(platform::fromAnsi(hint)); }

// ---- StaticText1, the headline ----

Text TForm1::headline() const { return headline_; }

void TForm1::setHeadline(const Text& text) {
  if (text == headline_) return;
  headline_ = text;
  showHeadline();
}

// The headline keeps every byte (Stop records it); the screen shows the pick in the
// largest type at which it fits the headline's area, no name split across two lines, and
// a pick too long even for the smallest type cut with "…" after the last whole name that
// fits. Only a start of the text that the area could show in the smallest type is decoded
// and laid out, so a pick of giant names shows as fast as any. A pick is made once per
// frame of the screen, so this runs once per frame during a draw.
void TForm1::showHeadline() {
  const QSize box = StaticText1->contentsRect().size();
  QFont smallest = headlineFace_;
  smallest.setPixelSize(std::max(layout_.headlineSmallestPx, 1));
  const size_t most = platform::kMaxCharBytes * size_t(mostCharactersInBox(smallest, box));
  bool more = false;
  const QString start = platform::fromAnsiPrefix(headline_, most, &more);
  StaticText1->showFit(
      fitHeadline(start, more, headlineFace_, box, layout_.headlinePx, layout_.headlineSmallestPx),
      headlineFace_);
}

// ---- Image1 ----

void TForm1::setPicture(const platform::Picture& picture) { Image1->setPicture(picture); }

// ---- Prize slots ----

bool TForm1::slotSelected(int k) const { return slotButton(k)->isChecked(); }

void TForm1::setSlotSelected(int k) { slotButton(k)->setChecked(true); }  // the group is exclusive

Text TForm1::slotCaption(int k) const { return slotCaptions_[size_t(k - 1)]; }

void TForm1::setSlotCaption(int k, const Text& caption) {
  slotCaptions_[size_t(k - 1)] = caption;
  slotButton(k)->setText(asButtonText(caption));
  layPrizeBar();
}

void TForm1::showSlot(int k) {
  slotButton(k)->show();
  slotCounter(k)->show();
  layPrizeBar();
}

Text TForm1::counter(int k) const { return counters_[size_t(k - 1)]; }

// A counter label sizes itself to its text.
void TForm1::setCounter(int k, const Text& caption) {
  counters_[size_t(k - 1)] = caption;
  QLabel* label = slotCounter(k);
  label->setText(platform::fromAnsi(caption));
  layPrizeBar();
}

// ---- Button1 ----

Text TForm1::buttonCaption() const { return buttonCaption_; }

void TForm1::setButtonCaption(const Text& caption) {
  buttonCaption_ = caption;
  Button1->setText(asButtonText(caption));
}

bool TForm1::buttonEnabled() const { return Button1->isEnabled(); }

void TForm1::setButtonEnabled(bool on) {
  if (!on) focusWindowIfInside(Button1);
  Button1->setEnabled(on);
}

// ---- Panel8, the prize bar ----

bool TForm1::prizeBarEnabled() const { return Panel8->isEnabled(); }

void TForm1::setPrizeBarEnabled(bool on) {
  if (!on) focusWindowIfInside(Panel8);
  Panel8->setEnabled(on);
}

// When the control that holds the focus, or a container holding it, is disabled, the
// focus goes to the window itself. (Qt would hand it to the next control in the chain,
// and a flat button there would then swallow Space.)
void TForm1::focusWindowIfInside(QWidget* container) {
  QWidget* holder = focusWidget();
  if (holder && (holder == container || container->isAncestorOf(holder))) setFocus(Qt::OtherFocusReason);
}

// ---- SpinEdit1, the draw-size field ----

// The field takes nothing but ASCII digits (typed or pasted), so its text converts to the
// same bytes exactly.
Text TForm1::drawSizeText() const { return platform::toAnsi(SpinEdit1->text()); }

bool TForm1::drawSizeHasFocus() const { return focusWidget() == SpinEdit1; }

void TForm1::focusWindow() { setFocus(Qt::OtherFocusReason); }

void TForm1::focusDrawSize() {
  if (!SpinEdit1->isEnabled() || !SpinEdit1->isVisible()) errors::throwCannotFocus();
  SpinEdit1->setFocus(Qt::OtherFocusReason);
}

bool TForm1::drawSizeHasValue() const { return SpinEdit1->hasValue(); }

int TForm1::drawSizeValue() const { return SpinEdit1->value(); }

void TForm1::setDrawSizeValue(int value) { SpinEdit1->setValue(value); }

// ---- Notices ----

void TForm1::notice(const Text& message) { reporter_.report(message); }

// ---- Timer1, the picking, and Timer2, the lock-out: switching on a running timer
// changes nothing ----

// One frame of the screen the window is on, in milliseconds: a pick per frame is as fast
// as the names can flicker by. A screen that reports no rate counts as 60 Hz.
int TForm1::frameInterval() const {
  const QScreen* on = screen();
  const double hz = on ? on->refreshRate() : 0.0;
  if (!(hz >= 1.0)) return 16;
  return std::clamp(int(1000.0 / hz), 4, 33);
}

// Every pick is on screen before the next one is made, so the pick on screen when picking
// ends is the one Stop records. It is painted at once, before Stop goes on to the gong and
// the save: the audience never sees an older pick while the record is written.
void TForm1::setPicking(bool on) {
  if (!on) {
    Timer1->stop();
    ListBox1->setSelectionLocked(false);
    if (isVisible()) {
      StaticText1->repaint();
      ListBox1->viewport()->repaint();
    }
  } else if (!Timer1->isActive()) {
    timer1Failing_ = false;  // a new draw reports its first failure again
    ListBox1->setSelectionLocked(true);
    Timer1->start(frameInterval());
  }
}

void TForm1::setLockOut(bool on) {
  if (!on)
    Timer2->stop();
  else if (!Timer2->isActive())
    Timer2->start();
}
