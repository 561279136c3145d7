#include "hcd/IHcdDataPersistence.h"

IHcdDataPersistence::IHcdDataPersistence() = default;
IHcdDataPersistence::~IHcdDataPersistence() = default;

// The host's defaults: a handler that persists nothing describes nothing.
std::uint64_t IHcdDataPersistence::GetRecordPersistDataDescription(HcdDescription&, std::uint16_t,
                                                                   bool, const std::uint8_t*,
                                                                   std::uint64_t) const {
  return 0;
}
std::uint64_t IHcdDataPersistence::GetFieldDefPersistDataDescription(HcdDescription&, std::uint16_t,
                                                                     bool, const std::uint8_t*,
                                                                     std::uint64_t) const {
  return 0;
}
std::uint64_t IHcdDataPersistence::GetFieldPersistDataDescription(HcdDescription&, std::uint16_t,
                                                                  bool, const std::uint8_t*,
                                                                  std::uint64_t) const {
  return 0;
}
