#include "app/presenter.h"

#include "app/form1.h"
#include "app/keypreview.h"
#include "app/presenterview.h"
#include "data/session.h"
#include "data/textops.h"
#include "data/texts.h"
#include "platform/codec.h"
#include "widgets/colorkeyimage.h"
#include "widgets/speedbutton.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QWindow>

#include <algorithm>
#include <unordered_map>

namespace {

class SettingsMemory final : public ScreenMemory {
 public:
  std::optional<ScreenId> recall() const override {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kProgram);
    if (!s.contains(kName)) return std::nullopt;
    return ScreenId{s.value(kName).toString(), s.value(kGeometry).toRect()};
  }
  // QSettings writes the whole file anew beside the old one and renames it over it, so a
  // crash or a full disk leaves the old settings or the new ones.
  void remember(const ScreenId& screen) override {
    if (recall() == screen) return;
    QSettings s(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kProgram);
    s.setAtomicSyncRequired(true);
    s.setValue(kName, screen.name);
    s.setValue(kGeometry, screen.geometry);
    s.sync();
  }

 private:
  static inline const QString kOrganisation = QStringLiteral("luckydraw");
  static inline const QString kProgram = QStringLiteral("luckydraw");
  static inline const QString kName = QStringLiteral("presenter/screen");
  static inline const QString kGeometry = QStringLiteral("presenter/geometry");
};

// One frame of a screen in milliseconds; a screen that reports no rate counts as 60 Hz.
int frameOf(const QScreen* screen) {
  const double hz = screen ? screen->refreshRate() : 0.0;
  if (!(hz >= 1.0)) return 16;
  return std::clamp(int(1000.0 / hz), 4, 33);
}

// When `shown` holds every one of the draw's `winners` (it is that draw), takes out the
// names that are no longer among them, and says whether it took any.
bool leaveOutAbsentees(std::vector<Text>& shown, const std::vector<Text>& winners) {
  std::unordered_map<Text, int> left;
  for (const Text& n : winners) ++left[n];
  std::unordered_map<Text, int> onScreen;
  for (const Text& n : shown) ++onScreen[n];
  for (const auto& [name, count] : left)
    if (onScreen[name] < count) return false;
  const size_t before = shown.size();
  std::erase_if(shown, [&left](const Text& n) { return left[n]-- <= 0; });
  return shown.size() != before;
}

}  // namespace

ScreenMemory& settingsScreenMemory() {
  static SettingsMemory memory;
  return memory;
}

Presenter::Presenter(TForm1& form, std::function<void(int)> onKeyUp)
    : form_(form), view_(std::make_unique<PresenterView>()), memory_(&settingsScreenMemory()), frame_(this) {
  // Closing the operator's window ends the program, whether the view is open or not.
  view_->setAttribute(Qt::WA_QuitOnClose, false);
  keys_ = new KeyPreview(view_.get(), std::move(onKeyUp));
  view_->installEventFilter(this);
  connect(&frame_, &QTimer::timeout, this, &Presenter::frame);
  connect(qApp, &QGuiApplication::screenAdded, this, &Presenter::screenAdded);
  connect(qApp, &QGuiApplication::screenRemoved, this, &Presenter::screenRemoved);

  // The operator's switch, at the right end of the status bar. A speed button never takes
  // the keyboard focus, so Space still reaches the window after a click on it.
  auto* button = new SpeedButton(form_.StatusBar1);
  button->setObjectName(QStringLiteral("PresenterButton"));
  button->setText(QStringLiteral("观众屏幕"));
  button->setToolTip(QStringLiteral("在第二块屏幕上为观众显示抽奖（F5 打开，Esc 关闭，B 黑屏）"));
  button->setCheckable(true);
  form_.StatusBar1->addPermanentWidget(button);
  connect(button, &QAbstractButton::clicked, this, [this, button] {
    button->setChecked(shown());  // the view decides; shownChanged sets it
    toggle();
  });
  connect(this, &Presenter::shownChanged, button, &QAbstractButton::setChecked);
  // A blackout shows on the switch, so that a clicker's stray B does not go unnoticed.
  connect(this, &Presenter::blackoutChanged, button, [button](bool on) {
    button->setText(on ? QStringLiteral("观众屏幕（黑屏）") : QStringLiteral("观众屏幕"));
  });
}

Presenter::~Presenter() = default;

void Presenter::setTitle(const Text& title) {
  title_ = platform::fromAnsi(title);
  titleBytes_ = title;
  view_->setTitle(title_);
  view_->setPicture(form_.Image1->picture());
}

std::vector<ScreenId> Presenter::screenIds() {
  std::vector<ScreenId> ids;
  for (QScreen* s : QGuiApplication::screens()) ids.push_back({s->name(), s->geometry()});
  return ids;
}

QScreen* Presenter::chosenScreen() const {
  const QList<QScreen*> screens = QGuiApplication::screens();
  const QRect operatorWindow = form_.isVisible() ? form_.frameGeometry() : form_.geometry();
  const int i = choosePresenterScreen(screenIds(), operatorWindow, screens.size() > 1 ? memory_->recall() : std::nullopt);
  return i >= 0 && i < screens.size() ? screens[i] : nullptr;
}

void Presenter::start() {
  if (QScreen* s = chosenScreen()) showOn(s);
}

bool Presenter::shown() const { return view_->isVisible(); }

