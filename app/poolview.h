#pragma once
// ListBox1: a list view over the pool model that paints the selected flags of the model
// and puts the operator's own mouse and keyboard selection into the same flags (click,
// Ctrl+click, Shift+click, dragging, arrow keys). Qt's selection model stays empty.
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

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void selectTo(int row, Qt::KeyboardModifiers modifiers);

  PoolModel* pool_ = nullptr;
  int anchor_ = -1;
  bool repaintQueued_ = false;
  bool selectionLocked_ = false;
};
