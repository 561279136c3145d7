#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <pugixml.hpp>
#include <string>

#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"

namespace {

// Every byte a text may hold, in order: tab, line feed, carriage return, 0x20-0xFF.
std::string AllTextBytes() {
  std::string bytes = "\t\n\r";
  for (int c = 0x20; c <= 0xFF; ++c) bytes.push_back(static_cast<char>(c));
  return bytes;
}

CHandlerPrivateProps EdgeCaseBag() {
  CHandlerPrivateProps bag;
  bag.SetValueToProperty("AllBytes", rr::RRString(AllTextBytes()));
  bag.SetValueToProperty("Blanks", "  lead and trail  ");
  bag.SetValueToProperty("OnlyBlanks", " \t \n ");
  bag.SetValueToProperty("Empty", "");
  bag.SetValueToProperty("LineEnds", "a\r\nb\rc\nd\r");
  bag.SetValueToProperty("Markup", "<a href=\"x\">&amp; ]]> 'q'</a>");
  bag.SetValueToProperty("True", true);
  bag.SetValueToProperty("False", false);
  bag.SetValueToProperty("Min", std::numeric_limits<std::int32_t>::min());
  bag.SetValueToProperty("Max", std::numeric_limits<std::int32_t>::max());
  bag.SetValueToProperty(AllTextBytes().c_str(), "a name of every byte");
  CPrivateProperty& group = bag.Properties()["Group"];
  group.SetValueToProperty("SID", "BANK01");
  group.Properties()["Inner"].SetValueToProperty("Deep", std::int32_t{-1});
  group.Properties()["EmptyGroup"];
  bag.Properties()["Group2"].SetValueToProperty("SID", "same name, other group");
  return bag;
}

TEST(XmlWriteTest, EveryTextByteSurvivesAndTheDocumentIsStable) {
  const CHandlerPrivateProps bag = EdgeCaseBag();
  const std::string xml = bag.toXML();

  CHandlerPrivateProps read;
  read.fromXML(xml);
  EXPECT_TRUE(read == bag);
  EXPECT_EQ(read.toXML(), xml);

  std::string high;
  for (int c = 0x80; c <= 0xFF; ++c) high.push_back(static_cast<char>(c));
  EXPECT_NE(xml.find(high), std::string::npos) << "0x80-0xFF are written as single bytes";
  EXPECT_EQ(xml.find('\r'), std::string::npos) << "a carriage return is always a reference";
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n", 0), 0u);
}

TEST(XmlWriteTest, WritesTheDocumentShape) {
  CHandlerPrivateProps bag;
  bag.SetValueToProperty("ConfigurationVersion", std::int32_t{1});
  bag.SetValueToProperty("EnableDefaultURL", true);
  bag.SetValueToProperty("SID", "BANK01");
  bag.Properties()["Group"].SetValueToProperty("X", "a&b");
  bag.Properties()["Empty"];
  EXPECT_EQ(bag.toXML(),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
            "<Properties>\n"
            "  <Property Name=\"ConfigurationVersion\" Type=\"Int\">1</Property>\n"
            "  <Property Name=\"EnableDefaultURL\" Type=\"Bool\">true</Property>\n"
            "  <Property Name=\"SID\" Type=\"String\">BANK01</Property>\n"
            "  <Property Name=\"Group\">\n"
            "    <Property Name=\"X\" Type=\"String\">a&amp;b</Property>\n"
            "  </Property>\n"
            "  <Property Name=\"Empty\"/>\n"
            "</Properties>\n");
  EXPECT_EQ(CHandlerPrivateProps().toXML(),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Properties/>\n");
}

// A parser that folds line ends and white space in attributes, as XML requires,
// still reads what was written.
std::string Latin1ToUtf8(const std::string& bytes) {
  std::string utf8;
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      utf8.push_back(ch);
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
}

TEST(XmlWriteTest, AStandardParserReadsTheSameTexts) {
  const CHandlerPrivateProps bag = EdgeCaseBag();
  const std::string xml = bag.toXML();
  pugi::xml_document document;
  ASSERT_TRUE(document.load_buffer(xml.data(), xml.size(),
                                   pugi::parse_default | pugi::parse_ws_pcdata_single));
  const auto nodes = document.child("Properties").children("Property");
  auto node = nodes.begin();
  for (const auto& [name, property] : bag.Properties()) {
    ASSERT_NE(node, nodes.end());
    EXPECT_EQ(node->attribute("Name").value(), Latin1ToUtf8(name));
    if (property.Type() == CPrivateProperty::EType::String) {
      EXPECT_EQ(node->text().get(), Latin1ToUtf8(property.StringValue())) << name;
    }
    ++node;
  }
  EXPECT_EQ(node, nodes.end());
}

TEST(XmlWriteTest, RefusesEveryByteXmlCannotCarryNamingTheProperty) {
  for (int c = 0; c < 0x20; ++c) {
    if (c == '\t' || c == '\n' || c == '\r') continue;
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", c);
    CHandlerPrivateProps bag;
    bag.Properties()["Group"].SetValueToProperty(
        "Bad", rr::RRString(std::string("ab") + static_cast<char>(c) + "cd"));
    try {
      (void)bag.toXML();
      ADD_FAILURE() << hex << " was written";
    } catch (const XmlError& error) {
      EXPECT_EQ(error.line(), 0);
      EXPECT_NE(std::string(error.what()).find("\"Group/Bad\""), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find(hex), std::string::npos) << error.what();
    }
  }
}

TEST(XmlWriteTest, RefusesBadNamesValuesWithChildrenAndDeepNesting) {
  struct Case {
    const char* label;
    void (*fill)(CHandlerPrivateProps&);
    const char* fragment;
  };
  const Case cases[] = {
      {"control byte in a name",
       [](CHandlerPrivateProps& bag) { bag.SetValueToProperty("Bad\x01Name", "x"); },
       "name of property \"Bad\\x01Name\" holds byte 0x01"},
      {"value and children",
       [](CHandlerPrivateProps& bag) {
         bag.Properties()["G"].SetValueToProperty("X", true);
         bag.SetValueToProperty("G", true);
       },
       "property \"G\" has both a value and child properties"},
      {"nested too deeply",
       [](CHandlerPrivateProps& bag) {
         CPrivateProperty* level = &bag;
         for (int depth = 0; depth < 101; ++depth) level = &level->Properties()["L"];
       },
       "nested deeper than 100 levels"},
  };
  for (const Case& c : cases) {
    CHandlerPrivateProps bag;
    c.fill(bag);
    try {
      (void)bag.toXML();
      ADD_FAILURE() << c.label << ": written";
    } catch (const XmlError& error) {
      EXPECT_NE(std::string(error.what()).find(c.fragment), std::string::npos)
          << c.label << ": " << error.what();
    }
  }
}

TEST(XmlWriteTest, NestingUpToTheLimitRoundTrips) {
  CHandlerPrivateProps bag;
  CPrivateProperty* level = &bag;
  for (int depth = 0; depth < 99; ++depth) level = &level->Properties()["L"];
  level->SetValueToProperty("Leaf", "x");  // the 100th level
  CHandlerPrivateProps read;
  read.fromXML(bag.toXML());
  EXPECT_TRUE(read == bag);
}

}  // namespace
