#pragma once
// The window's operations: exactly what the main window offers to the rest of the
// program. The loaders, the winners record and the draw engine work only through this,
// so every rule of a draw runs without a window; the real window implements it with
// widgets and the tests with a plain fake.
#include "data/namelist.h"
#include "platform/bitmap.h"
#include "platform/text.h"

#include <cstdint>
#include <vector>

// The number of prize slots. Slot k runs from 1 to kSlotCount: radio button, counter label
// and winners text.
inline constexpr int kSlotCount = 6;

class Window {
 public:
  virtual ~Window() = default;

  // ListBox1, the pool. Entry indices run from 0 to poolCount() - 1.
  virtual int poolCount() const = 0;
  virtual Text poolName(int i) const = 0;              // EStringListError outside the pool
  virtual void poolAppend(const Text& name) = 0;        // EOutOfResources when refused
  // Appends every name in order; a window may do this in one step.
  virtual void poolAppendAll(const std::vector<Text>& names) {
    for (const auto& n : names) poolAppend(n);
  }
  // Appends every name of a loaded list in order; a window may take the list's buffer
  // as its own instead of copying the names.
  virtual void poolAppendList(NameList&& names) {
    for (int i = 0; i < names.count(); ++i) poolAppend(Text(names.name(i)));
  }
  virtual void poolClear() = 0;
  // No handler reads one entry's flag; the tests of the pick, the selection and the errors
  // outside the pool read them through this.
  virtual bool poolSelected(int i) const = 0;           // EListError outside the pool
  virtual void setPoolSelected(int i, bool on) = 0;     // EListError outside the pool
  virtual void clearPoolSelection() = 0;                // every selected flag off
  virtual int poolSelectedCount() const = 0;
  // Deletes the given entries (ascending, distinct, in range); the rest keep their order.
  virtual void poolDeleteRows(const std::vector<int>& ascending) = 0;
  virtual void poolDeleteSelected() = 0;
  // Puts names back: names[j] becomes entry rows[j] of the resulting pool (rows ascending,
  // distinct, each at most the pool's count at its turn); the others keep their order and
  // no flag changes.
  virtual void poolInsertRows(const std::vector<int>& rows, const std::vector<Text>& names) = 0;

  // Label13: the pool caption, the page-key lock it switches (PageDown draws only while it
  // is off) and its hint.
  virtual void setPoolCaption(const Text& caption) = 0;
  virtual bool pageKeyLocked() const = 0;
  virtual void setPageKeyLocked(bool on) = 0;
  virtual void setPoolCaptionHint(const Text& hint) = 0;

  // StaticText1, the headline.
  virtual Text headline() const = 0;
  virtual void setHeadline(const Text& text) = 0;

  // Image1, the picture.
  virtual void setPicture(const platform::Picture& picture) = 0;

  // Prize slots k = 1..kSlotCount: radio button (selected, caption, shown) and counter label.
  virtual bool slotSelected(int k) const = 0;
  virtual void setSlotSelected(int k) = 0;  // slot k's radio button on, the others off
  virtual Text slotCaption(int k) const = 0;
  virtual void setSlotCaption(int k, const Text& caption) = 0;
  virtual void showSlot(int k) = 0;  // radio button and counter label
  virtual Text counter(int k) const = 0;
  virtual void setCounter(int k, const Text& caption) = 0;

  // Button1, the Start/Stop button.
  virtual Text buttonCaption() const = 0;
  virtual void setButtonCaption(const Text& caption) = 0;
  virtual bool buttonEnabled() const = 0;
  virtual void setButtonEnabled(bool on) = 0;

  // Panel8, the prize bar.
  virtual bool prizeBarEnabled() const = 0;
  virtual void setPrizeBarEnabled(bool on) = 0;

  // SpinEdit1, the draw-size field: its text (what the engine reads) and its value.
  virtual Text drawSizeText() const = 0;
  virtual bool drawSizeHasFocus() const = 0;
  // EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
  virtual void focusDrawSize() = 0;
  // The window itself takes the keyboard focus: no control holds it, so Space and PageDown
  // reach the window's key handler.
  virtual void focusWindow() = 0;
  virtual bool drawSizeHasValue() const = 0;
  virtual int drawSizeValue() const = 0;
  virtual void setDrawSizeValue(int value) = 0;

  // A finding that does not stop the handler (a file read as it stands because its Unicode
  // mark did not fit its bytes): shown in the error report's box, and the handler goes on.
  virtual void notice(const Text& message) = 0;

  // The picking (Timer1, a fresh pick on every frame of the screen) and the lock-out of Start/Stop (Timer2,
  // which ends it after 2000 ms), on and off.
  virtual void setPicking(bool on) = 0;
  virtual void setLockOut(bool on) = 0;
};
