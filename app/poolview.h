#pragma once
// ListBox1: a list view over the pool model that paints the selected flags of the model
// and puts the operator's own mouse and keyboard selection into the same flags (click,
// Ctrl+click, Shift+click, dragging, arrow keys). Qt's selection model stays empty.
//
// Every entry is one line of the same height, so where an entry lies is worked out from
// its row alone: the view keeps no per-row layout, and a change to a pool of a million
// names (a Stop, a load) costs no pass over all of them. QListView's own layout, which
// would make that pass, is never run; what depends on it (places, hits, scrolling, paint,
// the cursor keys) is answered here.
#include <QListView>

class PoolModel;

class PoolView : public QListView {
  Q_OBJECT

 public:
  explicit PoolView(QWidget* parent = nullptr);

  void setPool(PoolModel* model);
  PoolModel* pool() const { return pool_; }

  // Repaints once at the next paint, however often it is asked for before then.
  void requestRepaint();
  // Entry `row`'s selected flag changed: repaints that entry when it is on screen. A pick
  // changes a few flags among thousands of entries, most of them scrolled out of sight.
  void repaintRow(int row);

  // While a draw runs the selected flags are the pick's: the operator's clicks and keys
  // scroll the list but select nothing, so what Stop removes is what the headline shows.
  void setSelectionLocked(bool locked) { selectionLocked_ = locked; }

  QRect visualRect(const QModelIndex& index) const override;
  QModelIndex indexAt(const QPoint& point) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  void doItemsLayout() override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override { return 0; }
  int verticalOffset() const override;
  void setSelection(const QRect&, QItemSelectionModel::SelectionFlags) override {}
  QRegion visualRegionForSelection(const QItemSelection&) const override { return {}; }
  void rowsInserted(const QModelIndex& parent, int start, int end) override;
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

 private:
  void selectTo(int row, Qt::KeyboardModifiers modifiers);
  int rowCount() const;
  // The height of every entry: the item delegate's for one of them, measured once per
  // font, style and model.
  int rowHeight() const;

  PoolModel* pool_ = nullptr;
  int anchor_ = -1;
  bool repaintQueued_ = false;
  bool selectionLocked_ = false;
  mutable int rowHeight_ = 0;
  int hoverRow_ = -1;
};
