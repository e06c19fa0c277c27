#include "app/winners.h"

#include "data/session.h"
#include "data/window.h"
#include "platform/codec.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString shown(const Text& bytes) { return platform::fromAnsi(bytes).replace(QLatin1Char('&'), QLatin1String("&&")); }

}  // namespace

WinnersMenu::WinnersMenu(QWidget* owner, Window& w, Session& s, platform::Dialogs& dialogs,
                         std::function<void(const std::function<void()>&)> guard)
    : QObject(owner), owner_(owner), w_(w), s_(s), dialogs_(dialogs), guard_(std::move(guard)),
      menu_(new QMenu(owner)) {
  menu_->setObjectName(QStringLiteral("WinnersMenu"));
}

// While a draw runs or Start/Stop is locked out there is nothing to correct, and an open
// menu would take the keys: Space and the clicker's PageDown must go on reaching the draw.
void WinnersMenu::popup(const QPoint& global) {
  if (!CorrectionsAllowed(w_)) return;
  refresh();
  menu_->popup(global);
}

// The entries are made afresh for each opening: the prizes and the last draw change.
void WinnersMenu::refresh() {
  menu_->clear();
  const bool allowed = CorrectionsAllowed(w_);
  const bool last = allowed && s_.lastDraw.has_value();

  QString undoText = QStringLiteral("撤销本次抽奖");
  if (s_.lastDraw)
    undoText += QStringLiteral("（%1 %2人）")
                    .arg(shown(w_.slotCaption(s_.lastDraw->slot)))
                    .arg(s_.lastDraw->names.size());
  QAction* undo = menu_->addAction(undoText);
  undo->setObjectName(QStringLiteral("undoLastDraw"));
  undo->setEnabled(last);
  connect(undo, &QAction::triggered, this, [this] { guard_([this] { UndoLastDraw(w_, s_, dialogs_); }); });

  QMenu* move = menu_->addMenu(QStringLiteral("改为其他奖项"));
  move->menuAction()->setObjectName(QStringLiteral("moveLastDraw"));
  for (int k = 1; k <= kSlotCount; ++k) {
    if (!s_.slotInUse(k) || (s_.lastDraw && s_.lastDraw->slot == k)) continue;
    QAction* to = move->addAction(shown(w_.slotCaption(k)));
    connect(to, &QAction::triggered, this, [this, k] { guard_([this, k] { MoveLastDraw(w_, s_, dialogs_, k); }); });
  }
  move->setEnabled(last && !move->isEmpty());

  menu_->addSeparator();
  QAction* absent = menu_->addAction(QStringLiteral("标记缺席…"));
  absent->setObjectName(QStringLiteral("markAbsent"));
  absent->setEnabled(allowed && !AllRecordedWinners(s_).empty());
  connect(absent, &QAction::triggered, this, [this] {
    guard_([this] {
      if (!CorrectionsAllowed(w_)) return;
      if (const auto chosen = chooseAbsentees(owner_, w_, s_)) MarkAbsent(w_, s_, dialogs_, *chosen);
    });
  });
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("取消"));  // closes the menu
}

std::optional<std::vector<RecordedWinner>> WinnersMenu::chooseAbsentees(QWidget* parent, const Window& w,
                                                                        const Session& s) {
  const std::vector<RecordedWinner> all = AllRecordedWinners(s);
  if (all.empty()) return std::nullopt;

  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("AbsenteeDialog"));
  dialog.setWindowTitle(QStringLiteral("标记缺席"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("奖项："), &dialog));
  auto* prizes = new QComboBox(&dialog);
  for (int k = 1; k <= kSlotCount; ++k)
    if (std::any_of(all.begin(), all.end(), [k](const RecordedWinner& r) { return r.slot == k; }))
      prizes->addItem(platform::fromAnsi(w.slotCaption(k)), k);
  layout->addWidget(prizes);
  layout->addWidget(new QLabel(QStringLiteral("勾选不在场的获奖者："), &dialog));
  auto* list = new QListWidget(&dialog);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok = buttons->addButton(QStringLiteral("标记缺席"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  // The list shows the chosen prize's winners, in the order drawn; each item's index in
  // `all` stays with it.
  auto fill = [&] {
    list->clear();
    const int k = prizes->currentData().toInt();
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i].slot != k) continue;
      auto* item = new QListWidgetItem(platform::fromAnsi(all[i].name), list);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
      item->setData(Qt::UserRole, int(i));
    }
    ok->setEnabled(false);
  };
  QObject::connect(prizes, &QComboBox::currentIndexChanged, &dialog, fill);
  QObject::connect(list, &QListWidget::itemChanged, &dialog, [&] {
    bool any = false;
    for (int r = 0; r < list->count(); ++r) any = any || list->item(r)->checkState() == Qt::Checked;
    ok->setEnabled(any);
  });
  // The last draw's prize first: that is whom the operator is most likely asking for.
  if (s.lastDraw) prizes->setCurrentIndex(std::max(0, prizes->findData(s.lastDraw->slot)));
  fill();
  dialog.resize(320, 400);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  std::vector<RecordedWinner> chosen;
  for (int r = 0; r < list->count(); ++r)
    if (list->item(r)->checkState() == Qt::Checked) chosen.push_back(all[size_t(list->item(r)->data(Qt::UserRole).toInt())]);
  if (chosen.empty()) return std::nullopt;
  return chosen;
}
