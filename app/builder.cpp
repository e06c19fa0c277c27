#include "app/builder.h"

#include "app/design.h"
#include "app/poolview.h"
#include "widgets/bevelpanel.h"
#include "widgets/colorkeyimage.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/fonts.h"
#include "widgets/groupbox.h"
#include "widgets/headline.h"
#include "widgets/numberedit.h"
#include "widgets/speedbutton.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QLayout>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using design::Component;
using design::Kind;

QString utf8(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

BevelPanel::Bevel bevel(design::Bevel b) {
  switch (b) {
    case design::Bevel::Raised: return BevelPanel::Bevel::Raised;
    case design::Bevel::Lowered: return BevelPanel::Bevel::Lowered;
    case design::Bevel::None: break;
  }
  return BevelPanel::Bevel::None;
}

QWidget* create(const Component& c, QWidget* parent) {
  switch (c.kind) {
    case Kind::Panel: {
      auto* w = new BevelPanel(parent);
      if (c.fill.isSet()) w->setFillColor(QColor::fromRgb(c.fill.rgb));
      w->setBevels(bevel(c.outer), bevel(c.inner));
      return w;
    }
    case Kind::Label:
    case Kind::StaticText: {
      auto* w = c.kind == Kind::StaticText ? new Headline(parent) : new QLabel(parent);
      w->setTextFormat(Qt::PlainText);  // names come from files written by anyone
      w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      w->setMargin(0);
      w->setIndent(0);
      w->setWordWrap(c.kind == Kind::StaticText);
      if (c.fill.isSet() && !c.transparent) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, QColor::fromRgb(c.fill.rgb));
        w->setPalette(pal);
        w->setAutoFillBackground(true);
      }
      return w;
    }
    case Kind::RadioButton: {
      auto* w = new QRadioButton(parent);
      w->setChecked(c.checked);
      return w;
    }
    case Kind::GroupBox:
      return new BorderlessGroupBox(parent);
    case Kind::FlatButton: {
      auto* w = new FlatButton(parent);
      if (c.fill.isSet()) w->setFaceColor(QColor::fromRgb(c.fill.rgb));
      if (c.border.isSet()) w->setBorderColor(QColor::fromRgb(c.border.rgb));
      return w;
    }
    case Kind::FlatPanel: {
      auto* w = new FlatPanel(parent);
      if (c.fill.isSet()) w->setFillColor(QColor::fromRgb(c.fill.rgb));
      if (c.border.isSet()) w->setBorderColor(QColor::fromRgb(c.border.rgb));
      return w;
    }
    case Kind::SpeedButton:
      return new SpeedButton(parent);
    case Kind::NumberEdit: {
      auto* w = new NumberEdit(parent);
      w->setRange(c.minValue, c.maxValue);
      w->setValue(c.value);
      return w;
    }
    case Kind::ListBox: {
      auto* w = new PoolView(parent);
      if (c.fill.isSet()) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, QColor::fromRgb(c.fill.rgb));
        w->setPalette(pal);
      }
      return w;
    }
    case Kind::Image:
      return new ColorKeyImage(parent);
    case Kind::StatusBar: {
      auto* w = new QStatusBar(parent);
      w->setSizeGripEnabled(true);
      return w;
    }
  }
  return nullptr;
}

void setCaption(QWidget* w, const Component& c) {
  if (!c.caption) return;
  const QString text = utf8(c.caption);
  if (auto* label = qobject_cast<QLabel*>(w))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    button->setText(text);
}

void setTextColour(QWidget* w, const design::Colour& colour) {
  if (!colour.isSet()) return;
  QPalette pal = w->palette();
  const QColor c = QColor::fromRgb(colour.rgb);
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
    pal.setColor(QPalette::Active, role, c);
    pal.setColor(QPalette::Inactive, role, c);
  }
  w->setPalette(pal);
}

