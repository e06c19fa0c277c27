#include "app/poolmodel.h"

#include "data/errors.h"
#include "platform/codec.h"

#include <algorithm>

PoolModel::PoolModel(QObject* parent) : QAbstractListModel(parent) {}

void PoolModel::setSelected(int i, bool on) {
  std::uint8_t& f = flags_[size_t(i)];
  if (bool(f) == on) return;
  f = on;
  selectedCount_ += on ? 1 : -1;
  if (on && logged_) {
    if (switchedOn_.size() < kLoggedRows) {
      switchedOn_.push_back(i);
    } else {
      switchedOn_.clear();
      logged_ = false;
    }
  }
}

void PoolModel::clearSelection() {
  if (selectedCount_ != 0) {
    if (logged_)
      for (int row : switchedOn_) flags_[size_t(row)] = 0;
    else
      std::fill(flags_.begin(), flags_.end(), 0);
    selectedCount_ = 0;
  }
  forgetSwitchedOn();
}

void PoolModel::forgetSwitchedOn() {
  switchedOn_.clear();
  logged_ = true;
}

void PoolModel::selectOnly(int a, int b) {
  if (a > b) std::swap(a, b);
  std::fill(flags_.begin(), flags_.end(), 0);
  std::fill(flags_.begin() + a, flags_.begin() + b + 1, 1);
  selectedCount_ = b - a + 1;
  switchedOn_.clear();
  logged_ = false;
}

void PoolModel::append(const Text& name) {
  const int row = count();
  beginInsertRows(QModelIndex(), row, row);
  const bool taken = names_.append(name);
  if (taken) flags_.push_back(0);
  endInsertRows();
  if (!taken) throw EOutOfResources("Unable to insert a line");
}

void PoolModel::appendAll(const std::vector<Text>& names) {
  NameList list;
  for (const Text& n : names)
    if (!list.append(n)) throw EOutOfResources("Unable to insert a line");
  appendAll(std::move(list));
}

void PoolModel::appendAll(NameList&& names) {
  if (names.count() == 0) return;
  const int first = count();
  if (first == 0) {
    beginInsertRows(QModelIndex(), 0, names.count() - 1);
    names_ = std::move(names);
  } else {
    if (!names_.append(names)) throw EOutOfResources("Unable to insert a line");
    beginInsertRows(QModelIndex(), first, names_.count() - 1);
  }
  flags_.resize(size_t(names_.count()), 0);
  endInsertRows();
}

void PoolModel::clear() {
  beginResetModel();
  names_.clear();
  flags_.clear();
  selectedCount_ = 0;
  forgetSwitchedOn();
  endResetModel();
}

// Runs of adjacent rows are announced one removal each, from the last to the first, while
// they are few; the names and flags move once, in one pass, whatever the number of rows.
void PoolModel::deleteRows(const std::vector<int>& ascending) {
  if (ascending.empty()) return;
  std::vector<std::pair<int, int>> runs;
  for (int row : ascending) {
    if (!runs.empty() && runs.back().second + 1 == row)
      runs.back().second = row;
    else
      runs.push_back({row, row});
  }
  for (int row : ascending) selectedCount_ -= flags_[size_t(row)];
  auto removeAll = [&] {
    names_.erase(ascending);
    size_t out = 0, next = 0;
    for (size_t r = 0; r < flags_.size(); ++r) {
      if (next < ascending.size() && size_t(ascending[next]) == r) {
        ++next;
        continue;
      }
      flags_[out++] = flags_[r];
    }
    flags_.resize(out);
    dropLogAfterMove();
  };
  constexpr size_t kManyRuns = 32;
  if (runs.size() > kManyRuns) {
    // Hundreds of scattered rows (a Stop of 999): one reset instead of hundreds of removals.
    beginResetModel();
    removeAll();
    endResetModel();
    return;
  }
  // Each announced removal must leave the model as the view then sees it: the rows of the
  // runs not yet announced stay in place (kept by `pending`) until their own turn.
  std::vector<int> pending;
  for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
    pending.clear();
    for (int r = it->first; r <= it->second; ++r) pending.push_back(r);
    beginRemoveRows(QModelIndex(), it->first, it->second);
    names_.erase(pending);
    flags_.erase(flags_.begin() + it->first, flags_.begin() + it->second + 1);
    dropLogAfterMove();
    endRemoveRows();
  }
}

void PoolModel::deleteSelected() {
  if (selectedCount_ == 0) return;
  std::vector<int> rows;
  rows.reserve(size_t(selectedCount_));
  if (logged_) {
    // The selected rows are among the logged ones: no sweep over the whole pool.
    for (int r : switchedOn_)
      if (flags_[size_t(r)]) rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  } else {
    for (size_t r = 0; r < flags_.size(); ++r)
      if (flags_[r]) rows.push_back(int(r));
  }
  deleteRows(rows);
}

void PoolModel::insertRows(const std::vector<int>& rows, const std::vector<Text>& names) {
  if (rows.empty()) return;
  NameList list;
  std::vector<std::uint8_t> flags;
  flags.reserve(flags_.size() + rows.size());
  size_t next = 0;
  int from = 0;
  const int total = count() + int(rows.size());
  for (int r = 0; r < total; ++r) {
    bool ok;
    if (next < rows.size() && rows[next] == r) {
      ok = list.append(names[next++]);
      flags.push_back(0);
    } else {
      ok = list.append(name(from));
      flags.push_back(flags_[size_t(from++)]);
    }
    if (!ok) throw EOutOfResources("Unable to insert a line");
  }
  beginResetModel();
  names_ = std::move(list);
  flags_ = std::move(flags);
  dropLogAfterMove();
  endResetModel();
}

QString PoolModel::shownName(int i) const {
  bool cut = false;
  // Only a start of the name is copied out: a name of megabytes costs no more than any.
  const Text start(names_.name(i).substr(0, kShownBytes + 8));
  QString shown = platform::fromAnsiPrefix(start, kShownBytes, &cut);
  if (cut) shown += QChar(0x2026);
  return shown;
}

int PoolModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant PoolModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return shownName(index.row());
    case SelectedRole:
      return selected(index.row());
    default:
      return {};
  }
}
