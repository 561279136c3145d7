#include "props/CPrivateProperty.h"

#include <algorithm>
#include <tuple>

namespace {

// A null key from a caller is the empty name, as a null text is the empty text.
std::string_view KeyOf(const char* key) { return key != nullptr ? std::string_view(key) : ""; }

}  // namespace

CPrivateProperty::PropertyMap::PropertyMap() = default;

CPrivateProperty::PropertyMap::PropertyMap(const PropertyMap& other)
    : entries_(other.entries_),
      index_(other.index_ != nullptr ? std::make_unique<Index>(*other.index_) : nullptr) {}

CPrivateProperty::PropertyMap::PropertyMap(PropertyMap&& other) noexcept = default;

CPrivateProperty::PropertyMap& CPrivateProperty::PropertyMap::operator=(const PropertyMap& other) {
  if (this != &other) *this = PropertyMap(other);
  return *this;
}

CPrivateProperty::PropertyMap& CPrivateProperty::PropertyMap::operator=(
    PropertyMap&& other) noexcept = default;

CPrivateProperty::PropertyMap::~PropertyMap() = default;

std::ptrdiff_t CPrivateProperty::PropertyMap::position(std::string_view name) const {
  if (index_ == nullptr) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].first == name) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
  }
  const auto it = index_->find(name);
  return it != index_->end() ? static_cast<std::ptrdiff_t>(it->second) : -1;
}

const CPrivateProperty* CPrivateProperty::PropertyMap::find(std::string_view name) const {
  const std::ptrdiff_t at = position(name);
  return at >= 0 ? &entries_[static_cast<std::size_t>(at)].second : nullptr;
}

CPrivateProperty* CPrivateProperty::PropertyMap::find(std::string_view name) {
  const std::ptrdiff_t at = position(name);
  return at >= 0 ? &entries_[static_cast<std::size_t>(at)].second : nullptr;
}

CPrivateProperty::PropertyMap::Entry& CPrivateProperty::PropertyMap::append(std::string name) {
  entries_.emplace_back(std::piecewise_construct, std::forward_as_tuple(std::move(name)),
                        std::forward_as_tuple());
  try {
    if (index_ != nullptr) {
      index_->emplace(entries_.back().first, entries_.size() - 1);
    } else if (entries_.size() > kLinearSearchLimit) {
      auto index = std::make_unique<Index>();
      index->reserve(entries_.size());
      for (std::size_t i = 0; i < entries_.size(); ++i) index->emplace(entries_[i].first, i);
      index_ = std::move(index);
    }
  } catch (...) {
    // A failed emplace leaves the index as it was, a failed build leaves none.
    entries_.pop_back();
    throw;
  }
  return entries_.back();
}

CPrivateProperty& CPrivateProperty::PropertyMap::operator[](std::string_view name) {
  if (CPrivateProperty* existing = find(name)) return *existing;
  return append(std::string(name)).second;
}

std::pair<CPrivateProperty::PropertyMap::Entry*, bool> CPrivateProperty::PropertyMap::try_emplace(
    std::string name) {
  if (const std::ptrdiff_t at = position(name); at >= 0) {
    return {&entries_[static_cast<std::size_t>(at)], false};
  }
  return {&append(std::move(name)), true};
}

bool CPrivateProperty::PropertyMap::erase(std::string_view name) {
  const std::ptrdiff_t at = position(name);
  if (at < 0) return false;
  const std::size_t removed = static_cast<std::size_t>(at);
  if (index_ != nullptr) {
    index_->erase(index_->find(name));
    for (auto& [key, slot] : *index_) {
      if (slot > removed) --slot;
    }
  }
  entries_.erase(entries_.begin() + at);
  return true;
}

void CPrivateProperty::PropertyMap::clear() {
  entries_.clear();
  index_.reset();
}

bool operator==(const CPrivateProperty::PropertyMap& a, const CPrivateProperty::PropertyMap& b) {
  return a.entries_ == b.entries_;
}

CPrivateProperty::CPrivateProperty() = default;
CPrivateProperty::CPrivateProperty(const CPrivateProperty&) = default;
CPrivateProperty::CPrivateProperty(CPrivateProperty&&) noexcept = default;
CPrivateProperty& CPrivateProperty::operator=(const CPrivateProperty&) = default;
CPrivateProperty& CPrivateProperty::operator=(CPrivateProperty&&) noexcept = default;
CPrivateProperty::~CPrivateProperty() = default;

CPrivateProperty::EType CPrivateProperty::Type() const {
  switch (value_.index()) {
    case 1:
      return EType::String;
    case 2:
      return EType::Bool;
    case 3:
      return EType::Int;
    default:
      return EType::None;
  }
}

const std::string& CPrivateProperty::StringValue() const {
  static const std::string kEmpty;
  const std::string* text = std::get_if<std::string>(&value_);
  return text != nullptr ? *text : kEmpty;
}

bool CPrivateProperty::BoolValue() const {
  const bool* flag = std::get_if<bool>(&value_);
  return flag != nullptr && *flag;
}

std::int32_t CPrivateProperty::IntValue() const {
  const std::int32_t* number = std::get_if<std::int32_t>(&value_);
  return number != nullptr ? *number : 0;
}

void CPrivateProperty::SetValue(std::string value) { value_ = std::move(value); }
void CPrivateProperty::SetValue(bool value) { value_ = value; }
void CPrivateProperty::SetValue(std::int32_t value) { value_ = value; }
void CPrivateProperty::ClearValue() { value_ = std::monostate(); }

void CPrivateProperty::GetValueFromProperty(const char* key, rr::RRString& out,
                                            const rr::RRString& def) const {
  const CPrivateProperty* child = children_.find(KeyOf(key));
  const std::string* text = child != nullptr ? std::get_if<std::string>(&child->value_) : nullptr;
  if (text != nullptr) {
    out = rr::RRString(std::string_view(*text));
  } else {
    out = def;
  }
}

void CPrivateProperty::GetValueFromProperty(const char* key, bool& out, bool def) const {
  const CPrivateProperty* child = children_.find(KeyOf(key));
  const bool* flag = child != nullptr ? std::get_if<bool>(&child->value_) : nullptr;
  out = flag != nullptr ? *flag : def;
}

void CPrivateProperty::GetValueFromProperty(const char* key, std::int32_t& out,
                                            std::int32_t def) const {
  const CPrivateProperty* child = children_.find(KeyOf(key));
  const std::int32_t* number =
      child != nullptr ? std::get_if<std::int32_t>(&child->value_) : nullptr;
  out = number != nullptr ? *number : def;
}

void CPrivateProperty::SetValueToProperty(const char* key, const rr::RRString& value) {
  children_[KeyOf(key)].SetValue(value.str());
}

void CPrivateProperty::SetValueToProperty(const char* key, const char* value) {
  children_[KeyOf(key)].SetValue(std::string(value != nullptr ? value : ""));
}

void CPrivateProperty::SetValueToProperty(const char* key, bool value) {
  children_[KeyOf(key)].SetValue(value);
}

void CPrivateProperty::SetValueToProperty(const char* key, std::int32_t value) {
  children_[KeyOf(key)].SetValue(value);
}

bool operator==(const CPrivateProperty& a, const CPrivateProperty& b) {
  return a.value_ == b.value_ && a.children_ == b.children_;
}
