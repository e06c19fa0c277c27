#include "app/poolview.h"

#include "app/poolmodel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {

// Paints an entry as selected exactly when its flag in the pool model is set.
class PoolDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.data(PoolModel::SelectedRole).toBool())
      option->state |= QStyle::State_Selected;
    else
      option->state &= ~QStyle::State_Selected;
  }
};

bool isNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

}  // namespace

PoolView::PoolView(QWidget* parent) : QListView(parent) {
  // Qt's own selection stays empty on purpose: the selected flags live in the pool model,
  // and the mouse and the keys below set the same flags a pick sets.
  setSelectionMode(QAbstractItemView::NoSelection);
  setUniformItemSizes(true);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new PoolDelegate(this));
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void PoolView::setPool(PoolModel* model) {
  pool_ = model;
  setModel(model);
  connect(model, &QAbstractItemModel::modelReset, this, [this] { anchor_ = -1; });
}

void PoolView::requestRepaint() {
  if (repaintQueued_) return;
  repaintQueued_ = true;
  viewport()->update();
}

void PoolView::repaintRow(int row) {
  if (repaintQueued_ || !model()) return;
  const QRect place = visualRect(model()->index(row, 0));
  if (place.intersects(viewport()->rect())) viewport()->update(place);
}

void PoolView::paintEvent(QPaintEvent* event) {
  repaintQueued_ = false;
  QListView::paintEvent(event);
}

// Plain: this entry alone. Ctrl: this entry switched, the others kept. Shift: the entries
// from the anchor to this one (Ctrl+Shift adds them to the others).
void PoolView::selectTo(int row, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  if (shift) {
    if (anchor_ < 0 || anchor_ >= pool_->count()) anchor_ = row;
    if (ctrl) {
      for (int r = std::min(anchor_, row); r <= std::max(anchor_, row); ++r) pool_->setSelected(r, true);
    } else {
      pool_->selectOnly(anchor_, row);
    }
  } else if (ctrl) {
    pool_->setSelected(row, !pool_->selected(row));
    anchor_ = row;
  } else {
    pool_->selectOnly(row, row);
    anchor_ = row;
  }
  requestRepaint();
}

void PoolView::mousePressEvent(QMouseEvent* event) {
  QListView::mousePressEvent(event);
  // A right click selects nothing.
  if (!pool_ || selectionLocked_ || event->button() != Qt::LeftButton) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) selectTo(index.row(), event->modifiers());
}

void PoolView::mouseMoveEvent(QMouseEvent* event) {
  QListView::mouseMoveEvent(event);
  if (!pool_ || selectionLocked_ || !(event->buttons() & Qt::LeftButton) || anchor_ < 0) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid()) return;
  if (event->modifiers() & Qt::ControlModifier) {
    for (int r = std::min(anchor_, index.row()); r <= std::max(anchor_, index.row()); ++r)
      pool_->setSelected(r, true);
  } else {
    pool_->selectOnly(anchor_, index.row());
  }
  requestRepaint();
}

void PoolView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
    event->ignore();  // PageDown starts and stops draws: it is the window's key
    return;
  }
  const QModelIndex before = currentIndex();
  QListView::keyPressEvent(event);
  if (!pool_ || selectionLocked_ || !isNavigationKey(event->key())) return;
  const QModelIndex now = currentIndex();
  if (!now.isValid() || now == before) return;
  if (event->modifiers() & Qt::ControlModifier && !(event->modifiers() & Qt::ShiftModifier))
    return;  // Ctrl+arrow moves the current entry only
  selectTo(now.row(), event->modifiers() & Qt::ShiftModifier);
}
