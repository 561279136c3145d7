// Configuration documents through the property bag and the three configuration
// records: whatever a record reads from a document that the bag accepts, it writes
// back so that a second read gives the same record (read-write-read is a fixed
// point), and the bag's own XML round trip keeps every property. A document the
// one-pass reader takes reads as the same bag the general way.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "fuzz/RecordDifference.h"
#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/HandlerConfig.h"
#include "props/CHandlerPrivateProps.h"
#include "props/CanonicalXmlReader.h"
#include "props/PropsXmlReader.h"
#include "props/XmlError.h"
#include "rrstring/RRString.h"

namespace {

// Every bag the reader accepts is one the writer can write, and reads back equal.
void CheckBagRoundTrip(const CHandlerPrivateProps& bag) {
  std::string xml;
  try {
    xml = bag.toXML();
  } catch (const XmlError& error) {
    FUZZ_CHECK(false, std::string("an accepted document cannot be written: ") + error.what());
  }
  CHandlerPrivateProps again;
  try {
    again.fromXML(xml);
  } catch (const XmlError& error) {
    FUZZ_CHECK(false, std::string("a written document is refused: ") + error.what() +
                          "\n  document: " + fuzz::Shown(xml, 400));
  }
  FUZZ_CHECK(again == bag, "the bag changed in a write and read: " + fuzz::Shown(xml, 400));
}

// The record written into a fresh bag, through its XML, and read again.
template <typename Record>
Record WrittenAndRead(const Record& record, std::string& xml) {
  CHandlerPrivateProps written;
  record.WriteToProperty(written);
  try {
    xml = written.toXML();
  } catch (const XmlError& error) {
    FUZZ_CHECK(false,
               std::string("a record read from a document cannot be written: ") + error.what());
  }
  CHandlerPrivateProps reread;
  try {
    reread.fromXML(xml);
  } catch (const XmlError& error) {
    FUZZ_CHECK(false, std::string("a written record is refused: ") + error.what());
  }
  FUZZ_CHECK(reread == written, "the record's bag changed in its XML round trip");
  Record read;
  read.ReadFromProperty(reread);
  return read;
}

// The change check reads handler records without their calendar; everything else
// must be what a full read gives.
void CheckReadWithoutHolidays(const CHandlerPrivateProps& bag) {
  kelo::HandlerConfig full;
  full.ReadFromProperty(bag);
  kelo::HandlerConfig partial;
  partial.ReadWithoutHolidays(bag);
  FUZZ_CHECK(partial.CurrencyTable.empty(), "ReadWithoutHolidays read holidays");
  partial.CurrencyTable = full.CurrencyTable;
  const std::string difference = fuzz::FirstDifference(full, partial);
  FUZZ_CHECK(difference.empty(), "ReadWithoutHolidays differs: " + difference);
}

template <typename Record>
void CheckFixedPoint(const CHandlerPrivateProps& bag, const char* what, int summaryItems,
                     int otherSummaryItems) {
  Record first;
  first.ReadFromProperty(bag);

  rr::RRString summary;
  const int items = first.Summarise(summary);
  FUZZ_CHECK(items == summaryItems || items == otherSummaryItems,
             std::string(what) + " summary has " + std::to_string(items) + " items");

  std::string firstXml;
  const Record second = WrittenAndRead(first, firstXml);
  const std::string difference = fuzz::FirstDifference(first, second);
  FUZZ_CHECK(difference.empty(), std::string(what) + " changed in a write and read: " + difference +
                                     "\n  written: " + fuzz::Shown(firstXml, 2000));

  // Writing the record read back must give the very same document.
  std::string secondXml;
  WrittenAndRead(second, secondXml);
  FUZZ_CHECK(secondXml == firstXml,
             std::string(what) + " writes a different document the second time");
}

// Whatever the one-pass reader takes, the general reader takes too, as the same bag.
void CheckPlainReading(std::string_view xml) {
  const std::optional<CPrivateProperty> plain = props::CanonicalXmlReader::Read(xml);
  if (!plain) return;
  try {
    FUZZ_CHECK(props::PropsXmlReader::ReadGeneral(xml) == *plain,
               "the one-pass reader reads another bag: " + fuzz::Shown(xml, 400));
  } catch (const XmlError& error) {
    FUZZ_CHECK(false, std::string("the one-pass reader takes a document the general reader "
                                  "refuses: ") +
                          error.what() + "\n  document: " + fuzz::Shown(xml, 400));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckPlainReading(std::string_view(reinterpret_cast<const char*>(data), size));
  // A refused document must leave the bag exactly as it was.
  CHandlerPrivateProps bag;
  bag.SetValueToProperty("Before", std::int32_t{1});
  const CPrivateProperty before = bag;
  try {
    bag.fromXML(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const XmlError&) {
    FUZZ_CHECK(bag == before, "a refused document changed the bag");
    return 0;
  }
  CheckBagRoundTrip(bag);
  CheckReadWithoutHolidays(bag);
  CheckFixedPoint<kelo::HandlerConfig>(bag, "HandlerConfig", 11, 15);
  CheckFixedPoint<kelo::CKELOStaticRecSetConfig>(bag, "CKELOStaticRecSetConfig", 12, 12);
  CheckFixedPoint<kelo::CKELODynRecSetConfig>(bag, "CKELODynRecSetConfig", 2, 2);
  return 0;
}
