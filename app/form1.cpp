// TForm1: building the window from its design, binding its events, laying it out and
// starting it. The window's operations are in form1_window.cpp.
#include "app/form1.h"

#include "app/builder.h"
#include "app/design.h"
#include "app/keypreview.h"
#include "app/poolmodel.h"
#include "app/poolview.h"
#include "data/leftovers.h"
#include "data/record.h"
#include "data/startup.h"
#include "data/texts.h"
#include "draw/pick.h"
#include "platform/codec.h"
#include "platform/gui.h"
#include "widgets/bevelpanel.h"
#include "widgets/colorkeyimage.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/groupbox.h"
#include "widgets/numberedit.h"
#include "widgets/speedbutton.h"

#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

namespace {
constexpr int kFrameMs = 16;  // how often a running draw's picks reach the screen
}  // namespace

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
}

TForm1::~TForm1() = default;

void TForm1::takeComponents(const BuiltDesign& b) {
  Panel8 = b.get<BevelPanel>("Panel8");
  Panel18 = b.get<BevelPanel>("Panel18");
  StatusBar1 = b.get<QStatusBar>("StatusBar1");
  Label1 = b.get<QLabel>("Label1");
  Label4 = b.get<QLabel>("Label4");
  Label5 = b.get<QLabel>("Label5");
  Label6 = b.get<QLabel>("Label6");
  Label7 = b.get<QLabel>("Label7");
  Label8 = b.get<QLabel>("Label8");
  RadioButton1 = b.get<QRadioButton>("RadioButton1");
  RadioButton2 = b.get<QRadioButton>("RadioButton2");
  RadioButton3 = b.get<QRadioButton>("RadioButton3");
  RadioButton4 = b.get<QRadioButton>("RadioButton4");
  RadioButton5 = b.get<QRadioButton>("RadioButton5");
  RadioButton6 = b.get<QRadioButton>("RadioButton6");
  cxGroupBox3 = b.get<BorderlessGroupBox>("cxGroupBox3");
  Label3 = b.get<QLabel>("Label3");
  Label2 = b.get<QLabel>("Label2");
  Button3 = b.get<FlatButton>("Button3");
  SpinEdit1 = b.get<NumberEdit>("SpinEdit1");
  Image1 = b.get<ColorKeyImage>("Image1");
  StaticText1 = b.get<QLabel>("StaticText1");
  cxGroupBox1 = b.get<BorderlessGroupBox>("cxGroupBox1");
  Button1 = b.get<FlatButton>("Button1");
  FlatButton1 = b.get<FlatButton>("FlatButton1");
  FlatButton2 = b.get<FlatButton>("FlatButton2");
  FlatButton3 = b.get<FlatButton>("FlatButton3");
  cxGroupBox2 = b.get<BorderlessGroupBox>("cxGroupBox2");
  Panel4 = b.get<BevelPanel>("Panel4");
  ListBox1 = b.get<PoolView>("ListBox1");
  Label13 = b.get<FlatPanel>("Label13");
  SpeedButton1 = b.get<SpeedButton>("SpeedButton1");
  for (int k = 1; k <= kSlotCount; ++k) {
    const design::PrizeSlot& slot = design::prizeSlots()[size_t(k - 1)];
    slotButtons_[size_t(k - 1)] = b.get<QRadioButton>(slot.button);
    slotCounters_[size_t(k - 1)] = b.get<QLabel>(slot.counter);
  }

  for (const design::TimerDesign& t : design::timers()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QString::fromUtf8(t.name));
    timer->setTimerType(Qt::PreciseTimer);  // a 1 ms timer needs it
    timer->setInterval(t.intervalMs);
    (QLatin1StringView(t.name) == QLatin1StringView("Timer1") ? Timer1 : Timer2) = timer;
  }

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  for (const design::MenuItem& item : design::popupMenu()) {
    QAction* action = item.caption ? PopupMenu1->addAction(QString::fromUtf8(item.caption))
                                   : PopupMenu1->addSeparator();
    action->setObjectName(QString::fromUtf8(item.name));
    const std::string_view name = item.name;
    if (name == "N1") N1 = action;
    if (name == "N2") N2 = action;
    if (name == "N3") N3 = action;
    if (name == "N4") N4 = action;
    if (name == "N5") N5 = action;
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
  buttonCaption_ = designText("Button1");
  for (int k = 1; k <= kSlotCount; ++k) {
    const design::PrizeSlot& slot = design::prizeSlots()[size_t(k - 1)];
    slotCaptions_[size_t(k - 1)] = designText(slot.button);
    counters_[size_t(k - 1)] = designText(slot.counter);
  }

  Image1->setPicture(QImage(QString::fromUtf8(design::kBuiltInPicture)));
  Button3->setGlyph(QImage(QString::fromUtf8(design::kButton3Glyph)), QColor(Qt::white));
}

void TForm1::bindEvents() {
  frame_ = new QTimer(this);
  frame_->setSingleShot(true);
  frame_->setTimerType(Qt::PreciseTimer);
  frame_->setInterval(kFrameMs);

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
  connect(frame_, &QTimer::timeout, this, [this] { showPick(); });
  connect(Timer2, &QTimer::timeout, this, guarded([this] { cycle_.Timer2Timer(); }));
  connect(N1, &QAction::triggered, this, guarded([this] { commands_.N1Click(); }));
  connect(N2, &QAction::triggered, this, guarded([this] { commands_.N2Click(); }));
  // N3 ("取消") has no handler: choosing it only closes the menu.
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
}

void TForm1::FormKeyUp(int key) {
  Guarded(reporter_, [&] { cycle_.FormKeyUp(key); });
}

// Timer1 ticks a thousand times a second: a tick that keeps failing (an empty draw-size
// text, say) is reported once for the streak, and again only after a tick has succeeded
// or a new draw has started. (Qt does not deliver a timer's next tick while its own
// handler is still inside the report's event loop; other timers, Timer2 among them, go on.)
void TForm1::Timer1Tick() {
  inTick_ = true;
  try {
    Timer1Timer(*this, random_);
    inTick_ = false;
    timer1Failing_ = false;
  } catch (...) {
    inTick_ = false;
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
  const FormLayout l = layoutFor(size(), services_.screens.primaryWidth());
  Panel8->setGeometry(l.Panel8);
  StatusBar1->setGeometry(l.StatusBar1);
  Panel18->setGeometry(l.Panel18);
  cxGroupBox2->setGeometry(l.cxGroupBox2);
  cxGroupBox3->setGeometry(l.cxGroupBox3);
  Image1->setGeometry(l.Image1);
  cxGroupBox1->setGeometry(l.cxGroupBox1);
  FormResize(l);
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

QPoint TForm1::firstShowPosition() const {
  return centredOn(services_.screens.desktop().size(), design::window().outerSize);
}

void TForm1::runFormCreate() {
  Guarded(reporter_, [&] { FormCreate(*this, session_); });
}

void TForm1::firstShow() {
  // The continue question comes while the window is not yet on screen.
  Guarded(reporter_, [&] { FormShow(*this, session_, services_.dialogs, services_.clock); });
  move(firstShowPosition());
  // Twice on purpose: before the show, so that the window comes up with RadioButton1 as its
  // focus widget, and after the activation, which may have handed the focus on.
  RadioButton1->setFocus(Qt::ActiveWindowFocusReason);
  show();
  activateWindow();
  RadioButton1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm1::startUp() {
  drawFolderLock_ = ClaimDrawFolder();
  runFormCreate();
  firstShow();
}
