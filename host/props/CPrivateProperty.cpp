#include "props/CPrivateProperty.h"

#include <algorithm>

namespace {

// A null key from a caller is the empty name, as a null text is the empty text.
std::string_view KeyOf(const char* key) { return key != nullptr ? std::string_view(key) : ""; }

}  // namespace

const CPrivateProperty* CPrivateProperty::PropertyMap::find(std::string_view name) const {
  const auto it = index_.find(name);
  return it != index_.end() ? &entries_[it->second].second : nullptr;
}

CPrivateProperty* CPrivateProperty::PropertyMap::find(std::string_view name) {
  const auto it = index_.find(name);
  return it != index_.end() ? &entries_[it->second].second : nullptr;
}

CPrivateProperty& CPrivateProperty::PropertyMap::operator[](std::string_view name) {
  if (CPrivateProperty* existing = find(name)) return *existing;
  entries_.emplace_back(std::string(name), CPrivateProperty());
  try {
    index_.emplace(entries_.back().first, entries_.size() - 1);
  } catch (...) {
    entries_.pop_back();
    throw;
  }
  return entries_.back().second;
}

bool CPrivateProperty::PropertyMap::erase(std::string_view name) {
  const auto it = index_.find(name);
  if (it == index_.end()) return false;
  const std::size_t position = it->second;
  index_.erase(it);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
  for (auto& [key, slot] : index_) {
    if (slot > position) --slot;
  }
  return true;
}

void CPrivateProperty::PropertyMap::clear() {
  entries_.clear();
  index_.clear();
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
