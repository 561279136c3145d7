#include "kelo/persist/PersistDescription.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

#include "hcd/IHcdDataPersistence.h"
#include "kelo/persist/RecordPersistLayout.h"
#include "tests/kelo/persist/PersistBlock.h"

namespace kelo {
namespace {

namespace layout = record_persist;
using test::PersistBlock;

const std::pair<std::string, std::string> kEarlier{"Earlier", "pair"};

// The time texts depend on the process's zone; every test starts on UTC.
class PersistDescription : public ::testing::Test {
 protected:
  void SetUp() override { UseZone("UTC"); }
  void TearDown() override { UseZone("UTC"); }

  static void UseZone(const char* zone) {
    ::setenv("TZ", zone, 1);
    ::tzset();
  }

  static HcdDescription Describe(const PersistBlock& block) {
    HcdDescription description;
    EXPECT_EQ(DescribeRecordPersistData(description, 1, false, block.data(), block.size()),
              layout::kSize);
    return description;
  }

  static std::string Value(const HcdDescription& description, const std::string& name) {
    for (const auto& [n, v] : description) {
      if (n == name) return v;
    }
    ADD_FAILURE() << "no pair named " << name;
    return {};
  }

  // Every described field set to a value that differs from its neighbours'.
  static PersistBlock FullyFilled() {
    PersistBlock block;
    block.Byte(layout::kInitialised, 1)
        .Integer(layout::kLastTimeUpdated, 1717574705, 8)
        .Byte(layout::kRepopulated, 1)
        .Byte(layout::kDirty, 0)
        .Byte(layout::kDeleted, 0x80)
        .Byte(layout::kOutstanding, 0)
        .Text(layout::kReqId, std::string("KELO-REQ-000042\0stale", 21))
        .Integer(layout::kReqType, 3, 2)
        .Text(layout::kPartyId, "BANK01-PANEL-EUR")
        .Text(layout::kPartyIdSrc, "D")
        .Integer(layout::kPartyRole, 7, 4)
        .Text(layout::kSecurityIdSrc, std::string("4\0stale", 7));
    return block;
  }
};

const HcdDescription kFullyFilledDescription = {
    {"Last Time Updated", "Wed Jun 05 08:05:05 2024\n"},
    {"Repopulated", "YES"},
    {"Dirty", "NO"},
    {"Deleted", "YES"},
    {"Outstanding", "NO"},
    {"ReqID", "KELO-REQ-000042"},
    {"ReqType", "3"},
    {"PartyID", "BANK01-PANEL-EUR"},
    {"PartyIDSrc", "D"},
    {"PartyRole", "7"},
    {"SecurityIDSrc", "4"},
};

enum class Operation { kRecord, kFieldDef };

struct ResultCase {
  Operation operation;
  std::uint16_t version;
  bool flag;
  std::uint64_t size;
  std::optional<std::uint64_t> result;  // empty: throws
};

TEST_F(PersistDescription, AnswersEveryVersionFlagAndSizeAsTheHostExpects) {
  constexpr auto kThrows = std::nullopt;
  const ResultCase cases[] = {
      {Operation::kRecord, 0, true, 464, 0},
      {Operation::kRecord, 0, true, 0, 0},
      {Operation::kRecord, 1, true, 464, kThrows},
      {Operation::kRecord, 2, true, 464, kThrows},
      {Operation::kRecord, 0, false, 464, 0},
      {Operation::kRecord, 0, false, 0, 0},
      {Operation::kRecord, 1, false, 0, kThrows},
      {Operation::kRecord, 1, false, 463, kThrows},
      {Operation::kRecord, 1, false, 464, 464},
      {Operation::kRecord, 1, false, 500, 464},
      {Operation::kRecord, 2, false, 464, kThrows},
      {Operation::kRecord, 65535, false, 464, kThrows},
      {Operation::kFieldDef, 0, false, 464, 0},
      {Operation::kFieldDef, 0, true, 0, 0},
      {Operation::kFieldDef, 1, false, 464, 0},
      {Operation::kFieldDef, 1, true, 3, 0},
      {Operation::kFieldDef, 2, false, 464, kThrows},
      {Operation::kFieldDef, 65535, true, 464, kThrows},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.operation == Operation::kRecord ? "record" : "field def") +
                 " version " + std::to_string(c.version) + (c.flag ? " flag set" : " flag clear") +
                 " size " + std::to_string(c.size));
    const PersistBlock block = FullyFilled();
    PersistBlock data(c.size);
    for (std::size_t i = 0; i < std::min<std::uint64_t>(c.size, block.size()); ++i) {
      data.Byte(i, block.data()[i]);
    }
    HcdDescription description{kEarlier};
    auto call = [&] {
      return c.operation == Operation::kRecord
                 ? DescribeRecordPersistData(description, c.version, c.flag, data.data(), c.size)
                 : DescribeFieldDefPersistData(description, c.version, c.flag, data.data(), c.size);
    };
    if (!c.result) {
      try {
        call();
        ADD_FAILURE() << "no exception";
      } catch (const IHcdDataPersistence::CFormatException& e) {
        EXPECT_STREQ(e.what(), "Persisted data format version is unrecognised");
      }
      EXPECT_EQ(description, HcdDescription{kEarlier});
      continue;
    }
    EXPECT_EQ(call(), *c.result);
    HcdDescription expected{kEarlier};
    if (*c.result != 0)
      expected.insert(expected.end(), kFullyFilledDescription.begin(),
                      kFullyFilledDescription.end());
    EXPECT_EQ(description, expected);
  }
}

