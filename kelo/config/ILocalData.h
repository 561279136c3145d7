#pragma once

namespace kelo {

// The common base of the two record-set configuration records. Its one virtual
// operation is the destructor, so either record may be destroyed through it; the
// pages, the handler object and everything else hold a record by its own type.
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
