#pragma once
// The main window. It is built from its design data (design.h), lays itself out by
// docking, anchors and FormResize (layout.h), offers the window's operations to the
// loaders and the draw engine (data/window.h), and binds every event to its handler
// through the guard. The handlers themselves live in data/, draw/ and commands.h.
#include "app/commands.h"
#include "app/layout.h"
#include "data/guard.h"
#include "data/random.h"
#include "data/session.h"
#include "data/window.h"
#include "draw/cycle.h"
#include "platform/folder.h"
#include "platform/text.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QRadioButton;
class QStatusBar;
class QTimer;

class BevelPanel;
class BuiltDesign;
class BorderlessGroupBox;
class ColorKeyImage;
class FlatButton;
class FlatPanel;
class Headline;
class KeyPreview;
class NumberEdit;
class PoolModel;
class PoolView;
class Presenter;
class SpeedButton;
class WinnersMenu;
class StaffImport;

namespace platform {
class Clock;
class Dialogs;
class Launcher;
class Screens;
class Sound;
}  // namespace platform

class TForm1 : public QWidget, public Window {
  Q_OBJECT

 public:
  // What the window needs from the machine; tests pass fakes.
  struct Services {
    platform::Dialogs& dialogs;
    platform::Sound& sound;
    platform::Launcher& launcher;
    platform::Clock& clock;
    platform::Screens& screens;
    Text exeDir;  // the executable's folder, GBK, ending in a backslash
  };

  // Builds every component of the design (timers off, pool empty, built-in picture,
  // design captions) at the design's client size. Nothing is shown and no handler runs.
  explicit TForm1(Services services, QWidget* parent = nullptr);
  ~TForm1() override;

  // Application start after the window was created: the draw folder claimed for this
  // process (and tidied of what killed saves left there), FormCreate, then firstShow().
  // When another running copy of the program holds the draw folder, one message says so
  // and nothing else happens: the window is never shown and startUp returns false.
  bool startUp();
  // The creation handler FormCreate, under the guard.
  void runFormCreate();
  // First show: FormShow (the continue question) under the guard while the window is not
  // yet on screen, then centring on the desktop, show, and the focus to RadioButton1.
  void firstShow();

  // Where the window goes at its first show: the design's outer size centred on the whole
  // desktop, kept inside the displays' available areas (openingFrame in layout.h), and the
  // outer size it opens at there.
  QPoint firstShowPosition() const;
  QRect firstShowFrame() const;

  // No part of the program asks for these; the tests of the draw's rules on the real
  // window and the benchmarks reach the session, the draw cycle and the pool's model here.
  Session& session() { return session_; }
  DrawCycle& cycle() { return cycle_; }
  PoolModel& poolModel() { return *poolModel_; }
  WinnersMenu& winnersMenu() { return *winnersMenu_; }
  // The import of a staff list (the pool menu's "导入名单…" and a file dropped on the window).
  StaffImport& staffImport() { return *staffImport_; }
  // The audience's view on a second screen (presenter.h).
  Presenter& presenter() { return *presenter_; }

  // ---- Window: the operations the loaders and the draw engine use ----
  int poolCount() const override;
  Text poolName(int i) const override;
  void poolAppend(const Text& name) override;
  void poolAppendAll(const std::vector<Text>& names) override;
  void poolAppendList(NameList&& names) override;
  void poolClear() override;
  bool poolSelected(int i) const override;
  void setPoolSelected(int i, bool on) override;
  void clearPoolSelection() override;
  int poolSelectedCount() const override;
  void poolDeleteRows(const std::vector<int>& ascending) override;
  void poolDeleteSelected() override;
  void poolInsertRows(const std::vector<int>& rows, const std::vector<Text>& names) override;

  void setPoolCaption(const Text& caption) override;
  bool pageKeyLocked() const override;
  void setPageKeyLocked(bool on) override;
  void setPoolCaptionHint(const Text& hint) override;

  Text headline() const override;
  void setHeadline(const Text& text) override;

  void setPicture(const platform::Picture& picture) override;

  bool slotSelected(int k) const override;
  void setSlotSelected(int k) override;
  Text slotCaption(int k) const override;
  void setSlotCaption(int k, const Text& caption) override;
  void showSlot(int k) override;
  Text counter(int k) const override;
  void setCounter(int k, const Text& caption) override;

  Text buttonCaption() const override;
  void setButtonCaption(const Text& caption) override;
  bool buttonEnabled() const override;
  void setButtonEnabled(bool on) override;

  bool prizeBarEnabled() const override;
  void setPrizeBarEnabled(bool on) override;

  Text drawSizeText() const override;
  bool drawSizeHasFocus() const override;
  void focusDrawSize() override;
  void focusWindow() override;
  bool drawSizeHasValue() const override;
  int drawSizeValue() const override;
  void setDrawSizeValue(int value) override;

  void notice(const Text& message) override;

  void setPicking(bool on) override;
  void setLockOut(bool on) override;

