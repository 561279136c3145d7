#include "tool/plan/PropertyDifference.h"

#include "props/CPrivateProperty.h"

namespace {

bool IsGroup(const CPrivateProperty& property) {
  return property.Type() == CPrivateProperty::EType::None;
}

void Compare(const CPrivateProperty& before, const CPrivateProperty& after,
             const std::string& prefix, std::vector<std::string>& changed) {
  const CPrivateProperty::PropertyMap& a = before.Properties();
  const CPrivateProperty::PropertyMap& b = after.Properties();
  for (const auto& [name, child] : a) {
    const CPrivateProperty* other = b.find(name);
    if (other == nullptr) {
      changed.push_back(prefix + name);
    } else if (!(child == *other)) {
      if (IsGroup(child) && IsGroup(*other) && !child.Properties().empty() &&
          !other->Properties().empty())
        Compare(child, *other, prefix + name + "/", changed);
      else
        changed.push_back(prefix + name);
    }
  }
  for (const auto& [name, child] : b)
    if (a.find(name) == nullptr) changed.push_back(prefix + name);
}

}  // namespace

std::vector<std::string> ChangedProperties(const CPrivateProperty& before,
                                           const CPrivateProperty& after) {
  std::vector<std::string> changed;
  Compare(before, after, "", changed);
  return changed;
}
