// TForm1: building the window from its design, binding its events, laying it out and
// starting it. The window's operations are in form1_window.cpp.
#include "app/form1.h"

#include "app/builder.h"
#include "app/design.h"
#include "app/keypreview.h"
#include "app/poolmodel.h"
#include "app/poolview.h"
#include "app/winners.h"
#include "app/staffimport.h"
#include "app/presenter.h"
#include "data/leftovers.h"
#include "data/record.h"
#include "data/startup.h"
#include "data/texts.h"
#include "draw/pick.h"
#include "luckydraw/resources.h"
#include "platform/codec.h"
#include "platform/gui.h"
#include "widgets/bevelpanel.h"
#include "widgets/colorkeyimage.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/groupbox.h"
#include "widgets/headline.h"
#include "widgets/numberedit.h"
#include "widgets/speedbutton.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

TForm1::TForm1(Services services, QWidget* parent)
    : QWidget(parent),
      services_(std::move(services)),
      reporter_(services_.dialogs, T().appTitle),
      cycle_(*this, session_, services_.sound, services_.clock, services_.exeDir),
      commands_(*this, services_.dialogs, services_.launcher) {
  // The window itself can hold the keyboard focus (it takes it when the control that had
  // it is disabled), but a click on a panel does not move the focus.
  setFocusPolicy(Qt::NoFocus);

  BuiltDesign built(this);
  takeComponents(built);
  setDesignState();
  bindEvents();
  applyLayout();
  presenter_ = std::make_unique<Presenter>(*this, [this](int key) { FormKeyUp(key); });
}

TForm1::~TForm1() = default;

// Each member takes the component of its own name, as the member's type.
void TForm1::takeComponents(const BuiltDesign& b) {
#define TAKE(member) b.take(member, #member)
  TAKE(Panel8);
  TAKE(Panel18);
  TAKE(StatusBar1);
  TAKE(Label1);
  TAKE(Label4);
  TAKE(Label5);
  TAKE(Label6);
  TAKE(Label7);
  TAKE(Label8);
  TAKE(RadioButton1);
  TAKE(RadioButton2);
  TAKE(RadioButton3);
  TAKE(RadioButton4);
  TAKE(RadioButton5);
  TAKE(RadioButton6);
  TAKE(cxGroupBox3);
  TAKE(Label3);
  TAKE(Label2);
  TAKE(Button3);
  TAKE(SpinEdit1);
  TAKE(Image1);
  TAKE(StaticText1);
  TAKE(cxGroupBox1);
  TAKE(Button1);
  TAKE(FlatButton1);
  TAKE(FlatButton2);
  TAKE(FlatButton3);
  TAKE(cxGroupBox2);
  TAKE(Panel4);
  TAKE(ListBox1);
  TAKE(Label13);
  TAKE(SpeedButton1);
  TAKE(Timer1);
  TAKE(Timer2);
  TAKE(PopupMenu1);
  TAKE(N1);
  TAKE(N4);
  TAKE(N2);
  TAKE(N5);
  TAKE(N3);
#undef TAKE
  for (int k = 1; k <= kSlotCount; ++k) {
    const design::PrizeSlot& slot = design::prizeSlots()[size_t(k - 1)];
    b.take(slotButtons_[size_t(k - 1)], slot.button);
    b.take(slotCounters_[size_t(k - 1)], slot.counter);
  }
}

// The pool model, the built-in picture and the glyph; and the design's captions that the
// program reads back, held as bytes beside the widgets, which the builder has already
// given the same captions.
void TForm1::setDesignState() {
  poolModel_ = new PoolModel(this);
  ListBox1->setPool(poolModel_);

  auto designText = [](const char* name) { return platform::ansi(design::component(name).caption); };
  headline_ = designText("StaticText1");
  headlineFace_ = StaticText1->font();
  buttonCaption_ = designText("Button1");
  for (int k = 1; k <= kSlotCount; ++k) {
    const design::PrizeSlot& slot = design::prizeSlots()[size_t(k - 1)];
    slotCaptions_[size_t(k - 1)] = designText(slot.button);
    counters_[size_t(k - 1)] = designText(slot.counter);
  }

  Image1->setPicture(QImage(QString::fromUtf8(resources::kPicture)));
  Button3->setGlyph(QImage(QString::fromUtf8(resources::kButton3Glyph)), QColor(Qt::white));
}

