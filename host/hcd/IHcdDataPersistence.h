#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "hcd/HcdTypes.h"

// The facet through which the host's tools ask a handler class to describe the
// state its runtime persisted. Declaration order is the order handler objects
// are built against.
class IHcdDataPersistence {
 public:
  // Thrown for a persisted block whose format the handler does not know. The
  // host declares it; the handler module supplies its body.
  class CFormatException : public std::exception {
   public:
    CFormatException();
    CFormatException(const CFormatException& other);
    CFormatException& operator=(const CFormatException& other);
    ~CFormatException() override;
    const char* what() const noexcept override;

   private:
    std::string m_text;
  };

  IHcdDataPersistence();
  virtual ~IHcdDataPersistence();

  // Each appends name/value pairs to description and returns the number of
  // bytes of data it described.
  virtual std::uint64_t GetRecordPersistDataDescription(HcdDescription& description,
                                                        std::uint16_t version, bool flag,
                                                        const std::uint8_t* data,
                                                        std::uint64_t size) const;
  virtual std::uint64_t GetFieldDefPersistDataDescription(HcdDescription& description,
                                                          std::uint16_t version, bool flag,
                                                          const std::uint8_t* data,
                                                          std::uint64_t size) const;
  virtual std::uint64_t GetFieldPersistDataDescription(HcdDescription& description,
                                                       std::uint16_t version, bool flag,
                                                       const std::uint8_t* data,
                                                       std::uint64_t size) const;
};
