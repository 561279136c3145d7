#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "props/CPrivateProperty.h"

namespace kelo {

// Get-with-default over the host's bag where the field's current value is the
// default: a missing key, or one holding another kind of value, leaves the field as
// it is. Records read into a freshly built default record, so "as it is" is the
// record's default.
void GetText(const CPrivateProperty& bag, const char* key, std::string& field);
void GetBool(const CPrivateProperty& bag, const char* key, bool& field);
void GetInt(const CPrivateProperty& bag, const char* key, std::int32_t& field);

// The same for a child already found (null: none): the field keeps its value unless
// the child holds a value of the field's type.
void ReadValue(const CPrivateProperty* child, std::string& field);
void ReadValue(const CPrivateProperty* child, bool& field);
void ReadValue(const CPrivateProperty* child, std::int32_t& field);

void SetText(CPrivateProperty& bag, const char* key, const std::string& value);

// The text stored under the key without copying it: what GetValueFromProperty would
// give with an empty default. Valid while the bag is unchanged.
const std::string& TextValue(const CPrivateProperty& bag, std::string_view key);

}  // namespace kelo
