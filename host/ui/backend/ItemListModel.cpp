#include "ui/backend/ItemListModel.h"

#include <algorithm>

namespace {

const std::string kNoText;

}  // namespace

int ItemListModel::Add(std::string_view text) {
  if (!sorted_) return Insert(-1, text);
  const auto place = std::upper_bound(
      items_.begin(), items_.end(), text,
      [](std::string_view value, const Item& item) { return value < std::string_view(item.text); });
  return Insert(static_cast<int>(place - items_.begin()), text);
}

int ItemListModel::Insert(int index, std::string_view text) {
  if (index == -1) index = Count();
  if (index < 0 || index > Count()) return -1;
  items_.insert(items_.begin() + index, Item{std::string(text), 0});
  if (selection_ >= index) ++selection_;
  return index;
}

bool ItemListModel::Delete(int index) {
  if (index < 0 || index >= Count()) return false;
  items_.erase(items_.begin() + index);
  if (selection_ == index) {
    selection_ = -1;
  } else if (selection_ > index) {
    --selection_;
  }
  return true;
}

void ItemListModel::Clear() {
  items_.clear();
  selection_ = -1;
}

const std::string& ItemListModel::Text(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].text : kNoText;
}

bool ItemListModel::SetData(int index, std::uintptr_t data) {
  if (index < 0 || index >= Count()) return false;
  items_[static_cast<std::size_t>(index)].data = data;
  return true;
}

std::uintptr_t ItemListModel::Data(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].data : 0;
}

int ItemListModel::FindExact(std::string_view text) const {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [text](const Item& item) { return item.text == text; });
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool ItemListModel::Select(int index) {
  if (index < -1 || index >= Count()) return false;
  selection_ = index;
  return true;
}