void TForm1::bindEvents() {
  auto guarded = [this](auto handler) {
    return [this, handler] { Guarded(reporter_, handler); };
  };
  connect(Button1, &QAbstractButton::clicked, this, guarded([this] { cycle_.Button1Click(); }));
  connect(FlatButton1, &QAbstractButton::clicked, this, guarded([this] { cycle_.FlatButton1Click(); }));
  connect(FlatButton2, &QAbstractButton::clicked, this, guarded([this] { commands_.FlatButton2Click(); }));
  connect(FlatButton3, &QAbstractButton::clicked, this, guarded([this] { commands_.FlatButton3Click(); }));
  connect(Button3, &QAbstractButton::clicked, this, guarded([this] { commands_.Button3Click(); }));
  connect(SpeedButton1, &QAbstractButton::clicked, this, guarded([this] { commands_.SpeedButton1Click(); }));
  connect(Label13, &FlatPanel::clicked, this, guarded([this] { cycle_.Label13Click(); }));
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Tick(); });
  connect(Timer2, &QTimer::timeout, this, guarded([this] { cycle_.Timer2Timer(); }));
  connect(N1, &QAction::triggered, this, guarded([this] { commands_.N1Click(); }));
  connect(N2, &QAction::triggered, this, guarded([this] { commands_.N2Click(); }));
  // N3 ("取消") has no handler: choosing it only closes the menu.
  staffImport_ = new StaffImport(*this, *this, session_, reporter_, services_.clock, *PopupMenu1, N1);
  connect(ListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at)); });

  // A typed character goes to SpinEdit1KeyPress as one byte before the field inserts it;
  // anything outside ASCII is a byte the guard refuses.
  SpinEdit1->onKeyPress = [this](QChar& typed) {
    char key = typed.unicode() < 0x80 ? char(typed.unicode()) : char(0x80);
    Guarded(reporter_, [&] { commands_.SpinEdit1KeyPress(key); });
    if (key == '\0') typed = QChar();
  };
  SpinEdit1->onMouseDown = guarded([this] { commands_.SpinEdit1MouseDown(); });

  keyPreview_ = new KeyPreview(this, [this](int key) { FormKeyUp(key); });
  bindWinnersMenu();
}

// The corrections' menu opens on a right-click on the headline or the prize bar.
void TForm1::bindWinnersMenu() {
  winnersMenu_ = new WinnersMenu(this, *this, session_, services_.dialogs,
                                 [this](const std::function<void()>& f) { Guarded(reporter_, f); });
  for (QWidget* on : {static_cast<QWidget*>(StaticText1), static_cast<QWidget*>(Panel8)}) {
    on->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(on, &QWidget::customContextMenuRequested, this,
            [this, on](const QPoint& at) { winnersMenu_->popup(on->mapToGlobal(at)); });
  }
}

void TForm1::FormKeyUp(int key) {
  Guarded(reporter_, [&] {
    if (!presenter_->keyUp(key)) cycle_.FormKeyUp(key);
  });
}

// Timer1 ticks once per frame of the screen, and each tick's pick is what the screen shows
// next: no pick is made that nobody sees. A tick that keeps failing (an empty draw-size
// text, say) is reported once for the streak, and again only after a tick has succeeded
// or a new draw has started. (Qt does not deliver a timer's next tick while its own
// handler is still inside the report's event loop; other timers, Timer2 among them, go on.)
void TForm1::Timer1Tick() {
  try {
    Timer1Timer(*this, random_);
    timer1Failing_ = false;
  } catch (...) {
    if (timer1Failing_) return;
    timer1Failing_ = true;
    reporter_.reportCurrentException();
  }
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  applyLayout();
}

// Docking and anchors, then FormResize.
void TForm1::applyLayout() {
  layout_ = layoutFor(size(), services_.screens.primaryWidth());
  const FormLayout& l = layout_;
  Panel8->setGeometry(l.Panel8);
  StatusBar1->setGeometry(l.StatusBar1);
  Panel18->setGeometry(l.Panel18);
  cxGroupBox2->setGeometry(l.cxGroupBox2);
  cxGroupBox3->setGeometry(l.cxGroupBox3);
  Image1->setGeometry(l.Image1);
  Image1->setScale(l.scale);
  cxGroupBox1->setGeometry(l.cxGroupBox1);
  scaleButtons(l);
  layPrizeBar();
  FormResize(l);
}

