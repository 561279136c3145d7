#include "kelo/config/PropertyValues.h"

#include <utility>

#include "rrstring/RRString.h"

namespace kelo {

void GetText(const CPrivateProperty& bag, const char* key, std::string& field) {
  // What GetValueFromProperty gives with the field as default, read straight from
  // the bag instead of through two RRString copies.
  const CPrivateProperty* child = bag.Properties().find(key != nullptr ? key : "");
  if (child != nullptr && child->Type() == CPrivateProperty::EType::String) {
    field = child->StringValue();
  }
}

void GetBool(const CPrivateProperty& bag, const char* key, bool& field) {
  bool value = field;
  bag.GetValueFromProperty(key, value, field);
  field = value;
}

void GetInt(const CPrivateProperty& bag, const char* key, std::int32_t& field) {
  std::int32_t value = field;
  bag.GetValueFromProperty(key, value, field);
  field = value;
}

void ReadValue(const CPrivateProperty* child, std::string& field) {
  if (child != nullptr && child->Type() == CPrivateProperty::EType::String)
    field = child->StringValue();
}

void ReadValue(const CPrivateProperty* child, bool& field) {
  if (child != nullptr && child->Type() == CPrivateProperty::EType::Bool)
    field = child->BoolValue();
}

void ReadValue(const CPrivateProperty* child, std::int32_t& field) {
  if (child != nullptr && child->Type() == CPrivateProperty::EType::Int) field = child->IntValue();
}

void SetText(CPrivateProperty& bag, const char* key, const std::string& value) {
  bag.SetValueToProperty(key, rr::RRString(value));
}

const std::string& TextValue(const CPrivateProperty& bag, std::string_view key) {
  static const std::string kEmpty;
  const CPrivateProperty* child = bag.Properties().find(key);
  if (child == nullptr || child->Type() != CPrivateProperty::EType::String) return kEmpty;
  return child->StringValue();
}

}  // namespace kelo
