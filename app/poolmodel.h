#pragma once
// The pool behind ListBox1: the entries' names as bytes and a selected flag per entry.
// The flags live here, not in a QItemSelectionModel: a pick sets up to 999 of them on
// every frame, and the view paints from them (see PoolView), so changing a flag emits
// nothing. Row insertions and removals are announced as usual.
#include "data/namelist.h"
#include "platform/text.h"

#include <QAbstractListModel>

#include <cstdint>
#include <string_view>
#include <vector>

class PoolModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // data(SelectedRole) is true for a selected entry.
  static constexpr int SelectedRole = Qt::UserRole + 1;
  // The list shows at most this many bytes of a name (a wrong file picked as the list can
  // make names of megabytes, and laying those out would stall every paint); the name
  // itself stays whole.
  static constexpr size_t kShownBytes = 256;

  explicit PoolModel(QObject* parent = nullptr);

  int count() const { return names_.count(); }
  std::string_view name(int i) const { return names_.name(i); }
  // The names' bytes and index and the flags, for the memory figures.
  size_t heldBytes() const { return names_.heldBytes() + flags_.capacity(); }
  bool selected(int i) const { return flags_[size_t(i)] != 0; }
  int selectedCount() const { return selectedCount_; }

  // Flags: no signal; whoever changes them repaints the view.
  void setSelected(int i, bool on);
  // Clears every flag; `cleared(row)` is called for each row whose flag may have been on,
  // or once with -1 when they are too many to list (every row may have changed).
  template <class Cleared>
  void clearSelection(Cleared&& cleared) {
    if (selectedCount_ != 0) {
      if (logged_) {
        for (int row : switchedOn_) cleared(row);
      } else {
        cleared(-1);
      }
    }
    clearSelection();
  }
  void clearSelection();
  // Every entry from `a` to `b` (either order) selected, the others cleared.
  void selectOnly(int a, int b);

  // EOutOfResources "Unable to insert a line" when the pool would pass 4 GiB of names.
  void append(const Text& name);
  void appendAll(const std::vector<Text>& names);  // one insertion for all of them
  void appendAll(NameList&& names);                // the same, taking the list's buffer
  void clear();
  // Deletes the given rows (ascending, distinct, in range); the rest keep their order.
  void deleteRows(const std::vector<int>& ascending);
  void deleteSelected();
  // names[j] becomes row rows[j] of the result (ascending, distinct); flags are kept. Rare
  // (a withdrawn draw), so the list is rebuilt once.
  void insertRows(const std::vector<int>& rows, const std::vector<Text>& names);

  // What the list shows of entry i: its name, or the start of a longer one and "…".
  QString shownName(int i) const;

  // Without the checks through rowCount() and columnCount(): the list view asks for the
  // index of every row each time it lays the list out, a million times at a Stop.
  QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override {
    return !parent.isValid() && column == 0 && row >= 0 && row < count() ? createIndex(row, 0) : QModelIndex();
  }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  static constexpr size_t kLoggedRows = 4096;
  void forgetSwitchedOn();
  // After rows moved: the log no longer names the right rows.
  void dropLogAfterMove() {
    switchedOn_.clear();
    logged_ = selectedCount_ == 0;
  }

  NameList names_;
  std::vector<std::uint8_t> flags_;
  int selectedCount_ = 0;
  // The rows switched on since every flag was last off, while they are few: clearing the
  // selection then touches only them, not a million flags. Empty and not `logged_` once a
  // range was selected or the log grew long; clearing then sweeps every flag.
  std::vector<int> switchedOn_;
  bool logged_ = true;
};
