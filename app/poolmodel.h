#pragma once
// The pool behind ListBox1: the entries' names as bytes and a selected flag per entry.
// The flags live here, not in a QItemSelectionModel: a pick sets up to 999 of them on
// every 1 ms tick, and the view paints from them (see PoolView), so changing a flag
// emits nothing. Row insertions and removals are announced as usual.
#include "platform/text.h"

#include <QAbstractListModel>

#include <cstdint>
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

  int count() const { return int(names_.size()); }
  const Text& name(int i) const { return names_[size_t(i)]; }
  bool selected(int i) const { return flags_[size_t(i)] != 0; }
  int selectedCount() const { return selectedCount_; }

  // Flags: no signal; whoever changes them repaints the view.
  void setSelected(int i, bool on);
  void clearSelection();
  // Every entry from `a` to `b` (either order) selected, the others cleared.
  void selectOnly(int a, int b);

  void append(const Text& name);
  void appendAll(const std::vector<Text>& names);  // one insertion for all of them
  void clear();
  // Deletes the given rows (ascending, distinct, in range); the rest keep their order.
  void deleteRows(const std::vector<int>& ascending);
  void deleteSelected();

  // What the list shows of entry i: its name, or the start of a longer one and "…".
  QString shownName(int i) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  std::vector<Text> names_;
  std::vector<std::uint8_t> flags_;
  int selectedCount_ = 0;
};