  // ---- Components, by their design names (docs/design.md has the map) ----
  BevelPanel* Panel8 = nullptr;               // the prize bar; disabled during a draw
  BevelPanel* Panel18 = nullptr;              // the stage under the prize bar
  QStatusBar* StatusBar1 = nullptr;           // publisher notice and the settings hint
  QLabel* Label1 = nullptr;                   // slot 1 counter
  QLabel* Label4 = nullptr;                   // slot 2 counter
  QLabel* Label5 = nullptr;                   // slot 3 counter
  QLabel* Label6 = nullptr;                   // slot 4 counter
  QLabel* Label7 = nullptr;                   // slot 5 counter
  QLabel* Label8 = nullptr;                   // slot 6 counter
  QRadioButton* RadioButton1 = nullptr;       // prize slot 1; caption: the prize name
  QRadioButton* RadioButton2 = nullptr;       // prize slot 2
  QRadioButton* RadioButton3 = nullptr;       // prize slot 3
  QRadioButton* RadioButton4 = nullptr;       // prize slot 4
  QRadioButton* RadioButton5 = nullptr;       // prize slot 5
  QRadioButton* RadioButton6 = nullptr;       // prize slot 6
  BorderlessGroupBox* cxGroupBox3 = nullptr;  // draw size and record shortcut, right of the bar
  QLabel* Label3 = nullptr;                   // "本次选出：", before the draw size
  QLabel* Label2 = nullptr;                   // "人", after the draw size
  FlatButton* Button3 = nullptr;              // record shortcut: the winners record
  NumberEdit* SpinEdit1 = nullptr;            // the draw-size field
  ColorKeyImage* Image1 = nullptr;            // the picture
  Headline* StaticText1 = nullptr;            // the headline: the current pick
  BorderlessGroupBox* cxGroupBox1 = nullptr;  // the buttons under the headline
  FlatButton* Button1 = nullptr;              // Start/Stop
  FlatButton* FlatButton1 = nullptr;          // Cancel
  FlatButton* FlatButton2 = nullptr;          // settings shortcut: the basic settings file
  FlatButton* FlatButton3 = nullptr;          // prizes shortcut: the prize names file
  BorderlessGroupBox* cxGroupBox2 = nullptr;  // the pool area
  BevelPanel* Panel4 = nullptr;               // frame of the pool list
  PoolView* ListBox1 = nullptr;               // the pool
  FlatPanel* Label13 = nullptr;               // the pool caption; a click: page-key lock
  SpeedButton* SpeedButton1 = nullptr;        // candidate list shortcut: the candidate list file
  QTimer* Timer1 = nullptr;                   // picks, one per frame during a draw
  QTimer* Timer2 = nullptr;                   // the 2000 ms lock-out of Start/Stop
  QMenu* PopupMenu1 = nullptr;                // the pool's right-click menu
  QAction* N1 = nullptr;                      // "临时添加名单": add a name
  QAction* N4 = nullptr;                      // separator
  QAction* N2 = nullptr;                      // "删除所选": delete the selected names
  QAction* N5 = nullptr;                      // separator
  QAction* N3 = nullptr;                      // "取消": closes the menu

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void takeComponents(const BuiltDesign& built);
  void setDesignState();
  void bindEvents();
  void bindWinnersMenu();
  void applyLayout();
  void FormResize(const FormLayout& layout);
  void scaleButtons(const FormLayout& layout);
  void layPrizeBar();
  void Timer1Tick();
  void showHeadline();
  void repaintPool();
  int frameInterval() const;
  QSize frameExtent() const;
  void FormKeyUp(int virtualKey);
  void focusWindowIfInside(QWidget* container);
  QRadioButton* slotButton(int k) const { return slotButtons_[size_t(k - 1)]; }
  QLabel* slotCounter(int k) const { return slotCounters_[size_t(k - 1)]; }

  Services services_;
  Session session_;
  FairRandom random_;  // seeded once per run from the system's entropy source
  ErrorReporter reporter_;
  DrawCycle cycle_;
  SideCommands commands_;
  PoolModel* poolModel_ = nullptr;
  KeyPreview* keyPreview_ = nullptr;
  WinnersMenu* winnersMenu_ = nullptr;  // the corrections, on the headline and the prize bar
  platform::FolderLock drawFolderLock_;  // held while the window lives
  StaffImport* staffImport_ = nullptr;
  std::unique_ptr<Presenter> presenter_;  // the audience's view

  // Prize slot k's radio button and counter label (index k - 1), as design::prizeSlots()
  // names them.
  std::array<QRadioButton*, kSlotCount> slotButtons_{};
  std::array<QLabel*, kSlotCount> slotCounters_{};

  FormLayout layout_;   // the last layout, for the headline's type sizes
  QFont headlineFace_;  // the headline's face and weight from the design

  // Texts the program reads back, kept as bytes beside the widgets that show them.
  Text headline_;
  Text buttonCaption_;
  std::array<Text, kSlotCount> slotCaptions_;
  std::array<Text, kSlotCount> counters_;
  bool pageKeyLocked_ = false;    // switched by a click on Label13
  QColor label13Face_;            // Label13's colour of the design, shown while unlocked
  bool timer1Failing_ = false;    // a failure streak of Timer1's ticks was reported
};
