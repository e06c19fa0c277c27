#include "app/poolmodel.h"

#include "platform/codec.h"

#include <algorithm>

PoolModel::PoolModel(QObject* parent) : QAbstractListModel(parent) {}

void PoolModel::setSelected(int i, bool on) {
  std::uint8_t& f = flags_[size_t(i)];
  if (bool(f) == on) return;
  f = on;
  selectedCount_ += on ? 1 : -1;
}

void PoolModel::clearSelection() {
  if (selectedCount_ == 0) return;
  std::fill(flags_.begin(), flags_.end(), 0);
  selectedCount_ = 0;
}

void PoolModel::selectOnly(int a, int b) {
  if (a > b) std::swap(a, b);
  std::fill(flags_.begin(), flags_.end(), 0);
  std::fill(flags_.begin() + a, flags_.begin() + b + 1, 1);
  selectedCount_ = b - a + 1;
}

void PoolModel::append(const Text& name) {
  const int row = count();
  beginInsertRows(QModelIndex(), row, row);
  names_.push_back(name);
  flags_.push_back(0);
  endInsertRows();
}

void PoolModel::appendAll(const std::vector<Text>& names) {
  if (names.empty()) return;
  const int first = count();
  beginInsertRows(QModelIndex(), first, first + int(names.size()) - 1);
  names_.insert(names_.end(), names.begin(), names.end());
  flags_.resize(names_.size(), 0);
  endInsertRows();
}

void PoolModel::clear() {
  beginResetModel();
  names_.clear();
  flags_.clear();
  selectedCount_ = 0;
  endResetModel();
}

void PoolModel::deleteRows(const std::vector<int>& ascending) {
  if (ascending.empty()) return;
  // Runs of adjacent rows, each announced as one removal, from the last to the first.
  std::vector<std::pair<int, int>> runs;
  for (int row : ascending) {
    if (!runs.empty() && runs.back().second + 1 == row)
      runs.back().second = row;
    else
      runs.push_back({row, row});
  }
  constexpr size_t kManyRuns = 32;
  if (runs.size() <= kManyRuns) {
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
      beginRemoveRows(QModelIndex(), it->first, it->second);
      for (int r = it->first; r <= it->second; ++r) selectedCount_ -= flags_[size_t(r)];
      names_.erase(names_.begin() + it->first, names_.begin() + it->second + 1);
      flags_.erase(flags_.begin() + it->first, flags_.begin() + it->second + 1);
      endRemoveRows();
    }
    return;
  }
  // Many scattered rows (a Stop of hundreds in a long pool): one pass and one reset
  // instead of hundreds of removals that each move the rest of the list.
  beginResetModel();
  size_t out = 0, next = 0;
  for (size_t r = 0; r < names_.size(); ++r) {
    if (next < ascending.size() && size_t(ascending[next]) == r) {
      ++next;
      selectedCount_ -= flags_[r];
      continue;
    }
    if (out != r) {
      names_[out] = std::move(names_[r]);
      flags_[out] = flags_[r];
    }
    ++out;
  }
  names_.resize(out);
  flags_.resize(out);
  endResetModel();
}

void PoolModel::deleteSelected() {
  if (selectedCount_ == 0) return;
  std::vector<int> rows;
  rows.reserve(size_t(selectedCount_));
  for (size_t r = 0; r < flags_.size(); ++r)
    if (flags_[r]) rows.push_back(int(r));
  deleteRows(rows);
}

QString PoolModel::shownName(int i) const {
  bool cut = false;
  QString shown = platform::fromAnsiPrefix(names_[size_t(i)], kShownBytes, &cut);
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
