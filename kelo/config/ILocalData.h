#pragma once

namespace kelo {

// Base of the record-set configuration records, so that a page can own its record
// without knowing which kind it edits, and destroy it through the base.
class ILocalData {
 public:
  ILocalData() = default;
  ILocalData(const ILocalData&) = default;
  ILocalData(ILocalData&&) = default;
  ILocalData& operator=(const ILocalData&) = default;
  ILocalData& operator=(ILocalData&&) = default;
  virtual ~ILocalData();
};

}  // namespace kelo
