#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "rrstring/RRString.h"

// The host's property bag: a named, ordered collection of child properties, each
// of which holds either a typed value (text, bool or signed 32-bit integer) or
// children of its own. An empty bag means "not configured yet".
class CPrivateProperty {
 public:
  enum class EType { None, String, Bool, Int };

  // Children in insertion order (the order a file listed them, or the order they
  // were first set); names are unique.
  class PropertyMap {
   public:
    using Entry = std::pair<std::string, CPrivateProperty>;
    using const_iterator = std::vector<Entry>::const_iterator;

    PropertyMap();
    PropertyMap(const PropertyMap& other);
    PropertyMap(PropertyMap&& other) noexcept;
    PropertyMap& operator=(const PropertyMap& other);
    PropertyMap& operator=(PropertyMap&& other) noexcept;
    ~PropertyMap();

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }

    // Null when there is no child of that name.
    const CPrivateProperty* find(std::string_view name) const;
    CPrivateProperty* find(std::string_view name);
    // The child of that name, appended as an empty property when absent.
    CPrivateProperty& operator[](std::string_view name);
    // Appends an empty child of that name unless one exists; the entry is the new or
    // the existing one, and the flag tells whether it was appended.
    std::pair<Entry*, bool> try_emplace(std::string name);
    // Room for that many children, so that appending them moves none.
    void reserve(std::size_t count) { entries_.reserve(count); }
    // Removes the child of that name, keeping the others in order; false when absent.
    bool erase(std::string_view name);
    void clear();

    // Same names with equal children, in the same order.
    friend bool operator==(const PropertyMap& a, const PropertyMap& b);

   private:
    // Lets find() look a string_view up without building a std::string.
    struct NameHash {
      using is_transparent = void;
      std::size_t operator()(std::string_view name) const noexcept {
        return std::hash<std::string_view>{}(name);
      }
    };

    // Most bags hold a handful of children, for which comparing names one by one is
    // faster than hashing them and costs no allocation; past this many the index is
    // built, so that a bag of any size is searched in constant time.
    static constexpr std::size_t kLinearSearchLimit = 16;

    std::ptrdiff_t position(std::string_view name) const;
    Entry& append(std::string name);

    using Index = std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>>;

    std::vector<Entry> entries_;
    // Null until there are more than kLinearSearchLimit children, then covering them
    // all; a pointer keeps the many small bags small.
    std::unique_ptr<Index> index_;
  };

  CPrivateProperty();
  CPrivateProperty(const CPrivateProperty&);
  CPrivateProperty(CPrivateProperty&&) noexcept;
  CPrivateProperty& operator=(const CPrivateProperty&);
  CPrivateProperty& operator=(CPrivateProperty&&) noexcept;
  virtual ~CPrivateProperty();

  const PropertyMap& Properties() const { return children_; }
  PropertyMap& Properties() { return children_; }

  EType Type() const;
  // The value of this property itself; the text form is empty unless Type() is String.
  const std::string& StringValue() const;
  bool BoolValue() const;
  std::int32_t IntValue() const;
  void SetValue(std::string value);
  void SetValue(bool value);
  void SetValue(std::int32_t value);
  // Drops the value, keeping the children: the property becomes a group.
  void ClearValue();

  // Typed get-with-default of a child value: out receives the child's value when
  // the child exists and holds a value of that type, otherwise the default. A null
  // key is the empty name.
  void GetValueFromProperty(const char* key, rr::RRString& out, const rr::RRString& def) const;
  void GetValueFromProperty(const char* key, bool& out, bool def) const;
  void GetValueFromProperty(const char* key, std::int32_t& out, std::int32_t def) const;

  // Stores the value under the key, adding the child at the end or replacing its
  // value in place; the child's own children are kept.
  void SetValueToProperty(const char* key, const rr::RRString& value);
  void SetValueToProperty(const char* key, const char* value);  // not bool: a text
  void SetValueToProperty(const char* key, bool value);
  void SetValueToProperty(const char* key, std::int32_t value);

  // Same value (type included) and equal children in the same order.
  friend bool operator==(const CPrivateProperty& a, const CPrivateProperty& b);

 private:
  std::variant<std::monostate, std::string, bool, std::int32_t> value_;
  PropertyMap children_;
};