// The buttons under the headline at the stage's scale: their boxes and their type.
void TForm1::scaleButtons(const FormLayout& l) {
  const std::pair<FlatButton*, const QRect*> buttons[] = {
      {Button1, &l.Button1}, {FlatButton1, &l.FlatButton1}, {FlatButton2, &l.FlatButton2}, {FlatButton3, &l.FlatButton3}};
  for (const auto& [button, box] : buttons) {
    button->setGeometry(*box);
    QFont font = button->font();
    const int px = scaledPixels(design::component(qPrintable(button->objectName())).font.pixels, l.scale);
    if (font.pixelSize() != px) {
      font.setPixelSize(px);
      button->setFont(font);
    }
  }
}

// The prize slots: a prize name wider than its radio button's design width (a sponsor's
// "特等奖 MacBook Pro") widens the button as far as the bar has room before cxGroupBox3,
// and the slots after it move along.
void TForm1::layPrizeBar() {
  std::array<int, kSlotCount> captions{}, counters{};
  for (int k = 1; k <= kSlotCount; ++k) {
    if (!slotButton(k)->isVisibleTo(this)) continue;
    // What the caption needs: the indicator, the gap after it and the text itself.
    const QRadioButton* button = slotButton(k);
    const QStyle* style = button->style();
    captions[size_t(k - 1)] = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                              style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button) +
                              button->fontMetrics().horizontalAdvance(button->text());
    counters[size_t(k - 1)] = slotCounter(k)->sizeHint().width();
  }
  const auto places = prizeSlotPlaces(layout_.cxGroupBox3.x(), captions, counters);
  for (int k = 1; k <= kSlotCount; ++k) {
    const SlotPlace& place = places[size_t(k - 1)];
    slotButton(k)->setGeometry(place.button);
    const QRect& design = design::component(design::prizeSlots()[size_t(k - 1)].counter).rect;
    fitLabelToText(slotCounter(k), QRect(place.counter, design.size()));
  }
}

void TForm1::FormResize(const FormLayout& l) {
  Panel4->setGeometry(l.Panel4);
  ListBox1->setGeometry(l.ListBox1);
  StaticText1->setGeometry(l.StaticText1);
  showHeadline();  // the same text cut at the new edge
  // FormResize's last step: slot 6's radio button lies over cxGroupBox3, which the anchors
  // have just moved, so it is painted again over the group's new place.
  RadioButton6->update();
}

QPoint TForm1::firstShowPosition() const { return firstShowFrame().topLeft(); }

// The design's outer size; a frame that the system draws wider or taller than the
// design's (a title bar at 200 %) counts as it is, once the window exists.
QRect TForm1::firstShowFrame() const {
  const design::WindowDesign& d = design::window();
  return openingFrame(services_.screens.desktop(), services_.screens.availableAreas(), d.clientSize + frameExtent());
}

QSize TForm1::frameExtent() const {
  const design::WindowDesign& d = design::window();
  return (d.outerSize - d.clientSize).expandedTo(frameGeometry().size() - size());
}

void TForm1::runFormCreate() {
  Guarded(reporter_, [&] { FormCreate(*this, session_); });
  presenter_->setTitle(headline_);  // the event's title and picture for the audience's view
}

void TForm1::firstShow() {
  // The continue question comes while the window is not yet on screen.
  Guarded(reporter_, [&] { FormShow(*this, session_, services_.dialogs, services_.clock); });
  // A window that would reach beyond the displays' free areas opens smaller by as much as
  // its frame was cut, so that Start and the status bar are on screen.
  const QRect frame = firstShowFrame();
  const QSize client = frame.size() - frameExtent();
  if (client != size()) resize(client);
  move(frame.topLeft());
  // Twice on purpose: before the show, so that the window comes up with RadioButton1 as its
  // focus widget, and after the activation, which may have handed the focus on.
  RadioButton1->setFocus(Qt::ActiveWindowFocusReason);
  show();
  activateWindow();
  RadioButton1->setFocus(Qt::ActiveWindowFocusReason);
}

bool TForm1::startUp() {
  drawFolderLock_ = ClaimDrawFolder();
  if (drawFolderLock_.heldElsewhere()) {
    // Two windows on one folder would each rewrite the record from their own winners.
    reporter_.report(platform::toAnsi(QCoreApplication::translate(
        "Start",
        "The program is already running in this draw folder. Use the window that is open; a second "
        "window would overwrite its winners record.")));
    return false;
  }
  runFormCreate();
  firstShow();
  presenter_->start();
  return true;
}