TEST_F(PersistDescription, DescribesEveryFieldOfAFilledBlockInOrder) {
  EXPECT_EQ(Describe(FullyFilled()), kFullyFilledDescription);
}

TEST_F(PersistDescription, KeepsThePairsTheDescriptionAlreadyHeld) {
  const PersistBlock block = FullyFilled();
  HcdDescription description{kEarlier, {"Second", ""}};
  ASSERT_EQ(DescribeRecordPersistData(description, 1, false, block.data(), block.size()), 464u);
  HcdDescription expected{kEarlier, {"Second", ""}};
  expected.insert(expected.end(), kFullyFilledDescription.begin(), kFullyFilledDescription.end());
  EXPECT_EQ(description, expected);
}

TEST_F(PersistDescription, UnusedBytesHaveNoEffect) {
  PersistBlock block = FullyFilled();
  block.Fill(1, 7, 0xAA).Byte(19, 0xFF);
  EXPECT_EQ(Describe(block), kFullyFilledDescription);
}

TEST_F(PersistDescription, NotInitialisedBlockIsOnePairWhateverElseItHolds) {
  PersistBlock block;
  block.Fill(1, layout::kSize - 1, 0xFF);
  EXPECT_EQ(Describe(block), (HcdDescription{{"Not initialised", ""}}));
}

TEST_F(PersistDescription, EachBooleanByteIsReadFromItsOwnOffset) {
  const std::pair<std::size_t, const char*> flags[] = {
      {layout::kRepopulated, "Repopulated"},
      {layout::kDirty, "Dirty"},
      {layout::kDeleted, "Deleted"},
      {layout::kOutstanding, "Outstanding"},
  };
  for (const auto& [offset, name] : flags) {
    SCOPED_TRACE(name);
    PersistBlock block;
    block.Byte(layout::kInitialised, 1).Byte(offset, 0x02);
    const auto description = Describe(block);
    for (const auto& [other, otherName] : flags) {
      EXPECT_EQ(Value(description, otherName), other == offset ? "YES" : "NO") << otherName;
    }
  }
}

TEST_F(PersistDescription, NumbersAreLittleEndianDecimal) {
  struct NumberCase {
    std::uint16_t reqType;
    std::uint32_t partyRoleBits;
    const char* reqTypeText;
    const char* partyRoleText;
  };
  const NumberCase cases[] = {
      {0, 0, "0", "0"},
      {65535, 0xFFFFFFFF, "65535", "-1"},
      {0x1234, 0x01020304, "4660", "16909060"},
      {1, 0x80000000, "1", "-2147483648"},
      {256, 0x7FFFFFFF, "256", "2147483647"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.partyRoleText);
    PersistBlock block;
    block.Byte(layout::kInitialised, 1)
        .Integer(layout::kReqType, c.reqType, 2)
        .Integer(layout::kPartyRole, c.partyRoleBits, 4);
    const auto description = Describe(block);
    EXPECT_EQ(Value(description, "ReqType"), c.reqTypeText);
    EXPECT_EQ(Value(description, "PartyRole"), c.partyRoleText);
  }
}

