#pragma once
// A plain window for the engine tests: it holds the state the real window would hold
// and lets a test look at and set every part of it. Timers are flags; the test decides
// when a tick happens.
#include "data/errors.h"
#include "data/window.h"
#include "platform/codec.h"

#include <algorithm>
#include <string>
#include <vector>

class FakeWindow : public Window {
 public:
  struct Entry {
    Text name;
    bool selected = false;
  };

  // Designed state.
  std::vector<Entry> pool;
  Text poolCaption = platform::ansi("  抽奖名单");
  bool pageKeyLockedOn = false;
  Text hint = platform::ansi("点这里可以屏蔽翻页键");
  Text headlineText = platform::ansi("澄曜幸运星 天天拿奖金");
  platform::Picture picture;
  bool pictureSet = false;
  bool selected[6] = {true, false, false, false, false, false};
  Text captions[6] = {platform::ansi("特等奖"), platform::ansi("一等奖"), platform::ansi("二等奖"),
                      platform::ansi("三等奖"), platform::ansi("四等奖"), platform::ansi("五等奖")};
  bool shown[6] = {true, false, false, false, false, false};
  Text counters[6] = {"00", "00", "00", "00", "00", "00"};
  Text button = platform::ansi("开始");
  bool buttonOn = true;
  bool prizeBarOn = true;
  Text drawSize = "5";
  bool drawSizeFocused = false;
  bool picking = false, lockOut = false;  // Timer1, Timer2
  int focusCalls = 0;
  int windowFocusCalls = 0;
  bool refuseAppend = false;
  std::vector<Text> notices;

  // Convenience for tests.
  void setPool(const std::vector<Text>& names) {
    pool.clear();
    for (const auto& n : names) pool.push_back({n, false});
  }
  std::vector<Text> names() const {
    std::vector<Text> out;
    for (const auto& e : pool) out.push_back(e.name);
    return out;
  }
  std::vector<int> selectedRows() const {
    std::vector<int> out;
    for (int i = 0; i < int(pool.size()); ++i)
      if (pool[i].selected) out.push_back(i);
    return out;
  }
  void selectSlot(int k) {
    for (int i = 0; i < 6; ++i) selected[i] = (i == k - 1);
  }

  int poolCount() const override { return int(pool.size()); }
  Text poolName(int i) const override {
    if (i < 0 || i >= poolCount()) errors::throwIndex(i);
    return pool[i].name;
  }
  void poolAppend(const Text& name) override {
    if (refuseAppend) throw EOutOfResources("Unable to insert a line");
    pool.push_back({name, false});
  }
  void poolClear() override { pool.clear(); }
  bool poolSelected(int i) const override {
    if (i < 0 || i >= poolCount()) errors::throwListIndex(i);
    return pool[i].selected;
  }
  void setPoolSelected(int i, bool on) override {
    if (i < 0 || i >= poolCount()) errors::throwListIndex(i);
    pool[i].selected = on;
  }
  void clearPoolSelection() override {
    for (auto& e : pool) e.selected = false;
  }
  int poolSelectedCount() const override {
    return int(std::count_if(pool.begin(), pool.end(), [](const Entry& e) { return e.selected; }));
  }
  void poolDeleteRows(const std::vector<int>& ascending) override {
    for (auto it = ascending.rbegin(); it != ascending.rend(); ++it) pool.erase(pool.begin() + *it);
  }
  void poolDeleteSelected() override {
    pool.erase(std::remove_if(pool.begin(), pool.end(), [](const Entry& e) { return e.selected; }),
               pool.end());
  }

  void poolInsertRows(const std::vector<int>& rows, const std::vector<Text>& names) override {
    for (size_t j = 0; j < rows.size(); ++j) pool.insert(pool.begin() + rows[j], {names[j], false});
  }

  void setPoolCaption(const Text& c) override { poolCaption = c; }
  bool pageKeyLocked() const override { return pageKeyLockedOn; }
  void setPageKeyLocked(bool on) override { pageKeyLockedOn = on; }
  void setPoolCaptionHint(const Text& h) override { hint = h; }

  Text headline() const override { return headlineText; }
  void setHeadline(const Text& t) override { headlineText = t; }

  void setPicture(const platform::Picture& p) override {
    picture = p;
    pictureSet = true;
  }

  bool slotSelected(int k) const override { return selected[k - 1]; }
  void setSlotSelected(int k) override { selectSlot(k); }
  Text slotCaption(int k) const override { return captions[k - 1]; }
  void setSlotCaption(int k, const Text& c) override { captions[k - 1] = c; }
  void showSlot(int k) override { shown[k - 1] = true; }
  Text counter(int k) const override { return counters[k - 1]; }
  void setCounter(int k, const Text& c) override { counters[k - 1] = c; }

  Text buttonCaption() const override { return button; }
  void setButtonCaption(const Text& c) override { button = c; }
  bool buttonEnabled() const override { return buttonOn; }
  void setButtonEnabled(bool on) override { buttonOn = on; }

  bool prizeBarEnabled() const override { return prizeBarOn; }
  void setPrizeBarEnabled(bool on) override {
    prizeBarOn = on;
    if (!on) drawSizeFocused = false;  // the focus passes to the window itself
  }

  Text drawSizeText() const override { return drawSize; }
  bool drawSizeHasFocus() const override { return drawSizeFocused; }
  void focusDrawSize() override {
    if (!prizeBarOn) errors::throwCannotFocus();
    ++focusCalls;
    drawSizeFocused = true;
  }
  void focusWindow() override {
    ++windowFocusCalls;
    drawSizeFocused = false;
  }
  bool drawSizeHasValue() const override { return !drawSize.empty(); }
  int drawSizeValue() const override { return drawSize.empty() ? 0 : std::stoi(drawSize); }
  void setDrawSizeValue(int v) override { drawSize = std::to_string(v); }

  void notice(const Text& message) override { notices.push_back(message); }

  void setPicking(bool on) override { picking = on; }
  void setLockOut(bool on) override { lockOut = on; }
};
