#include "ui/backend/ListViewModel.h"

#include <algorithm>
#include <numeric>

namespace {

const std::string kNoText;

}  // namespace

const std::string& ListViewModel::FirstColumn(const Entry& entry) {
  return entry.cells.empty() ? kNoText : entry.cells.front();
}

int ListViewModel::Insert(int index, ListViewRow row) {
  std::size_t place = rows_.size();
  if (sorted_) {
    const std::string& key = row.empty() ? kNoText : row.front();
    place =
        static_cast<std::size_t>(std::upper_bound(rows_.begin(), rows_.end(), key,
                                                  [](const std::string& value, const Entry& entry) {
                                                    return value < FirstColumn(entry);
                                                  }) -
                                 rows_.begin());
  } else if (index >= 0 && index < RowCount()) {
    place = static_cast<std::size_t>(index);
  }
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(place),
               Entry{std::move(row), nextSerial_++, false});
  return static_cast<int>(place);
}

void ListViewModel::InsertMany(std::span<const ListViewRow> rows) {
  std::vector<Entry> added;
  added.reserve(rows.size());
  for (const ListViewRow& row : rows) added.push_back(Entry{row, nextSerial_++, false});
  if (!sorted_) {
    std::move(added.begin(), added.end(), std::back_inserter(rows_));
    return;
  }
  auto byFirstColumn = [](const Entry& a, const Entry& b) {
    return FirstColumn(a) < FirstColumn(b);
  };
  // Stable on both sides: equal new rows keep their order and follow equal old rows,
  // as one-by-one inserts would place them. Callers mostly hand rows over in order,
  // and often into an empty list: then neither a sort nor a merge buffer is needed.
  if (!std::is_sorted(added.begin(), added.end(), byFirstColumn))
    std::stable_sort(added.begin(), added.end(), byFirstColumn);
  if (rows_.empty()) {
    rows_ = std::move(added);
    return;
  }
  std::vector<Entry> merged;
  merged.reserve(rows_.size() + added.size());
  std::merge(std::make_move_iterator(rows_.begin()), std::make_move_iterator(rows_.end()),
             std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()),
             std::back_inserter(merged), byFirstColumn);
  rows_ = std::move(merged);
}

bool ListViewModel::SetCell(int row, int column, std::string_view text) {
  if (row < 0 || row >= RowCount() || column < 0) return false;
  ListViewRow& cells = rows_[static_cast<std::size_t>(row)].cells;
  if (cells.size() <= static_cast<std::size_t>(column)) cells.resize(column + 1);
  cells[static_cast<std::size_t>(column)] = text;
  return true;
}

const std::string& ListViewModel::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return kNoText;
  const ListViewRow& cells = rows_[static_cast<std::size_t>(row)].cells;
  return static_cast<std::size_t>(column) < cells.size() ? cells[column] : kNoText;
}

void ListViewModel::Delete(std::span<const int> rows) {
  std::vector<bool> doomed(rows_.size(), false);
  bool any = false;
  for (int row : rows) {
    if (row >= 0 && row < RowCount()) doomed[static_cast<std::size_t>(row)] = any = true;
  }
  if (!any) return;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (doomed[i]) {
      if (rows_[i].selected) --selectedCount_;
      continue;
    }
    if (kept != i) rows_[kept] = std::move(rows_[i]);
    ++kept;
  }
  rows_.resize(kept);
}

void ListViewModel::Clear() {
  rows_.clear();
  selectedCount_ = 0;
}

std::vector<int> ListViewModel::Selected() const {
  std::vector<int> selected;
  selected.reserve(static_cast<std::size_t>(selectedCount_));
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].selected) selected.push_back(static_cast<int>(i));
  }
  return selected;
}

void ListViewModel::SetSelected(int row, bool selected) {
  if (row < 0 || row >= RowCount()) return;
  Entry& entry = rows_[static_cast<std::size_t>(row)];
  if (entry.selected == selected) return;
  entry.selected = selected;
  selectedCount_ += selected ? 1 : -1;
}

void ListViewModel::ClearSelection() {
  for (Entry& entry : rows_) entry.selected = false;
  selectedCount_ = 0;
}

int ListViewModel::FindPrefix(std::string_view prefix, int startAfter) const {
  const int first = std::max(startAfter + 1, 0);
  if (first >= RowCount()) return -1;
  auto matches = [prefix](const Entry& entry) {
    return std::string_view(FirstColumn(entry)).starts_with(prefix);
  };
  if (!sorted_) {
    const auto found = std::find_if(rows_.begin() + first, rows_.end(), matches);
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
  }
  // Rows that begin with the prefix sort together, from the first row not below it.
  const auto found = std::lower_bound(
      rows_.begin() + first, rows_.end(), prefix,
      [](const Entry& entry, std::string_view value) { return FirstColumn(entry) < value; });
  return found != rows_.end() && matches(*found) ? static_cast<int>(found - rows_.begin()) : -1;
}

std::vector<int> ListViewModel::InsertionOrder() const {
  std::vector<int> order(rows_.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [this](int a, int b) {
    return rows_[static_cast<std::size_t>(a)].serial < rows_[static_cast<std::size_t>(b)].serial;
  });
  return order;
}
