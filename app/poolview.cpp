#include "app/poolview.h"

#include "app/poolmodel.h"

#include <QHoverEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <climits>

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
  rowHeight_ = 0;
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    anchor_ = -1;
    hoverRow_ = -1;
    rowHeight_ = 0;
  });
}

int PoolView::rowCount() const { return model() ? model()->rowCount() : 0; }

int PoolView::rowHeight() const {
  if (rowHeight_ > 0) return rowHeight_;
  const QModelIndex sample = rowCount() > 0 ? model()->index(0, 0) : QModelIndex();
  if (!sample.isValid()) return std::max(1, fontMetrics().height());  // measured once there is an entry
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  rowHeight_ = std::max(1, itemDelegate()->sizeHint(option, sample).height());
  return rowHeight_;
}

int PoolView::verticalOffset() const { return verticalScrollBar()->value(); }

QRect PoolView::visualRect(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != model() || index.row() >= rowCount()) return {};
  const int h = rowHeight();
  const long long top = static_cast<long long>(index.row()) * h - verticalOffset();
  if (top < INT_MIN / 2 || top > INT_MAX / 2) return {};  // far out of sight
  return QRect(0, int(top), viewport()->width(), h);
}

QModelIndex PoolView::indexAt(const QPoint& point) const {
  if (point.y() < 0 || point.x() < 0 || point.x() >= viewport()->width()) return {};
  const long long row = (static_cast<long long>(point.y()) + verticalOffset()) / rowHeight();
  return row < rowCount() ? model()->index(int(row), 0) : QModelIndex();
}

// The scroll range follows the count at once: a row asked for right after a load or a
// Stop is scrolled to with the range of the list as it now is.
void PoolView::updateGeometries() {
  const long long content = static_cast<long long>(rowCount()) * rowHeight();
  const int page = viewport()->height();
  QScrollBar* bar = verticalScrollBar();
  bar->setSingleStep(rowHeight());
  bar->setPageStep(page);
  bar->setRange(0, int(std::clamp(content - page, 0LL, static_cast<long long>(INT_MAX))));
  horizontalScrollBar()->setRange(0, 0);
  QAbstractItemView::updateGeometries();
}

void PoolView::doItemsLayout() { QAbstractItemView::doItemsLayout(); }

void PoolView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

void PoolView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid() || index.model() != model()) return;
  updateGeometries();
  const long long h = rowHeight();
  const long long top = index.row() * h;
  const long long page = viewport()->height();
  QScrollBar* bar = verticalScrollBar();
  long long to = bar->value();
  switch (hint) {
    case PositionAtTop:
      to = top;
      break;
    case PositionAtBottom:
      to = top + h - page;
      break;
    case PositionAtCenter:
      to = top - (page - h) / 2;
      break;
    case EnsureVisible:
      if (top < to)
        to = top;
      else if (top + h > to + page)
        to = top + h - page;
      break;
  }
  bar->setValue(int(std::clamp(to, 0LL, static_cast<long long>(bar->maximum()))));
}

QModelIndex PoolView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const int count = rowCount();
  if (count == 0) return {};
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return model()->index(0, 0);
  const int page = std::max(1, viewport()->height() / rowHeight());
  int row = current.row();
  switch (action) {
    case MoveUp:
    case MovePrevious:
      --row;
      break;
    case MoveDown:
    case MoveNext:
      ++row;
      break;
    case MoveHome:
      row = 0;
      break;
    case MoveEnd:
      row = count - 1;
      break;
    case MovePageUp:
      row -= page;
      break;
    case MovePageDown:
      row += page;
      break;
    case MoveLeft:
    case MoveRight:
      break;
  }
  return model()->index(std::clamp(row, 0, count - 1), 0);
}

void PoolView::rowsInserted(const QModelIndex& parent, int start, int end) {
  hoverRow_ = -1;
  QListView::rowsInserted(parent, start, end);
}

void PoolView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
  hoverRow_ = -1;
  QListView::rowsAboutToBeRemoved(parent, start, end);
}

bool PoolView::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
      hoverRow_ = indexAt(static_cast<QHoverEvent*>(event)->position().toPoint()).row();
      break;
    case QEvent::HoverLeave:
      hoverRow_ = -1;
      break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
      rowHeight_ = 0;
      break;
    default:
      break;
  }
  return QListView::viewportEvent(event);
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

// The entries in the area to paint, each through the item delegate as a list view paints
// them (the delegate adds the selected look from the pool's flags).
void PoolView::paintEvent(QPaintEvent* event) {
  repaintQueued_ = false;
  const int count = rowCount();
  if (count == 0) return;
  const QRect area = event->rect();
  const long long h = rowHeight();
  const long long offset = verticalOffset();
  const int first = int(std::max(0LL, (area.top() + offset) / h));
  const int last = int(std::min<long long>(count - 1, (area.bottom() + offset) / h));
  QPainter painter(viewport());
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QStyle::State state = option.state;
  const QModelIndex current = currentIndex();
  const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
  for (int row = first; row <= last; ++row) {
    const QModelIndex index = model()->index(row, 0);
    option.rect = visualRect(index);
    option.state = state;
    if (state & QStyle::State_Enabled) {
      const bool on = model()->flags(index) & Qt::ItemIsEnabled;
      if (!on) option.state &= ~QStyle::State_Enabled;
      option.palette.setCurrentColorGroup(on ? QPalette::Normal : QPalette::Disabled);
    }
    if (focus && current == index) option.state |= QStyle::State_HasFocus;
    option.state.setFlag(QStyle::State_MouseOver, row == hoverRow_);
    itemDelegateForIndex(index)->paint(&painter, option, index);
  }
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