// Tab stops take the focus from Tab and clicks; the other controls that can hold the
// focus take it only from clicks.
void setFocusPolicy(QWidget* w, const Component& c) {
  switch (c.kind) {
    case Kind::RadioButton:
    case Kind::FlatButton:
    case Kind::NumberEdit:
    case Kind::ListBox:
      w->setFocusPolicy(c.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
      break;
    default:
      w->setFocusPolicy(Qt::NoFocus);
      break;
  }
}

// The panels' widths are where each panel ends: the second panel starts at x = 555. A
// QStatusBar puts a small margin before its first widget and a gap between widgets, so the
// fixed widths are corrected by what the laid-out bar shows.
void addStatusPanels(QStatusBar* bar) {
  QList<std::pair<QLabel*, int>> fixed;  // label, designed right edge
  int edge = 0;
  for (const design::StatusPanel& p : design::statusPanels()) {
    auto* label = new QLabel(utf8(p.text), bar);
    label->setTextFormat(Qt::PlainText);
    if (p.width > 0) {
      label->setFixedWidth(p.width);
      bar->addWidget(label);
      edge += p.width;
      fixed.append({label, edge});
    } else {
      bar->addWidget(label, 1);
    }
  }
  if (bar->layout()) bar->layout()->activate();
  const QList<QLabel*> all = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  for (const auto& [label, right] : fixed) {
    const int index = int(all.indexOf(label));
    if (index + 1 >= all.size()) continue;
    const int overshoot = all[index + 1]->x() - right;
    label->setFixedWidth(label->width() - overshoot);
  }
  if (bar->layout()) bar->layout()->activate();
}

}  // namespace

BuiltDesign::BuiltDesign(QWidget* window) {
  const design::WindowDesign& wd = design::window();
  window->setWindowTitle(utf8(wd.caption));
  window->setFont(designFont(utf8(wd.font.face), wd.font.pixels, wd.font.bold));
  window->resize(wd.clientSize);

  // Created in row order, each widget lies over its earlier siblings (design.cpp).
  for (const Component& c : design::components()) {
    QWidget* parent = c.parent ? widget(c.parent) : window;
    QWidget* w = create(c, parent);
    add(c.name, w);
    w->setGeometry(c.rect);
    if (c.font.face) w->setFont(designFont(utf8(c.font.face), c.font.pixels, c.font.bold));
    setCaption(w, c);
    setTextColour(w, c.textColour);
    setFocusPolicy(w, c);
    if (c.hint) w->setToolTip(utf8(c.hint));
    if (c.accessibleName) w->setAccessibleName(utf8(c.accessibleName));
    if (c.kind == Kind::StatusBar) {
      w->setFont(QApplication::font("QStatusBar"));
      addStatusPanels(static_cast<QStatusBar*>(w));
    }
    if (c.kind == Kind::Label) fitLabelToText(static_cast<QLabel*>(w), c.rect);
    if (!c.visible) w->hide();
  }

  // The tab order: depth first through the containers, each in its own tab order.
  std::vector<QWidget*> chain;
  auto visit = [&](auto&& self, const char* parent) -> void {
    std::vector<const Component*> children;
    for (const Component& c : design::components()) {
      const bool sameParent = parent ? (c.parent && std::string_view(c.parent) == parent) : !c.parent;
      if (sameParent && c.tabOrder >= 0) children.push_back(&c);
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const Component* a, const Component* b) { return a->tabOrder < b->tabOrder; });
    for (const Component* c : children) {
      QWidget* w = widget(c->name);
      if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
      self(self, c->name);
    }
  };
  visit(visit, nullptr);
  for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);

  for (const design::TimerDesign& t : design::timers()) {
    auto* timer = new QTimer(window);
    timer->setTimerType(Qt::PreciseTimer);  // a frame-paced timer needs it
    timer->setInterval(t.intervalMs);
    add(t.name, timer);
  }

  auto* menu = new QMenu(window);
  add(design::kPopupMenu, menu);
  for (const design::MenuItem& item : design::popupMenu())
    add(item.name, item.caption ? menu->addAction(utf8(item.caption)) : menu->addSeparator());
}

void fitLabelToText(QLabel* label, const QRect& designRect) {
  const QSize text = label->sizeHint();
  const int height = std::max(text.height(), designRect.height());
  label->setGeometry(designRect.left(), designRect.top() - (height - designRect.height()) / 2,
                     text.width(), height);
}

void BuiltDesign::add(const char* name, QObject* object) {
  object->setObjectName(utf8(name));
  objects_.insert(object->objectName(), object);
}

QObject* BuiltDesign::object(const char* name) const {
  QObject* o = objects_.value(QString::fromUtf8(name));
  if (!o) missing(name);
  return o;
}

QWidget* BuiltDesign::widget(const char* name) const {
  auto* w = qobject_cast<QWidget*>(object(name));
  if (!w) missing(name);
  return w;
}

void BuiltDesign::missing(const char* name) {
  std::fprintf(stderr, "design: no component %s of that type\n", name);
  std::abort();
}