void Presenter::show() {
  if (QScreen* s = chosenScreen()) {
    if (on_ != s || !shown()) showOn(s);
    return;
  }
  if (shown()) return;
  // One screen: a normal window beside the operator's, for a rehearsal.
  on_ = nullptr;
  view_->setWindowFlags(Qt::Window);
  view_->setWindowState(Qt::WindowNoState);
  view_->unsetCursor();
  QScreen* here = form_.screen();
  const QRect area = here ? here->availableGeometry() : QRect(0, 0, 1280, 720);
  // In a corner clear of the operator's window where one has room (move() places the
  // frame, resize() the inside; a frame's title bar may add a little below).
  const QRect place = rehearsalPlace(area, form_.frameGeometry());
  view_->resize(place.size());
  view_->move(place.topLeft());
  view_->show();
  frame_.start(frameOf(here));
  refresh();
  emit shownChanged(true);
}

// Full screen on the given screen. On Wayland a window can be placed on an output only by
// making it full screen there, so the screen is set on the window itself before the show.
void Presenter::showOn(QScreen* screen) {
  const bool operatorActive = form_.isActiveWindow();
  if (shown()) view_->hide();
  view_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  view_->setCursor(Qt::BlankCursor);  // no pointer over the audience's screen
  view_->setScreen(screen);
  connect(screen, &QScreen::geometryChanged, this, &Presenter::screenResized, Qt::UniqueConnection);
  view_->setGeometry(screen->geometry());
  view_->showFullScreen();
  on_ = screen;
  memory_->remember({screen->name(), screen->geometry()});
  frame_.start(frameOf(screen));
  refresh();
  if (operatorActive) form_.activateWindow();
  emit shownChanged(true);
}

void Presenter::hide() {
  if (view_->blackout()) {
    view_->setBlackout(false);
    emit blackoutChanged(false);
  }
  takeAway();
}

void Presenter::takeAway() {
  frame_.stop();
  const bool was = shown();
  view_->hide();
  on_ = nullptr;
  if (was) emit shownChanged(false);
}

bool Presenter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_.get() && event->type() == QEvent::Close) hide();
  return false;
}

void Presenter::toggle() {
  if (shown())
    hide();
  else
    show();
}

void Presenter::toggleBlackout() {
  if (!shown()) return;
  view_->setBlackout(!view_->blackout());
  emit blackoutChanged(view_->blackout());
}

bool Presenter::keyUp(int key) {
  switch (key) {
    case VK_F5_KEY: show(); return true;
    case VK_ESCAPE_KEY: hide(); return true;
    case VK_B_KEY:
    case VK_PERIOD_KEY: toggleBlackout(); return true;
    default: return false;
  }
}

// A projector plugged in brings the view up on it (or moves a rehearsal window there).
void Presenter::screenAdded(QScreen*) {
  if (shown() && on_) return;
  if (QScreen* s = chosenScreen()) showOn(s);
}

// The view's screen pulled out takes the view away, and so does the operator's screen
// pulled out from under the view (a laptop's lid closed): the operator's window then
// shares the view's screen, and a view full screen there would hide it. The draw goes on
// in the operator's window as it was.
void Presenter::screenRemoved(QScreen* screen) {
  if (!shown()) return;
  if (on_ == screen || view_->screen() == screen || (on_ && !chosenScreen())) takeAway();
}

// The view's screen set to another resolution: the view fills it anew, and the screen is
// remembered as it now is.
void Presenter::screenResized() {
  if (on_ && sender() == on_.data() && shown() && view_->geometry() != on_->geometry()) showOn(on_);
}

void Presenter::frame() {
  if (shownDrawing_ && !heldFrame_ && form_.buttonCaption() == T().stop) {
    heldFrame_ = true;
    return;
  }
  refresh();
}

// What the operator's window shows now: the pick or the last draw's winners (the
// headline, until the first pick the event's title), and the prize and counter they go
// with: during a draw the prize chosen, after it the prize the winners won, whichever
// prize the operator chooses next for the following draw.
void Presenter::refresh() {
  heldFrame_ = false;
  const Window& w = form_;
  const bool drawing = w.buttonCaption() == T().stop;
  Text headline = w.headline();
  if (headline == titleBytes_ && !drawing) headline.clear();
  int slot = 1;
  for (int k = 1; k <= kSlotCount; ++k)
    if (w.slotSelected(k)) {
      slot = k;
      break;
    }
  const std::optional<RecordedDraw>& last = form_.session().lastDraw;
  if (!drawing && !headline.empty() && last && last->slot >= 1 && last->slot <= kSlotCount) slot = last->slot;
  view_->setPrize(platform::fromAnsi(w.slotCaption(slot)));
  bool number = false;
  const int count = platform::fromAnsi(w.counter(slot)).toInt(&number);
  view_->setCount(number ? QStringLiteral("已抽出 %1 人").arg(count) : QString());

  const size_t lastNames = last ? last->names.size() + 1 : 0;
  if (headline == shownHeadline_ && drawing == shownDrawing_ && lastNames == shownLastDraw_) return;
  std::vector<Text> names;
  if (!headline.empty()) names = SplitNames(headline, form_.session().separatorNames).lines();
  shownDrawing_ = drawing;
  shownHeadline_ = headline;
  shownLastDraw_ = lastNames;
  Text source = headline;
  // Winners of the draw on screen marked absent leave the audience's screen (the
  // operator's headline keeps them until the next draw).
  if (!drawing && last && leaveOutAbsentees(names, last->names)) {
    source.clear();
    for (const Text& n : names) source += (source.empty() ? Text() : T().separator) + n;
  }
  view_->setNames(source, std::move(names), drawing);
}