TEST_F(PersistDescription, LastTimeUpdatedIsTheCtimeTextWithZeroPaddedDay) {
  struct TimeCase {
    std::uint64_t bits;
    std::string text;
  };
  const TimeCase cases[] = {
      {0, "Thu Jan 01 00:00:00 1970\n"},
      {1717574705, "Wed Jun 05 08:05:05 2024\n"},
      {951782400, "Tue Feb 29 00:00:00 2000\n"},
      {32535215999, "Wed Dec 31 23:59:59 3000\n"},
      {32535216000, "(time out of range: 32535216000)"},
      {static_cast<std::uint64_t>(-1), "(time out of range: -1)"},
      {0x8000000000000000, "(time out of range: -9223372036854775808)"},
      {0x7FFFFFFFFFFFFFFF, "(time out of range: 9223372036854775807)"},
      // All eight bytes take part, lowest first.
      {0x0102030405060708, "(time out of range: 72623859790382856)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    PersistBlock block;
    block.Byte(layout::kInitialised, 1).Integer(layout::kLastTimeUpdated, c.bits, 8);
    const auto description = Describe(block);
    EXPECT_EQ(Value(description, "Last Time Updated"), c.text);
    if (c.text.front() != '(') {
      EXPECT_EQ(c.text.size(), 25u);
    }
  }
}

TEST_F(PersistDescription, LastTimeUpdatedIsInTheLocalZone) {
  PersistBlock block;
  block.Byte(layout::kInitialised, 1).Integer(layout::kLastTimeUpdated, 0, 8);
  UseZone("EST5");
  EXPECT_EQ(Value(Describe(block), "Last Time Updated"), "Wed Dec 31 19:00:00 1969\n");
  block.Integer(layout::kLastTimeUpdated, 32535215999, 8);
  UseZone("XYZ-3");
  EXPECT_EQ(Value(Describe(block), "Last Time Updated"), "Thu Jan 01 02:59:59 3001\n");
}

TEST_F(PersistDescription, TextsEndAtTheirFirstZeroByte) {
  PersistBlock block;
  block.Byte(layout::kInitialised, 1)
      .Text(layout::kReqId, std::string("AB\0CD", 5))
      .Text(layout::kPartyId, std::string("\0X", 2))
      .Text(layout::kPartyIdSrc, "\xE9t\xE9\x80\x01")  // 8-bit bytes pass through unchanged
      .Text(layout::kSecurityIdSrc, std::string("ISIN\0\xFF\xFF", 7));
  const auto description = Describe(block);
  EXPECT_EQ(Value(description, "ReqID"), "AB");
  EXPECT_EQ(Value(description, "PartyID"), "");
  EXPECT_EQ(Value(description, "PartyIDSrc"), "\xE9t\xE9\x80\x01");
  EXPECT_EQ(Value(description, "SecurityIDSrc"), "ISIN");
}

TEST_F(PersistDescription, UnterminatedTextsStopAtTheEndOfTheirSpans) {
  // Every byte after the initialised flag is non-zero, so no text has a terminator;
  // the block is allocated to its exact size, so reading past it is caught.
  PersistBlock block;
  block.Byte(layout::kInitialised, 1)
      .Fill(1, layout::kSize - 1, 'A')
      .Fill(layout::kPartyId, layout::kPartyIdSpan, 'B')
      .Fill(layout::kPartyIdSrc, layout::kPartyIdSrcSpan, 'C')
      .Fill(layout::kSecurityIdSrc, layout::kSecurityIdSrcSpan, 'S');
  const auto description = Describe(block);
  EXPECT_EQ(Value(description, "ReqID"), std::string(41, 'A'));
  EXPECT_EQ(Value(description, "ReqType"), "16705");  // 'A' 'A'
  EXPECT_EQ(Value(description, "PartyID"), std::string(90, 'B'));
  EXPECT_EQ(Value(description, "PartyIDSrc"), std::string(90, 'C'));
  EXPECT_EQ(Value(description, "PartyRole"), "1094795585");  // 'A' x 4
  EXPECT_EQ(Value(description, "SecurityIDSrc"), std::string(216, 'S'));
}

TEST_F(PersistDescription, BytesBeyondTheBlockAreNotRead) {
  PersistBlock block(500);
  block.Byte(layout::kInitialised, 1)
      .Fill(layout::kSecurityIdSrc, layout::kSecurityIdSrcSpan, 'S')
      .Fill(layout::kSize, 500 - layout::kSize, 'Z');
  HcdDescription description;
  EXPECT_EQ(DescribeRecordPersistData(description, 1, false, block.data(), block.size()), 464u);
  EXPECT_EQ(Value(description, "SecurityIDSrc"), std::string(216, 'S'));
}

TEST_F(PersistDescription, NullDataIsRefusedOrNotLookedAt) {
  HcdDescription description{kEarlier};
  EXPECT_THROW(DescribeRecordPersistData(description, 1, false, nullptr, 464),
               IHcdDataPersistence::CFormatException);
  EXPECT_THROW(DescribeRecordPersistData(description, 1, false, nullptr, 0),
               IHcdDataPersistence::CFormatException);
  EXPECT_EQ(DescribeRecordPersistData(description, 0, false, nullptr, 464), 0u);
  EXPECT_EQ(DescribeFieldDefPersistData(description, 1, false, nullptr, 464), 0u);
  EXPECT_EQ(DescribeFieldDefPersistData(description, 0, true, nullptr, 0), 0u);
  EXPECT_EQ(description, HcdDescription{kEarlier});
}

TEST(FormatException, CarriesItsTextThroughCopyAndAssignment) {
  const IHcdDataPersistence::CFormatException original;
  EXPECT_STREQ(original.what(), "Persisted data format version is unrecognised");
  const IHcdDataPersistence::CFormatException copy(original);
  EXPECT_STREQ(copy.what(), original.what());
  IHcdDataPersistence::CFormatException assigned;
  assigned = copy;
  EXPECT_STREQ(assigned.what(), "Persisted data format version is unrecognised");
  const std::exception& base = assigned;
  EXPECT_STREQ(base.what(), "Persisted data format version is unrecognised");
}

}  // namespace
}  // namespace kelo
